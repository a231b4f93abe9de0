#include "SpeedButton.h"

#include <QButtonGroup>

TSpeedButton::TSpeedButton(const QString& text, QWidget* parent) : QToolButton(parent) {
  setText(text);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

QButtonGroup* TSpeedButton::Group(std::initializer_list<TSpeedButton*> buttons) {
  auto* group = new QButtonGroup((*buttons.begin())->parent());
  group->setExclusive(true);
  for (TSpeedButton* button : buttons) {
    button->setCheckable(true);
    group->addButton(button);
  }
  return group;
}
