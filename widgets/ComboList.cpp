#include "ComboList.h"

#include <QCompleter>
#include <QLineEdit>

TComboList::TComboList(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  completer()->setCompletionMode(QCompleter::InlineCompletion);
  completer()->setCaseSensitivity(Qt::CaseInsensitive);
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
  if (position_ < 0 || position_ >= count()) return;
  const QSignalBlocker block(this);
  if (currentIndex() != position_) setCurrentIndex(position_);
  if (currentText() != itemText(position_)) setEditText(itemText(position_));
}

void TComboList::OnTextEdited(const QString& text) {
  if (text.isEmpty()) return;
  for (int i = 0; i < count(); ++i) {
    if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
      Select(i);
      return;
    }
  }
}

void TComboList::Select(int position) {
  if (position < 0 || position >= count()) return;
  position_ = position;
  emit changed(position);
}
