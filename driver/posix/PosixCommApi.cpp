#include "PosixCommApi.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "LineTermios.h"
#include "PortNames.h"
#include "Termios2.h"

using namespace comm;

namespace {

std::string GroupOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  const group* owner = getgrgid(info.st_gid);
  return owner != nullptr ? owner->gr_name : std::to_string(info.st_gid);
}

PlainTermios ToPlain(const termios& t) {
  PlainTermios plain;
  plain.Iflag = t.c_iflag;
  plain.Oflag = t.c_oflag;
  plain.Cflag = t.c_cflag;
  plain.Lflag = t.c_lflag;
  plain.Line = t.c_line;
  for (unsigned i = 0; i < sizeof(plain.Cc) && i < NCCS; ++i) plain.Cc[i] = t.c_cc[i];
  return plain;
}

void SetModemLine(int fd, int line, bool on) {
  // Modem lines may not exist (a pseudo-terminal has none): that is no error here.
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

PosixCommApi::PosixCommApi() = default;

PosixCommApi::~PosixCommApi() {
  while (!devices_.empty()) CloseHandle(devices_.begin()->first);
}

void PosixCommApi::Fail(OpenFailureReason reason, int error, const std::string& path) {
  lastFailure_.Reason = reason;
  lastFailure_.Path = path;
  if (error != 0) lastFailure_.Detail += std::string(" ") + std::strerror(error) + ".";
  if (reason == OpenFailureReason::kPermissionDenied) lastFailure_.OwningGroup = GroupOf(path);
}

Handle PosixCommApi::CreateFileA(const char* name) {
  lastFailure_ = OpenFailure{};
  lastFailure_.PortName = name != nullptr ? name : "";
  const PortResolution port =
      ResolvePortName(lastFailure_.PortName, PortLinkFolder(), ListSerialDevices());
  lastFailure_.Detail = port.Detail;
  if (port.Path.empty()) {
    Fail(OpenFailureReason::kNoSuchDevice, 0, port.Path);
    return kInvalidHandle;
  }

  const int fd = open(port.Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    OpenFailureReason reason = OpenFailureReason::kOther;
    if (error == ENOENT || error == ENODEV || error == ENXIO || error == EIO) {
      reason = OpenFailureReason::kNoSuchDevice;
    } else if (error == EACCES || error == EPERM) {
      reason = OpenFailureReason::kPermissionDenied;
    } else if (error == EBUSY) {
      reason = OpenFailureReason::kInUse;
    }
    Fail(reason, error, port.Path);
    return kInvalidHandle;
  }

  Device device;
  device.Fd = fd;
  // Not shared: a lock that every process respects (root included), and TIOCEXCL, which
  // stops other users' opens outright but which root bypasses.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    Fail(error == EWOULDBLOCK ? OpenFailureReason::kInUse : OpenFailureReason::kOther, error,
         port.Path);
    return kInvalidHandle;
  }
  if (tcgetattr(fd, &device.Saved) != 0) {
    const int error = errno;
    close(fd);
    Fail(error == ENOTTY ? OpenFailureReason::kNotASerialDevice : OpenFailureReason::kOther, error,
         port.Path);
    return kInvalidHandle;
  }
  if (geteuid() != 0 && ioctl(fd, TIOCEXCL) == 0) device.Exclusive = true;

  // Raw mode at once, so that nothing is echoed or edited before the line is set up.
  termios raw = device.Saved;
  cfmakeraw(&raw);
  raw.c_cflag |= CLOCAL | CREAD;
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  tcsetattr(fd, TCSANOW, &raw);

  const Handle handle = nextHandle_++;
  devices_.emplace(handle, device);
  lastFailure_ = OpenFailure{};
  return handle;
}

PosixCommApi::Device* PosixCommApi::Find(Handle h) {
  const auto it = devices_.find(h);
  return it == devices_.end() ? nullptr : &it->second;
}

int PosixCommApi::DescriptorOf(Handle h) const {
  const auto it = devices_.find(h);
  return it == devices_.end() ? -1 : it->second.Fd;
}

