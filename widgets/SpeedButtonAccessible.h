// A speed button as assistive technology sees it: a button (or, in a switch group, a radio
// button with its checked state) whose one action presses it, as a mouse click would. Qt's
// own interface offers only "Toggle" for a checkable button, which changes its state
// without raising its click.
#pragma once

#include <QAccessibleWidget>

class TSpeedButton;

class SpeedButtonAccessible : public QAccessibleWidget {
 public:
  explicit SpeedButtonAccessible(TSpeedButton* button);

  QString text(QAccessible::Text t) const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  static QAccessibleInterface* Factory(const QString& className, QObject* object);

 private:
  TSpeedButton* Button() const;
};
