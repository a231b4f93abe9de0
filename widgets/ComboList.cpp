#include "ComboList.h"

#include <QLineEdit>

TComboList::TComboList(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  // Completion is done here, so that only the operator's own picks and edits select.
  setCompleter(nullptr);
  connect(lineEdit(), &QLineEdit::textEdited, this, &TComboList::OnTextEdited);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    Select(index);
    Normalise();
  });
  connect(lineEdit(), &QLineEdit::editingFinished, this, &TComboList::Normalise);
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] {
    if (position_ < 0 && count() > 0) position_ = currentIndex() < 0 ? 0 : currentIndex();
  });
}

void TComboList::SetPosition(int position) {
  if (position < 0 || position >= count()) return;
  position_ = position;
  Normalise();
}

void TComboList::Normalise() {
  typed_.clear();
  if (position_ < 0 || position_ >= count()) return;
  const QSignalBlocker block(this);
  if (currentIndex() != position_) setCurrentIndex(position_);
  if (currentText() != itemText(position_)) setEditText(itemText(position_));
}

void TComboList::OnTextEdited(const QString& text) {
  const bool typedForward = text.size() > typed_.size();
  typed_ = text;
  if (text.isEmpty()) return;
  for (int i = 0; i < count(); ++i) {
    const QString item = itemText(i);
    if (!item.startsWith(text, Qt::CaseInsensitive)) continue;
    Select(i);
    // Show the rest of the entry selected, so that the next key replaces it.
    QLineEdit* edit = lineEdit();
    if (typedForward && edit->cursorPosition() == text.size() && item.size() > text.size()) {
      edit->setText(text + item.mid(text.size()));
      edit->setSelection(static_cast<int>(item.size()),
                         static_cast<int>(text.size() - item.size()));
    }
    return;
  }
}

void TComboList::Select(int position) {
  if (position < 0 || position >= count()) return;
  position_ = position;
  emit changed(position);
}
