#include "RowText.h"

#include "../text/Cp1251.h"

QString RowText(std::string_view bytes) {
  QString text = cp1251::Decode(bytes);
  for (QChar& ch : text) {
    const char16_t code = ch.unicode();
    // The Control Pictures block: U+2400 + byte for 0..31, U+2421 for DEL.
    if (code < 0x20) {
      ch = QChar(static_cast<char16_t>(0x2400 + code));
    } else if (code == 0x7F) {
      ch = QChar(static_cast<char16_t>(0x2421));
    }
  }
  return text;
}
