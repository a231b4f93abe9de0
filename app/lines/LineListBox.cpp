#include "LineListBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "../text/Cp1251.h"
#include "RowText.h"

TLineListBox::TLineListBox(const QString& heading, QWidget* parent)
    : QAbstractScrollArea(parent), store_(cp1251::Encode(heading).value_or(std::string())) {
  setFocusPolicy(Qt::StrongFocus);
  setBackgroundRole(QPalette::Base);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(8);
  UpdateRowHeight();
  WidenFor(heading);
}

QString TLineListBox::RowDisplayText(std::size_t row) const { return RowText(store_.Row(row)); }

void TLineListBox::Insert(std::string_view bytes) {
  store_.Insert(bytes);
  WidenFor(RowText(bytes));
  QScrollBar* bar = verticalScrollBar();
  const int top = bar->value();
  UpdateScrollBars();
  if (top > 0) {
    // Scrolled away from the top: keep the same rows in view.
    bar->setValue(top + 1);
  } else {
    viewport()->update();
  }
  emit rowsInserted(1);
}

std::optional<std::size_t> TLineListBox::SelectedRow() const {
  if (!selected_) return std::nullopt;
  if (*selected_ == kHeading) return 0;
  return store_.RowOfLine(*selected_);
}

void TLineListBox::SelectRow(std::size_t row) {
  row = std::min(row, store_.RowCount() - 1);
  selected_ = row == 0 ? kHeading : store_.LineOfRow(row);
  EnsureVisible(row);
  viewport()->update();
  emit selectionChanged(row);
}

std::size_t TLineListBox::TopRow() const {
  return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t TLineListBox::RowsInView() const {
  return static_cast<std::size_t>(std::max(1, viewport()->height() / rowHeight_));
}

void TLineListBox::UpdateScrollBars() {
  const auto rows = static_cast<long long>(store_.RowCount());
  const auto inView = static_cast<long long>(RowsInView());
  QScrollBar* bar = verticalScrollBar();
  // A scroll bar counts in int: past 2^31 rows the last ones are reached by keyboard only.
  bar->setRange(0, static_cast<int>(std::clamp<long long>(rows - inView, 0, INT32_MAX)));
  bar->setPageStep(static_cast<int>(inView));
  QScrollBar* across = horizontalScrollBar();
  across->setRange(0, std::max(0, widest_ + 6 - viewport()->width()));
  across->setPageStep(viewport()->width());
}

void TLineListBox::EnsureVisible(std::size_t row) {
  const std::size_t top = TopRow();
  const std::size_t inView = RowsInView();
  if (row < top) {
    verticalScrollBar()->setValue(static_cast<int>(row));
  } else if (row >= top + inView) {
    verticalScrollBar()->setValue(static_cast<int>(row - inView + 1));
  }
}

void TLineListBox::WidenFor(const QString& text) {
  const int width = fontMetrics().horizontalAdvance(text);
  if (width > widest_) {
    widest_ = width;
    UpdateScrollBars();
  }
}

void TLineListBox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const QPalette& pal = palette();
  const std::size_t top = TopRow();
  const std::size_t last = std::min(store_.RowCount(), top + RowsInView() + 1);
  const std::optional<std::size_t> selected = SelectedRow();
  const int left = 2 - horizontalScrollBar()->value();
  painter.setFont(font());
  for (std::size_t row = top; row < last; ++row) {
    const QRect rect(0, static_cast<int>(row - top) * rowHeight_, viewport()->width(), rowHeight_);
    const bool isSelected = selected && *selected == row;
    if (isSelected) painter.fillRect(rect, pal.brush(QPalette::Highlight));
    painter.setPen(pal.color(isSelected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(rect.adjusted(left, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     RowDisplayText(row));
    if (isSelected && hasFocus()) {
      painter.setPen(QPen(pal.color(QPalette::HighlightedText), 1, Qt::DotLine));
      painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
  }
}

void TLineListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TLineListBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateRowHeight();
}

void TLineListBox::UpdateRowHeight() {
  rowHeight_ = std::max(1, fontMetrics().height() + 1);
  UpdateScrollBars();
  viewport()->update();
}

void TLineListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TLineListBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void TLineListBox::keyPressEvent(QKeyEvent* event) {
  const std::size_t rows = store_.RowCount();
  const std::size_t current = SelectedRow().value_or(0);
  const std::size_t page = std::max<std::size_t>(1, RowsInView() - 1);
  std::size_t target = current;
  switch (event->key()) {
    case Qt::Key_Up:
      target = current > 0 ? current - 1 : 0;
      break;
    case Qt::Key_Down:
      target = SelectedRow() ? std::min(current + 1, rows - 1) : 0;
      break;
    case Qt::Key_PageUp:
      target = current > page ? current - page : 0;
      break;
    case Qt::Key_PageDown:
      target = std::min(current + page, rows - 1);
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = rows - 1;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  SelectRow(target);
  event->accept();
}

void TLineListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const std::size_t row = TopRow() + static_cast<std::size_t>(event->position().y()) / rowHeight_;
  if (row < store_.RowCount()) SelectRow(row);
}
