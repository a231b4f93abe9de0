#include "ErrorBox.h"

#include <QMessageBox>

#include "FixedForm.h"

namespace {
std::function<void(QMessageBox&)>& Hook() {
  static std::function<void(QMessageBox&)> hook;
  return hook;
}
}  // namespace

void SetErrorBoxHook(std::function<void(QMessageBox&)> hook) { Hook() = std::move(hook); }

void ShowErrorBox(QWidget* parent, const QString& message, const QString& details) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), message, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  if (!details.isEmpty()) box.setInformativeText(details);
  if (Hook()) {
    Hook()(box);
    return;
  }
  box.adjustSize();
  CentreOnScreen(box);
  box.exec();
}
