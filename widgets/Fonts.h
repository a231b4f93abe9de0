// The forms' font: "MS Sans Serif" with a character height of 11 pixels (8 points), plain
// or bold. Where that face is missing, a face of the same metrics stands in.
#pragma once

#include <QColor>
#include <QFont>

QFont FormFont(bool bold = false);

// Green label text: red 0, green 128, blue 0.
inline constexpr QRgb kLabelGreen = 0xFF008000;
