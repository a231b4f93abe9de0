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
  // The button-face colour as the form's background; the roles stay as they are, so that
  // text keeps its window-text colour.
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  form.setPalette(palette);
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
