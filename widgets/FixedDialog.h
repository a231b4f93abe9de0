// A modal dialog with a fixed frame, centred on the screen each time it is shown, with the
// standard OK and Cancel buttons: OK (and Enter) closes it with result 1; Cancel, Esc and
// the close box with a result other than 1.
#pragma once

#include <QDialog>

class QPushButton;

class TFixedDialog : public QDialog {
 public:
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  TFixedDialog(const QString& caption, int width, int height, QWidget* parent = nullptr);

 protected:
  // Makes the two buttons, bold, at their places.
  QPushButton* MakeOkButton(const char* name, int left, int top, int width, int height);
  QPushButton* MakeCancelButton(const char* name, int left, int top, int width, int height);

  void showEvent(QShowEvent* event) override;
  void reject() override { done(kCancel); }
};
