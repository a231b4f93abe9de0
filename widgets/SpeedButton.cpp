#include "SpeedButton.h"

#include <QAccessible>
#include <QButtonGroup>

#include "SpeedButtonAccessible.h"

TSpeedButton::TSpeedButton(const QString& text, QWidget* parent) : QToolButton(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(&SpeedButtonAccessible::Factory);
    return true;
  }();
  Q_UNUSED(factoryInstalled);
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
