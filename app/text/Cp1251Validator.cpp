#include "Cp1251Validator.h"

#include "Cp1251.h"

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
  return cp1251::CanEncode(input) ? Acceptable : Invalid;
}

void Cp1251Validator::fixup(QString& input) const {
  input.removeIf([](QChar ch) { return !cp1251::FromUnicode(ch).has_value(); });
}
