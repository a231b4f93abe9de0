#include "VarmoModule.h"

#include <optional>

namespace {

constexpr std::uint32_t kRates[] = {110,  300,   600,   1200,  2400,  4800,
                                    9600, 19200, 38400, 57600, 115200};

std::optional<int> Hex2(const std::string& text, std::size_t at) {
  int value = 0;
  for (std::size_t i = at; i < at + 2; ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace

std::uint32_t VarmoModule::RateOfCode(int code) {
  return code >= 0 && code <= 10 ? kRates[code] : 0;
}

std::string VarmoModule::Answer(const std::string& line) {
  if (line.rfind("%00", 0) != 0) return line + "\r\n";
  if (line.size() != 11 || line.compare(5, 2, "0Z") != 0) return "ERR\r\n";
  const auto address = Hex2(line, 3);
  const auto rate = Hex2(line, 7);
  const std::string flag = line.substr(9, 2);
  if (!address || *address == 0 || !rate || *rate > 10 || (flag != "00" && flag != "40")) {
    return "ERR\r\n";
  }
  address_ = *address;
  rateCode_ = *rate;
  checksum_ = flag == "40";
  return "OK\r\n";
}
