// How long bytes take on the line: the basis on which packet reception estimates when the
// first byte of a partial packet arrived.
#pragma once

#include <cstdint>

#include "SerialDrv.h"

// Bits per second of a rate; 0 for a value outside the 13 rates.
std::int32_t BaudRateToBps(TComPortBaudRate rate);

// Milliseconds that count bytes take at rate, at 10 bits per byte: count / (bps / 10),
// then * 1000, each step rounded to nearest in the 80-bit extended format (a 64-bit
// significand), then rounded to a whole number, halves to even. The extended format is
// emulated in integers so that every target gives the same results.
std::int32_t PacketTransferTime(TComPortBaudRate rate, std::int32_t count);
