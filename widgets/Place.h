// Puts a control at its place on a form: object name, position and size in pixels, and
// the forms' font, plain or bold. Labels may carry a colour of their own.
#pragma once

#include <QLabel>
#include <QString>

#include "Fonts.h"

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height, bool bold = false) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(left, top, width, height);
  widget->setFont(FormFont(bold));
  return widget;
}

// Makes the label name the control for assistive technology (and for its mnemonic).
void NameAfter(QLabel* label, QWidget* control);

// A label in the given text colour.
QLabel* ColouredLabel(QWidget* parent, const QString& text, QRgb colour);

inline constexpr QRgb kLabelGreen = 0xFF008000;  // red 0, green 128, blue 0
inline constexpr QRgb kLabelBlue = 0xFF0000FF;
inline constexpr QRgb kLabelBlack = 0xFF000000;
