// An up-down spinner attached to the right edge of an edit. It writes its position into
// the edit as a decimal number (with the user's thousands separator), steps by one with
// its arrows and with the Up and Down keys in the edit, and stops at its limits. The edit
// takes any text; when the position is read, text that is a whole number within the range
// becomes the position, and any other text leaves the position as it was. Leaving the edit
// shows the position again.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT

 public:
  TUpDown(QLineEdit* edit, int minimum, int maximum, int position, QWidget* parent = nullptr);

  // The position, after taking the edit's text if it is a valid number.
  int Position();
  void SetPosition(int position);
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  void StepBy(int steps);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void TakeEditText();
  void Show();

  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
  int minimum_;
  int maximum_;
  int position_;
};
