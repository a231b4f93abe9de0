// How "COM1" to "COM16" find a device on Linux: a link named COM<n> in the port-link folder
// first; otherwise the n-th serial device present, USB adapters first, then on-board ports
// that the kernel reports as real hardware.
#pragma once

#include <string>
#include <vector>

struct PortResolution {
  std::string Path;    // the device to open; empty when the name resolves to nothing
  std::string Detail;  // how the name was resolved, in words for the operator
};

// $XDG_CONFIG_HOME/varmo-terminal/ports, or ~/.config/varmo-terminal/ports.
std::string PortLinkFolder();

// The serial devices present, in the order COM numbers are handed out: /dev/ttyUSB*, then
// /dev/ttyACM* (each in numeric order), then on-board ports. sysClassTty is the kernel's
// tty class folder (a parameter so that tests can lay out their own).
std::vector<std::string> ListSerialDevices(const std::string& sysClassTty = "/sys/class/tty");

// Resolves "COM<n>" (any letter case); a name of another form resolves to nothing.
PortResolution ResolvePortName(const std::string& name, const std::string& linkFolder,
                               const std::vector<std::string>& devices);
