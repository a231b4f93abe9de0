// What a module says: address 00, 9600 bit/s, no checksum at first. A configuration command
// "%00" + address + "0Z" + rate code + checksum flag is answered "OK" and takes effect at
// once; a malformed one "ERR"; any other line is echoed back.
#pragma once

#include <cstdint>
#include <string>

class VarmoModule {
 public:
  // The rate of each rate code, 0x00 to 0x0A.
  static std::uint32_t RateOfCode(int code);

  std::uint32_t Rate() const { return RateOfCode(rateCode_); }
  int Address() const { return address_; }
  bool Checksum() const { return checksum_; }

  // The reply to one command line (without its carriage return).
  std::string Answer(const std::string& line);

 private:
  int address_ = 0;
  int rateCode_ = 6;
  bool checksum_ = false;
};
