#include "ModuleCommand.h"

namespace {
QString Hex2(int value) {
  return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}
}  // namespace

QString ModuleConfigCommand(int address, int rateCode, int checksumPosition) {
  return QStringLiteral("%00") + Hex2(address) + QStringLiteral("0Z") + Hex2(rateCode) +
         (checksumPosition == 0 ? QStringLiteral("00") : QStringLiteral("40"));
}
