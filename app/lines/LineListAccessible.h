// The line list as assistive technology sees it: a list whose children are its rows, with
// each row's text (control bytes named as the list draws them), selection and focus. Row
// interfaces are made only when a client asks for them, so a list of ten million rows costs
// nothing extra until then.
#pragma once

#include <QAccessibleWidget>
#include <map>

class TLineListBox;

class LineListAccessible : public QAccessibleWidget {
 public:
  explicit LineListAccessible(TLineListBox* list);
  ~LineListAccessible() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessible::State state() const override;

  TLineListBox* List() const;

  // Makes the interface of TLineListBox objects; installed once by the first list.
  static QAccessibleInterface* Factory(const QString& className, QObject* object);

 private:
  // Rows keep their interface by line, not by row number: rows move down as lines arrive.
  mutable std::map<std::size_t, QAccessible::Id> rows_;
};

class LineRowAccessible : public QAccessibleInterface {
 public:
  LineRowAccessible(LineListAccessible* list, std::size_t line) : list_(list), line_(line) {}

  static constexpr std::size_t kHeading = static_cast<std::size_t>(-1);

  std::size_t Row() const;

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override { return list_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override;

 private:
  LineListAccessible* list_;
  std::size_t line_;
};
