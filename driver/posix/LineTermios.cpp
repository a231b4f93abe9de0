#include "LineTermios.h"

using namespace comm;

speed_t StandardSpeed(std::uint32_t bitsPerSecond) {
  switch (bitsPerSecond) {
    case 110:
      return B110;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return 0;
  }
}

namespace {
bool IsKnownRate(std::uint32_t bps) {
  return StandardSpeed(bps) != 0 || bps == 14400 || bps == 56000;
}
}  // namespace

std::optional<LineTermios> TranslateRecord(const DCB& dcb, const termios& base) {
  if (!IsKnownRate(dcb.BaudRate) || dcb.ByteSize < 5 || dcb.ByteSize > 8 ||
      dcb.Parity > SPACEPARITY || dcb.StopBits > TWOSTOPBITS) {
    return std::nullopt;
  }
  // One and a half stop bits exist only with five data bits, where a UART gives them for
  // the two-stop-bit setting.
  if (dcb.StopBits == ONE5STOPBITS && dcb.ByteSize != 5) return std::nullopt;

  LineTermios line;
  termios& t = line.Attributes;
  t = base;
  // Raw binary: no line editing, echo, signals, translation or output processing.
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                      IXON | IXOFF | IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | HUPCL);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;

  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  t.c_cflag |= kSizes[dcb.ByteSize - 5];

  switch (dcb.Parity) {
    case ODDPARITY:
      t.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      t.c_cflag |= PARENB;
      break;
    case MARKPARITY:
      t.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case SPACEPARITY:
      t.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  // Received bytes get no parity test (the record's fParity is never set): INPCK stays off.
  if (dcb.StopBits != ONESTOPBIT) t.c_cflag |= CSTOPB;

  const DWORD rts = (dcb.Flags & fRtsControlMask) >> fRtsControlShift;
  if ((dcb.Flags & fOutxCtsFlow) != 0 || rts == RTS_CONTROL_HANDSHAKE) t.c_cflag |= CRTSCTS;
  if ((dcb.Flags & fOutX) != 0) t.c_iflag |= IXON;
  if ((dcb.Flags & fInX) != 0) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
  t.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);

  const speed_t speed = StandardSpeed(dcb.BaudRate);
  // A separate input rate left behind by an earlier termios2 rate would outlive this one.
  t.c_cflag &= ~static_cast<tcflag_t>(CIBAUD);
  if (speed != 0) {
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
  } else {
    line.CustomRate = dcb.BaudRate;
  }
  line.DtrOn = ((dcb.Flags & fDtrControlMask) >> fDtrControlShift) != DTR_CONTROL_DISABLE;
  line.RtsOff = rts == RTS_CONTROL_DISABLE;
  return line;
}
