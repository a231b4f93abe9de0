#include "OpenFailureText.h"

#include <pwd.h>
#include <unistd.h>

namespace {

QString UserName() {
  if (const passwd* user = getpwuid(getuid())) return QString::fromLocal8Bit(user->pw_name);
  return QStringLiteral("$USER");
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString DescribeOpenFailure(const comm::OpenFailure& f) {
  using comm::OpenFailureReason;
  const QString port = Q(f.PortName);
  const QString path = Q(f.Path);
  const QString how = Q(f.Detail).trimmed();
  switch (f.Reason) {
    case OpenFailureReason::kNone:
      return {};
    case OpenFailureReason::kNoSuchDevice:
      if (path.isEmpty()) {
        return QStringLiteral(
                   "%1 is not connected to any device. %2\n\nPlug in the adapter, or "
                   "bind the port to a device with a link, for example:\n"
                   "ln -s /dev/ttyUSB0 ~/.config/varmo-terminal/ports/%1")
            .arg(port, how);
      }
      return QStringLiteral(
                 "%1 resolved to %2, but that device does not exist (%3)\n\nCheck that "
                 "the adapter is plugged in, or point the link at the right device.")
          .arg(port, path, how);
    case OpenFailureReason::kPermissionDenied:
      return QStringLiteral(
                 "%1 resolved to %2, and you are not allowed to open it. %3\n\nAdd "
                 "yourself to the group \"%4\" that owns the device, then log out "
                 "and in again:\nsudo usermod -aG %4 %5")
          .arg(port, path, how, Q(f.OwningGroup.empty() ? "dialout" : f.OwningGroup), UserName());
    case OpenFailureReason::kInUse:
      return QStringLiteral(
                 "%1 resolved to %2, which another program is using.\n\nClose the "
                 "other program (another terminal, a modem manager) and press ON "
                 "again.")
          .arg(port, path);
    case OpenFailureReason::kNotASerialDevice:
      return QStringLiteral(
                 "%1 resolved to %2, which is not a serial device. %3\n\nPoint the "
                 "link at a serial device.")
          .arg(port, path, how);
    case OpenFailureReason::kOther:
      break;
  }
  return QStringLiteral("%1 resolved to %2, which could not be opened. %3").arg(port, path, how);
}
