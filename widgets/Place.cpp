#include "Place.h"

QLabel* ColouredLabel(QWidget* parent, const QString& text, QRgb colour) {
  auto* label = new QLabel(text, parent);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
  label->setPalette(palette);
  return label;
}

void NameAfter(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  control->setAccessibleName(label->text());
}
