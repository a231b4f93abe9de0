// The port line dialog: data bits, hardware handshake, parity and stop bits, and whether
// DTR is turned on when the line is set up. The form is created once at start-up and
// hidden between showings, so it keeps its values; the main window's click handler reads
// the lists' positions after OK.
#pragma once

#include "FixedDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class TComboList;
class TShape;

class TFrmConfig : public TFixedDialog {
 public:
  explicit TFrmConfig(QWidget* parent = nullptr);

  TShape* Shape3;
  QLabel* Label4;
  TComboList* CBBataBits;
  QLabel* Label5;
  TComboList* CBHWHS;
  QLabel* Label6;
  TComboList* CBParity;
  QLabel* Label7;
  TComboList* CBStop;
  QCheckBox* CheckBox1;
  TShape* Shape1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
};

// The program's one instance, made at start-up.
extern TFrmConfig* FrmConfig;
