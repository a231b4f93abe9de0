// A flat speed button: drawn without a border until the pointer is over it, sunken while
// down, left mouse button only, and it never takes the keyboard focus. Buttons with the
// same group index form an exclusive group: exactly one is down, and pressing the one
// that is already down keeps it down and still clicks.
#pragma once

#include <QToolButton>

class QButtonGroup;

class TSpeedButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TSpeedButton(const QString& text, QWidget* parent = nullptr);

  // Makes the buttons one exclusive group, owned by the first one's parent.
  static QButtonGroup* Group(std::initializer_list<TSpeedButton*> buttons);
};
