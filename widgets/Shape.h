// A rectangle drawn beneath the controls it frames: a one-pixel black outline filled with
// the button-face colour.
#pragma once

#include <QWidget>

class TShape : public QWidget {
 public:
  explicit TShape(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
