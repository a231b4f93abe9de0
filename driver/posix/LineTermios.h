// The device control record translated to termios: a pure function, so that every line
// setting can be checked without a device (a pseudo-terminal keeps neither data bits nor
// parity).
#pragma once

#include <termios.h>

#include <cstdint>
#include <optional>

#include "../CommApi.h"

struct LineTermios {
  termios Attributes{};          // raw mode, character size, parity, stop bits, handshakes
  std::uint32_t CustomRate = 0;  // non-zero: a rate without a Bnnn constant, set by termios2
  bool DtrOn = true;             // DTR turned on, or held off
  bool RtsOff = false;           // RTS held off (no hardware handshake)
};

// The record applied to base (the device's current attributes). Empty when the record
// asks for something this layer cannot give: an unknown rate, character size, parity or
// stop-bit code, or one and a half stop bits with more than five data bits.
std::optional<LineTermios> TranslateRecord(const comm::DCB& dcb, const termios& base);

// The Bnnn constant of a rate, or 0 when termios has none (14400, 56000).
speed_t StandardSpeed(std::uint32_t bitsPerSecond);
