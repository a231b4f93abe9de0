#include "FixedForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "Fonts.h"

void MakeFixedForm(QWidget& form, const QString& caption, int width, int height) {
  form.setWindowTitle(caption);
  form.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                      Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  form.setFixedSize(width, height);
  form.setFont(FormFont());
  form.setBackgroundRole(QPalette::Button);
  form.setAutoFillBackground(true);
}

void CentreOnScreen(QWidget& form) {
  const QScreen* screen =
      form.screen() != nullptr ? form.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = form.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  form.move(frame.topLeft());
}
