// The modal message box of the error kind: title "Error", the error icon, one OK button
// that Enter and Escape both press, centred on the screen.
#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

// Shows the box and returns when the operator closes it. details, when not empty, is shown
// below the message as the box's informative text.
void ShowErrorBox(QWidget* parent, const QString& message, const QString& details);

// For tests: while set, a box is handed to the hook instead of being shown.
void SetErrorBoxHook(std::function<void(QMessageBox&)> hook);
