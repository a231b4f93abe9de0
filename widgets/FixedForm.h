// Forms with a fixed dialog frame: a title bar and a close box only, a fixed client area,
// the button-face background and the forms' font; centred on the screen when shown.
#pragma once

#include <QString>

class QWidget;

void MakeFixedForm(QWidget& form, const QString& caption, int width, int height);
void CentreOnScreen(QWidget& form);
