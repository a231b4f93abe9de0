#include "SpeedButtonAccessible.h"

#include "SpeedButton.h"

SpeedButtonAccessible::SpeedButtonAccessible(TSpeedButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

TSpeedButton* SpeedButtonAccessible::Button() const { return static_cast<TSpeedButton*>(widget()); }

QAccessibleInterface* SpeedButtonAccessible::Factory(const QString&, QObject* object) {
  if (auto* button = qobject_cast<TSpeedButton*>(object)) return new SpeedButtonAccessible(button);
  return nullptr;
}

QString SpeedButtonAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    const QString name = QAccessibleWidget::text(t);
    return name.isEmpty() ? Button()->text() : name;
  }
  return QAccessibleWidget::text(t);
}

QAccessible::Role SpeedButtonAccessible::role() const {
  return Button()->isCheckable() ? QAccessible::RadioButton : QAccessible::Button;
}

QAccessible::State SpeedButtonAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.focusable = false;
  s.checkable = Button()->isCheckable();
  s.checked = Button()->isChecked();
  s.pressed = Button()->isDown();
  return s;
}

QStringList SpeedButtonAccessible::actionNames() const {
  return {QAccessibleActionInterface::pressAction()};
}

void SpeedButtonAccessible::doAction(const QString& actionName) {
  if (!Button()->isEnabled()) return;
  if (actionName == QAccessibleActionInterface::pressAction() ||
      actionName == QAccessibleActionInterface::toggleAction()) {
    Button()->click();
  }
}
