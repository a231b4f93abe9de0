// A list box for a line list: paints only the rows in view (all of one height), so an
// insert costs the same however many rows there are. Single selection, keyboard
// navigation, mouse wheel and scroll bars. While the operator has scrolled away from the
// top, new rows do not move the rows being read.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "LineStore.h"

class TLineListBox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TLineListBox(const QString& heading, QWidget* parent = nullptr);

  // Adds a line at row 1, just below the heading.
  void Insert(std::string_view bytes);

  const LineStore& Store() const { return store_; }
  std::size_t RowCount() const { return store_.RowCount(); }
  QString RowDisplayText(std::size_t row) const;

  // The selected row as shown now, or nothing.
  std::optional<std::size_t> SelectedRow() const;
  void SelectRow(std::size_t row);
  // The first row in view.
  std::size_t TopRow() const;
  int RowHeight() const { return rowHeight_; }
  std::size_t RowsInView() const;

  // Brings the scroll bars up to date now. While rows pour in at the top their range is
  // updated a few times a second rather than at every row.
  void UpdateScrollBars();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateFontMetrics();
  void CatchUpScrollBars();
  std::pair<int, int> VerticalRange() const;  // maximum and page step for the rows now
  int HorizontalMaximum() const;
  void EnsureVisible(std::size_t row);
  qreal WidthOf(std::string_view bytes) const;

  LineStore store_;
  int rowHeight_ = 13;
  std::array<qreal, 256> advance_{};  // the width of each byte's character in this font
  qreal widest_ = 0;                  // the widest row's width, for the horizontal bar
  QTimer scrollBarTimer_;
  bool followingInsert_ = false;
  bool scrollBarsBehind_ = false;  // the range was left behind while it showed the same  // the top
                                   // row moves with an insert: the view stays as is
  // The selection follows its line, not its row number: rows move down as lines arrive.
  // Held as the arrival index of the line; kHeading for the heading row.
  static constexpr std::size_t kHeading = static_cast<std::size_t>(-1);
  std::optional<std::size_t> selected_;
};
