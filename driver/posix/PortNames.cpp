#include "PortNames.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <tuple>

namespace fs = std::filesystem;

std::string PortLinkFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && *config != '\0') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/varmo-terminal/ports";
}

namespace {

// "ttyUSB10" -> ("ttyUSB", 10): devices sort by family, then by number, not by text.
std::pair<std::string, long> SplitNumber(const std::string& name) {
  std::size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])) != 0) --digits;
  const long number = digits < name.size() ? std::strtol(name.c_str() + digits, nullptr, 10) : -1;
  return {name.substr(0, digits), number};
}

int FamilyRank(const std::string& family) {
  if (family == "ttyUSB") return 0;
  if (family == "ttyACM") return 1;
  return 2;
}

std::string ReadFirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// An entry of the tty class is a serial port when it has a device behind it; a UART that
// the kernel reserves without hardware says so with type 0.
bool IsSerialPort(const fs::path& entry) {
  std::error_code error;
  if (!fs::exists(entry / "device", error)) return false;
  const fs::path type = entry / "type";
  if (fs::exists(type, error)) return ReadFirstLine(type) != "0";
  return true;
}

}  // namespace

std::vector<std::string> ListSerialDevices(const std::string& sysClassTty) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(sysClassTty, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("tty", 0) != 0 || !IsSerialPort(entry.path())) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const auto [familyA, numberA] = SplitNumber(a);
    const auto [familyB, numberB] = SplitNumber(b);
    return std::tuple(FamilyRank(familyA), familyA, numberA) <
           std::tuple(FamilyRank(familyB), familyB, numberB);
  });
  std::vector<std::string> devices;
  devices.reserve(names.size());
  for (const auto& name : names) devices.push_back("/dev/" + name);
  return devices;
}

PortResolution ResolvePortName(const std::string& name, const std::string& linkFolder,
                               const std::vector<std::string>& devices) {
  PortResolution result;
  if (name.size() < 4 || name.size() > 6 ||
      !std::equal(
          name.begin(), name.begin() + 3, "COM",
          [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }) ||
      !std::all_of(name.begin() + 3, name.end(),
                   [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
    result.Detail = "\"" + name + "\" is not a port name of the form COM<n>.";
    return result;
  }
  const long number = std::strtol(name.c_str() + 3, nullptr, 10);
  const std::string canonical = "COM" + std::to_string(number);
  const fs::path link = fs::path(linkFolder) / canonical;
  std::error_code error;
  if (fs::is_symlink(link, error) || fs::exists(link, error)) {
    result.Path = link.string();
    std::error_code ignored;
    const fs::path target = fs::canonical(link, ignored);
    result.Detail = canonical + " is bound by the link " + link.string();
    if (!target.empty()) result.Detail += " to " + target.string();
    result.Detail += ".";
    return result;
  }
  if (number >= 1 && static_cast<std::size_t>(number) <= devices.size()) {
    result.Path = devices[static_cast<std::size_t>(number) - 1];
    result.Detail = canonical + " is serial device number " + std::to_string(number) +
                    " found on this computer.";
    return result;
  }
  result.Detail = "There is no link " + link.string() + ", and " +
                  (devices.empty() ? std::string("no serial device was found")
                                   : "only " + std::to_string(devices.size()) +
                                         " serial device(s) were found") +
                  ".";
  return result;
}