BOOL PosixCommApi::SetCommState(Handle h, const DCB& dcb) {
  Device* device = Find(h);
  if (device == nullptr) return false;
  termios current{};
  if (tcgetattr(device->Fd, &current) != 0) return false;
  const std::optional<LineTermios> line = TranslateRecord(dcb, current);
  if (!line) return false;  // refused: the device stays as it was
  const bool applied =
      line->CustomRate != 0
          ? SetAttributesWithRate(device->Fd, ToPlain(line->Attributes), line->CustomRate) == 0
          : tcsetattr(device->Fd, TCSANOW, &line->Attributes) == 0;
  if (!applied) return false;
  SetModemLine(device->Fd, TIOCM_DTR, line->DtrOn);
  if (line->RtsOff) {
    SetModemLine(device->Fd, TIOCM_RTS, false);
  } else if ((line->Attributes.c_cflag & CRTSCTS) != 0) {
    SetModemLine(device->Fd, TIOCM_RTS, true);  // ready to receive; the kernel steers it on
  }
  return true;
}

BOOL PosixCommApi::PurgeComm(Handle h, DWORD flags) {
  Device* device = Find(h);
  if (device == nullptr) return false;
  const bool input = (flags & PURGE_RXCLEAR) != 0;
  const bool output = (flags & PURGE_TXCLEAR) != 0;
  if (!input && !output) return true;  // the abort flags alone: no I/O is ever pending
  return tcflush(device->Fd, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH) == 0;
}

BOOL PosixCommApi::SetupComm(Handle h, DWORD, DWORD) {
  // The kernel's queues have a size of their own; the request is only accepted.
  return Find(h) != nullptr;
}

BOOL PosixCommApi::SetCommTimeouts(Handle h, const COMMTIMEOUTS&) {
  // The descriptor is non-blocking with VMIN 0: reads return at once with what has
  // arrived and writes take what fits, which is what the driver asks for.
  return Find(h) != nullptr;
}

BOOL PosixCommApi::ClearCommError(Handle h, DWORD* errors, COMSTAT* stat) {
  Device* device = Find(h);
  if (device == nullptr) return false;
  int input = 0;
  // A device that is gone fails here (EIO), which tells it from one with nothing to read.
  if (ioctl(device->Fd, FIONREAD, &input) != 0) return false;
  int output = 0;
  if (ioctl(device->Fd, TIOCOUTQ, &output) != 0) output = 0;
  if (errors != nullptr) *errors = 0;
  if (stat != nullptr) {
    stat->cbInQue = static_cast<DWORD>(input < 0 ? 0 : input);
    stat->cbOutQue = static_cast<DWORD>(output < 0 ? 0 : output);
  }
  return true;
}

BOOL PosixCommApi::ReadFile(Handle h, void* buffer, DWORD toRead, DWORD* read) {
  if (read != nullptr) *read = 0;
  Device* device = Find(h);
  if (device == nullptr) return false;
  if (toRead == 0) return true;
  ssize_t got;
  do {
    got = ::read(device->Fd, buffer, toRead);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
  if (read != nullptr) *read = static_cast<DWORD>(got);
  return true;
}

BOOL PosixCommApi::WriteFile(Handle h, const void* buffer, DWORD toWrite, DWORD* written) {
  if (written != nullptr) *written = 0;
  Device* device = Find(h);
  if (device == nullptr) return false;
  if (toWrite == 0) return true;
  ssize_t put;
  do {
    put = ::write(device->Fd, buffer, toWrite);
  } while (put < 0 && errno == EINTR);
  if (put < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
  if (written != nullptr) *written = static_cast<DWORD>(put);
  return true;
}

BOOL PosixCommApi::CloseHandle(Handle h) {
  const auto it = devices_.find(h);
  if (it == devices_.end()) return false;
  const Device& device = it->second;
  // TIOCEXCL would outlive us on a pseudo-terminal whose other side stays open.
  if (device.Exclusive) ioctl(device.Fd, TIOCNXCL);
  tcsetattr(device.Fd, TCSANOW, &device.Saved);
  const bool closed = close(device.Fd) == 0;
  devices_.erase(it);
  return closed;
}

DWORD PosixCommApi::GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                  static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<DWORD>(ms);
}
