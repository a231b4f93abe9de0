// A modal dialog with a fixed frame, centred on the screen each time it is shown.
#pragma once

#include <QDialog>

class TFixedDialog : public QDialog {
 public:
  TFixedDialog(const QString& caption, int width, int height, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
};
