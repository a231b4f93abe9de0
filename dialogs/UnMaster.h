// The module configuration wizard: the procedure that puts a module into its
// initialisation mode, and the new address, rate and checksum choice from which the main
// window builds the configuration command after OK. Created once, it keeps its values.
#pragma once

#include "FixedDialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TComboList;
class TShape;
class TUpDown;

class TFrmMaster : public TFixedDialog {
 public:
  explicit TFrmMaster(QWidget* parent = nullptr);

  // The instruction text, one entry a line.
  static const QStringList& Instructions();

  QLabel* Label3;
  QPlainTextEdit* Memo1;
  TShape* Shape1;
  QLabel* Label1;
  QLineEdit* EdtAddr;
  TUpDown* UpDown;
  QLabel* Label2;
  TComboList* CBSpeed;
  QLabel* Label4;
  TComboList* CBCtrlSum;
  TShape* Shape5;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;
};

// The program's one instance, made at start-up.
extern TFrmMaster* FrmMaster;
