#include "LineListBox.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "../text/Cp1251.h"
#include "LineListAccessible.h"
#include "LineScrollBar.h"
#include "RowText.h"

namespace {
// How long a range change of the scroll bars may wait while rows pour in at the top: the
// bars are repainted a few times a second instead of at every row.
constexpr int kScrollBarDelayMs = 150;
}  // namespace

TLineListBox::TLineListBox(const QString& heading, QWidget* parent)
    : QAbstractScrollArea(parent), store_(cp1251::Encode(heading).value_or(std::string())) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(&LineListAccessible::Factory);
    return true;
  }();
  Q_UNUSED(factoryInstalled);
  setAccessibleName(heading);
  setFocusPolicy(Qt::StrongFocus);
  setBackgroundRole(QPalette::Base);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  auto* bar = new TLineScrollBar(this);
  bar->BeforeUse = [this] {
    if (scrollBarTimer_.isActive() || scrollBarsBehind_) UpdateScrollBars();
  };
  setVerticalScrollBar(bar);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(8);
  scrollBarTimer_.setSingleShot(true);
  scrollBarTimer_.setInterval(kScrollBarDelayMs);
  connect(&scrollBarTimer_, &QTimer::timeout, this, &TLineListBox::CatchUpScrollBars);
  UpdateFontMetrics();
}

QString TLineListBox::RowDisplayText(std::size_t row) const { return RowText(store_.Row(row)); }

void TLineListBox::Insert(std::string_view bytes) {
  store_.Insert(bytes);
  widest_ = std::max(widest_, WidthOf(bytes));
  QScrollBar* bar = verticalScrollBar();
  const int top = bar->value();
  if (top > 0) {
    // Scrolled away from the top: keep the same rows in view. Nothing on screen changes
    // but the scroll bar.
    UpdateScrollBars();
    followingInsert_ = true;
    bar->setValue(top + 1);
    followingInsert_ = false;
  } else {
    if (!scrollBarTimer_.isActive()) scrollBarTimer_.start();
    // The rows under the heading move down by one: shift their pixels and paint only the
    // new row, so that an insert costs one row's painting however tall the list is.
    const QRect below(0, rowHeight_, viewport()->width(), viewport()->height() - rowHeight_);
    viewport()->scroll(0, rowHeight_, below);
  }
  if (QAccessible::isActive()) {
    // Announce the new row to a client that is listening.
    QAccessibleEvent created(this, QAccessible::ObjectCreated);
    created.setChild(1);
    QAccessible::updateAccessibility(&created);
  }
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
  if (QAccessible::isActive()) {
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(static_cast<int>(std::min<std::size_t>(row, INT32_MAX)));
    QAccessible::updateAccessibility(&selection);
    if (hasFocus()) {
      QAccessibleEvent focus(this, QAccessible::Focus);
      focus.setChild(static_cast<int>(std::min<std::size_t>(row, INT32_MAX)));
      QAccessible::updateAccessibility(&focus);
    }
  }
}

std::size_t TLineListBox::TopRow() const {
  return static_cast<std::size_t>(verticalScrollBar()->value());
}

std::size_t TLineListBox::RowsInView() const {
  return static_cast<std::size_t>(std::max(1, viewport()->height() / rowHeight_));
}

void TLineListBox::CatchUpScrollBars() {
  QScrollBar* across = horizontalScrollBar();
  if (across->maximum() != HorizontalMaximum()) {
    across->setRange(0, HorizontalMaximum());
    across->setPageStep(viewport()->width());
  }
  // At the top with the slider looking the same for the new range (it has shrunk to its
  // least length): leave the range behind until it shows or the operator reaches for it.
  auto* bar = static_cast<TLineScrollBar*>(verticalScrollBar());
  const auto [maximum, page] = VerticalRange();
  const bool same = bar->value() == 0 && bar->maximum() > 0 && maximum > 0 &&
                    bar->pageStep() == page &&
                    bar->SliderRectFor(maximum, page) == bar->SliderRectFor(bar->maximum(), page);
  if (!same) {
    UpdateScrollBars();
    return;
  }
  scrollBarsBehind_ = true;
}

std::pair<int, int> TLineListBox::VerticalRange() const {
  const auto rows = static_cast<long long>(store_.RowCount());
  const auto inView = static_cast<long long>(RowsInView());
  // A scroll bar counts in int: past 2^31 rows the last ones are reached by keyboard only.
  return {static_cast<int>(std::clamp<long long>(rows - inView, 0, INT32_MAX)),
          static_cast<int>(inView)};
}

