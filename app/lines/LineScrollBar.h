// The vertical scroll bar of a line list. While rows pour in at the top, its range is only
// brought up to date when that changes what it shows or when the operator reaches for it:
// repainting a scroll bar costs far more than adding a row.
#pragma once

#include <QScrollBar>
#include <functional>

class TLineScrollBar : public QScrollBar {
 public:
  explicit TLineScrollBar(QWidget* parent = nullptr) : QScrollBar(Qt::Vertical, parent) {}

  // Runs before the operator's mouse or wheel works the bar.
  std::function<void()> BeforeUse;

  // Where the slider would be drawn with this range and page step.
  QRect SliderRectFor(int maximum, int pageStep) const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};
