// An editable drop-down list whose position is always one of its items. Typed text is
// completed to the first item that begins with it (letter case ignored), which selects
// that item; text that matches no item selects nothing, and when the field is left or
// Return is pressed it shows the last valid item again. Typed text never becomes an item.
#pragma once

#include <QComboBox>

class TComboList : public QComboBox {
  Q_OBJECT

 public:
  explicit TComboList(QWidget* parent = nullptr);

  // The selected position: always an item's, never -1 once the list has items.
  int Position() const { return position_; }
  void SetPosition(int position);

  // Puts the last valid item's text back into the field.
  void Normalise();

 signals:
  // The operator picked an item or typed text that selects one: the change event.
  void changed(int position);

 private:
  void OnTextEdited(const QString& text);
  void Select(int position);

  int position_ = -1;
  QString typed_;  // the field's text after the operator's last edit
};
