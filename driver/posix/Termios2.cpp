#include "Termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

int SetAttributesWithRate(int fd, const PlainTermios& attributes, std::uint32_t bitsPerSecond) {
  termios2 t{};
  t.c_iflag = attributes.Iflag;
  t.c_oflag = attributes.Oflag;
  t.c_cflag = attributes.Cflag;
  t.c_lflag = attributes.Lflag;
  t.c_line = attributes.Line;
  for (unsigned i = 0; i < sizeof(attributes.Cc) && i < NCCS; ++i) t.c_cc[i] = attributes.Cc[i];
  t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = bitsPerSecond;
  t.c_ospeed = bitsPerSecond;
  return ioctl(fd, TCSETS2, &t) == 0 ? 0 : errno;
}

int GetLineRates(int fd, std::uint32_t& inputRate, std::uint32_t& outputRate) {
  termios2 t{};
  if (ioctl(fd, TCGETS2, &t) != 0) return errno;
  inputRate = t.c_ispeed;
  outputRate = t.c_ospeed;
  return 0;
}
