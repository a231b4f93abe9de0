// Line rates that have no Bnnn constant (14400, 56000) need the kernel's termios2, whose
// header cannot share a file with <termios.h>. This file's functions take plain values.
#pragma once

#include <cstdint>

// The fields of a termios that a rate change carries along, in the kernel's layout.
struct PlainTermios {
  unsigned Iflag = 0, Oflag = 0, Cflag = 0, Lflag = 0;
  unsigned char Line = 0;
  unsigned char Cc[19] = {};
};

// Applies the attributes with an arbitrary rate in both directions, in one request.
// Returns 0, or the errno of the failure.
int SetAttributesWithRate(int fd, const PlainTermios& attributes, std::uint32_t bitsPerSecond);

// The input and output rates as the kernel reports them (either side of a pseudo-terminal).
int GetLineRates(int fd, std::uint32_t& inputRate, std::uint32_t& outputRate);
