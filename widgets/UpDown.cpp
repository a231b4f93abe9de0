#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <algorithm>

TUpDown::TUpDown(QLineEdit* edit, int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent),
      edit_(edit),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      minimum_(minimum),
      maximum_(maximum),
      position_(std::clamp(position, minimum, maximum)) {
  // The spinner is no tab stop: the keyboard reaches it through its edit.
  setFocusPolicy(Qt::NoFocus);
  for (QToolButton* button : {up_, down_}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setObjectName(QStringLiteral("Up"));
  down_->setObjectName(QStringLiteral("Down"));
  up_->setAccessibleName(QStringLiteral("Up"));
  down_->setAccessibleName(QStringLiteral("Down"));
  connect(up_, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { StepBy(-1); });
  edit_->installEventFilter(this);
  Show();
}

int TUpDown::Position() {
  TakeEditText();
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  Show();
}

void TUpDown::StepBy(int steps) {
  TakeEditText();
  SetPosition(position_ + steps);  // stops at the limits, no wrap-around
}

void TUpDown::TakeEditText() {
  const QString text = edit_->text().trimmed();
  bool ok = false;
  // The user's own format first (digits grouped by the thousands separator), then plain.
  int value = QLocale::system().toInt(text, &ok);
  if (!ok) value = QLocale::c().toInt(text, &ok);
  if (ok && value >= minimum_ && value <= maximum_) position_ = value;
}

void TUpDown::Show() { edit_->setText(QLocale::system().toString(position_)); }

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_) {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        StepBy(key == Qt::Key_Up ? 1 : -1);
        return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      TakeEditText();
      Show();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}
