#include "FixedDialog.h"

#include "FixedForm.h"

TFixedDialog::TFixedDialog(const QString& caption, int width, int height, QWidget* parent)
    : QDialog(parent) {
  MakeFixedForm(*this, caption, width, height);
}

void TFixedDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(*this);
  QDialog::showEvent(event);
}
