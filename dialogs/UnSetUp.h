// The buffer and packet dialog: buffer sizes, software handshake, output time-out,
// polling delay and the packet options. The form is created once at start-up and hidden
// between showings, so it keeps its values; the main window's click handler reads the
// spinners' and lists' positions after OK.
#pragma once

#include "FixedDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TComboList;
class TShape;
class TUpDown;

class TFrmSetUp : public TFixedDialog {
 public:
  explicit TFrmSetUp(QWidget* parent = nullptr);

  TShape* Shape1;
  QLabel* Label13;
  QLineEdit* EdtIBS;
  TUpDown* UDIBS;
  QLabel* Label12;
  QLineEdit* EdtOBS;
  TUpDown* UDOBS;
  TShape* Shape2;
  QLabel* Label8;
  TComboList* CBSHS;
  TShape* Shape4;
  QLabel* Label9;
  QLineEdit* EdtOT;
  TUpDown* UDOT;
  QLabel* Label1;
  QLineEdit* EdtPD;
  TUpDown* UDPD;
  TShape* Shape5;
  QLabel* Label2;
  TComboList* CBPM;
  QLabel* Label10;
  QLineEdit* EdtPS;
  TUpDown* UDPS;
  QLabel* Label11;
  QLineEdit* EdtPT;
  TUpDown* UDPT;
  TShape* Shape3;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;
};

// The program's one instance, made at start-up.
extern TFrmSetUp* FrmSetUp;