int TLineListBox::HorizontalMaximum() const {
  // In steps of 32 pixels, so that rows a little wider than the last do not repaint the bar.
  const int widest = static_cast<int>(std::min<qreal>(widest_, INT32_MAX / 2));
  const int maximum = std::max(0, widest + 6 - viewport()->width());
  return maximum == 0 ? 0 : (maximum + 31) / 32 * 32;
}

void TLineListBox::UpdateScrollBars() {
  scrollBarTimer_.stop();
  scrollBarsBehind_ = false;
  const auto [maximum, page] = VerticalRange();
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, maximum);
  bar->setPageStep(page);
  QScrollBar* across = horizontalScrollBar();
  across->setRange(0, HorizontalMaximum());
  across->setPageStep(viewport()->width());
}

void TLineListBox::EnsureVisible(std::size_t row) {
  UpdateScrollBars();
  const std::size_t top = TopRow();
  const std::size_t inView = RowsInView();
  if (row < top) {
    verticalScrollBar()->setValue(static_cast<int>(row));
  } else if (row >= top + inView) {
    verticalScrollBar()->setValue(static_cast<int>(row - inView + 1));
  }
}

qreal TLineListBox::WidthOf(std::string_view bytes) const {
  qreal width = 0;
  for (const char byte : bytes) width += advance_[static_cast<unsigned char>(byte)];
  return width;
}

void TLineListBox::UpdateFontMetrics() {
  const QFontMetricsF metrics(font());
  rowHeight_ = std::max(1, static_cast<int>(std::ceil(metrics.height())) + 1);
  // Each byte is one character of its own, so a row's width is the sum of its characters'
  // advances: no text shaping per row, and a long row is drawn from its first visible byte.
  for (int byte = 0; byte < 256; ++byte) {
    const char one = static_cast<char>(byte);
    advance_[static_cast<std::size_t>(byte)] = metrics.horizontalAdvance(RowText({&one, 1}));
  }
  widest_ = 0;  // a new font comes before rows in practice; measuring them all is fine
  for (std::size_t row = 0; row < store_.RowCount(); ++row) {
    widest_ = std::max(widest_, WidthOf(store_.Row(row)));
  }
  UpdateScrollBars();
  viewport()->update();
}

void TLineListBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette& pal = palette();
  const std::size_t top = TopRow();
  // Only the rows that the update touches.
  const QRect dirty = event->rect();
  const std::size_t first = top + static_cast<std::size_t>(std::max(0, dirty.top()) / rowHeight_);
  const std::size_t last =
      std::min({store_.RowCount(), top + RowsInView() + 1,
                top + static_cast<std::size_t>(std::max(0, dirty.bottom()) / rowHeight_) + 1});
  const std::optional<std::size_t> selected = SelectedRow();
  const qreal scrolled = horizontalScrollBar()->value();
  const qreal visibleWidth = viewport()->width();
  const QFontMetrics metrics = fontMetrics();
  const int baseline = (rowHeight_ - metrics.height()) / 2 + metrics.ascent();
  painter.setFont(font());
  for (std::size_t row = first; row < last; ++row) {
    const QRect rect(0, static_cast<int>(row - top) * rowHeight_, viewport()->width(), rowHeight_);
    const bool isSelected = selected && *selected == row;
    if (isSelected) painter.fillRect(rect, pal.brush(QPalette::Highlight));
    painter.setPen(pal.color(isSelected ? QPalette::HighlightedText : QPalette::Text));
    // Draw only the bytes that fall within the view.
    const std::string bytes = store_.Row(row);
    qreal x = 2 - scrolled;
    std::size_t begin = 0;
    while (begin < bytes.size() && x + advance_[static_cast<unsigned char>(bytes[begin])] < 0) {
      x += advance_[static_cast<unsigned char>(bytes[begin++])];
    }
    std::size_t end = begin;
    for (qreal right = x; end < bytes.size() && right < visibleWidth; ++end) {
      right += advance_[static_cast<unsigned char>(bytes[end])];
    }
    painter.drawText(QPointF(x, rect.top() + baseline),
                     RowText(std::string_view(bytes).substr(begin, end - begin)));
    if (isSelected && hasFocus()) {
      painter.setPen(QPen(pal.color(QPalette::HighlightedText), 1, Qt::DotLine));
      painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
  }
}

void TLineListBox::scrollContentsBy(int dx, int dy) {
  if (followingInsert_) return;
  // Move the pixels that stay in view; only what scrolls in is painted.
  viewport()->scroll(dx, dy * rowHeight_);
}

void TLineListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TLineListBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateFontMetrics();
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
