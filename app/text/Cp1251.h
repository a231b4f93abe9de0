// Single-byte text: bytes and characters map through the Windows-1251 code page both ways.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace cp1251 {

// The character of a byte. Bytes 0x80-0xFF use the code page; 0x98, which it leaves
// unassigned, maps to U+FFFD.
QChar ToUnicode(unsigned char byte);

// The byte of a character, or nothing when the code page cannot carry it.
std::optional<unsigned char> FromUnicode(QChar ch);

QString Decode(std::string_view bytes);

// The bytes of text; nothing when any character cannot be carried.
std::optional<std::string> Encode(const QString& text);

bool CanEncode(const QString& text);

}  // namespace cp1251
