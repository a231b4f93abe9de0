#include "FixedDialog.h"

#include <QPushButton>

#include "ComboList.h"
#include "FixedForm.h"
#include "Place.h"
#include "UpDown.h"

TFixedDialog::TFixedDialog(const QString& caption, int width, int height, QWidget* parent)
    : QDialog(parent) {
  MakeFixedForm(*this, caption, width, height);
}

QPushButton* TFixedDialog::MakeOkButton(const char* name, int left, int top, int width,
                                        int height) {
  auto* button =
      Place(new QPushButton(QStringLiteral("OK"), this), name, left, top, width, height, true);
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, [this] {
    // Lists and spinners being edited show the value that will be read, as when the field
    // is left: text that is no item or no number in range gives way to the last valid one.
    for (TComboList* list : findChildren<TComboList*>()) list->Normalise();
    for (TUpDown* spinner : findChildren<TUpDown*>()) spinner->SetPosition(spinner->Position());
    done(kOk);
  });
  return button;
}

QPushButton* TFixedDialog::MakeCancelButton(const char* name, int left, int top, int width,
                                            int height) {
  auto* button =
      Place(new QPushButton(QStringLiteral("Cancel"), this), name, left, top, width, height, true);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this] { done(kCancel); });
  return button;
}

void TFixedDialog::showEvent(QShowEvent* event) {
  CentreOnScreen(*this);
  QDialog::showEvent(event);
}
