#include "LineScrollBar.h"

#include <QStyle>
#include <QStyleOptionSlider>

QRect TLineScrollBar::SliderRectFor(int maximum, int pageStep) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  option.maximum = maximum;
  option.pageStep = pageStep;
  return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void TLineScrollBar::mousePressEvent(QMouseEvent* event) {
  if (BeforeUse) BeforeUse();
  QScrollBar::mousePressEvent(event);
}

void TLineScrollBar::wheelEvent(QWheelEvent* event) {
  if (BeforeUse) BeforeUse();
  QScrollBar::wheelEvent(event);
}
