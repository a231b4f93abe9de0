#include "LineListAccessible.h"

#include <QWidget>

#include "LineListBox.h"

LineListAccessible::LineListAccessible(TLineListBox* list)
    : QAccessibleWidget(list, QAccessible::List) {}

LineListAccessible::~LineListAccessible() {
  for (const auto& [line, id] : rows_) QAccessible::deleteAccessibleInterface(id);
}

TLineListBox* LineListAccessible::List() const { return static_cast<TLineListBox*>(widget()); }

QAccessibleInterface* LineListAccessible::Factory(const QString&, QObject* object) {
  if (auto* list = qobject_cast<TLineListBox*>(object)) return new LineListAccessible(list);
  return nullptr;
}

int LineListAccessible::childCount() const {
  return static_cast<int>(std::min<std::size_t>(List()->RowCount(), INT32_MAX));
}

QAccessibleInterface* LineListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  const auto row = static_cast<std::size_t>(index);
  const std::size_t line = row == 0 ? LineRowAccessible::kHeading : List()->Store().LineOfRow(row);
  auto it = rows_.find(line);
  if (it == rows_.end()) {
    auto* self = const_cast<LineListAccessible*>(this);
    it = rows_
             .emplace(line,
                      QAccessible::registerAccessibleInterface(new LineRowAccessible(self, line)))
             .first;
  }
  return QAccessible::accessibleInterface(it->second);
}

int LineListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* row = dynamic_cast<const LineRowAccessible*>(child);
  return row != nullptr && row->parent() == this ? static_cast<int>(row->Row()) : -1;
}

QAccessibleInterface* LineListAccessible::childAt(int x, int y) const {
  const QPoint local = List()->viewport()->mapFromGlobal(QPoint(x, y));
  if (!List()->viewport()->rect().contains(local)) return nullptr;
  const std::size_t row =
      List()->TopRow() + static_cast<std::size_t>(local.y() / List()->RowHeight());
  return row < List()->RowCount() ? child(static_cast<int>(row)) : nullptr;
}

QAccessible::State LineListAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.focusable = true;
  return s;
}

std::size_t LineRowAccessible::Row() const {
  return line_ == kHeading ? 0 : list_->List()->Store().RowOfLine(line_);
}

bool LineRowAccessible::isValid() const { return list_ != nullptr && list_->isValid(); }

QWindow* LineRowAccessible::window() const { return list_->window(); }

QString LineRowAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Name) return {};
  return list_->List()->RowDisplayText(Row());
}

QRect LineRowAccessible::rect() const {
  const TLineListBox* list = list_->List();
  const std::size_t row = Row();
  const std::size_t top = list->TopRow();
  if (row < top || row >= top + list->RowsInView() + 1) return {};
  const QPoint origin =
      list->viewport()->mapToGlobal(QPoint(0, static_cast<int>(row - top) * list->RowHeight()));
  return {origin, QSize(list->viewport()->width(), list->RowHeight())};
}

QAccessible::State LineRowAccessible::state() const {
  QAccessible::State s;
  s.selectable = true;
  s.focusable = true;
  const TLineListBox* list = list_->List();
  const auto selected = list->SelectedRow();
  s.selected = selected && *selected == Row();
  s.focused = s.selected && list->hasFocus();
  const std::size_t top = list->TopRow();
  s.invisible = Row() < top || Row() >= top + list->RowsInView() + 1;
  return s;
}
