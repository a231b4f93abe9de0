// How a row's bytes are drawn: one character per byte through the code page, with control
// bytes as visible symbols so that a row never breaks across lines.
#pragma once

#include <QString>
#include <string_view>

QString RowText(std::string_view bytes);
