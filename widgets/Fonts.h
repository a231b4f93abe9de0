// The forms' font: "MS Sans Serif" with a character height of 11 pixels (8 points), plain
// or bold. Where that face is missing, a face of the same metrics stands in.
#pragma once

#include <QFont>

QFont FormFont(bool bold = false);
