// The module configuration command: "%00", the new address as two upper-case hexadecimal
// digits, "0Z", the rate code as two digits, and "00" without checksum or "40" with it.
#pragma once

#include <QString>

QString ModuleConfigCommand(int address, int rateCode, int checksumPosition);
