// The terminal's main window: port and rate lists, the ON/OFF switch, the command line and
// the two line lists. It owns the program's one serial port driver, COMPort.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "CommApi.h"
#include "SerialDrv.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class TComboList;
class TLineListBox;
class TShape;
class TSpeedButton;

class TFrmMain : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmMain(comm::CommApi& api = comm::SystemCommApi(), QWidget* parent = nullptr);
  ~TFrmMain() override;

  // Components, in the order of their declaration.
  std::unique_ptr<TSerialPortDriver> COMPort;
  QWidget* PnlMenu;
  TShape* Shape3;
  TSpeedButton* BtnHWCfg;
  TComboList* CBPortNum;
  TComboList* CBSpeed;
  QLabel* Label2;
  QLabel* Label3;
  TSpeedButton* BtnSWCfg;
  TSpeedButton* BtnPortOn;
  TSpeedButton* BtnPortOff;
  QSplitter* Splitter1;
  QLineEdit* EdtSend;
  TSpeedButton* BtnSend;
  TShape* Shape4;
  TShape* Shape5;
  QPushButton* BtnMaster;
  TLineListBox* LBSend;
  TLineListBox* LBRec;

  // Event handlers.
  void BtnHWCfgClick();
  void BtnSWCfgClick();
  void BtnPortOnClick();
  void BtnPortOffClick();
  void BtnSendClick();
  void COMPortReceiveData(TComponent* Sender, const std::uint8_t* DataPtr, std::int32_t DataSize);
  void CBPortNumChange();
  void CBSpeedChange();
  void BtnMasterClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();

  comm::CommApi& api_;
  std::string reply_;  // reused for every block, so a reply allocates nothing once warm
  bool centred_ = false;
};

// The program's main window, made first at start-up.
extern TFrmMain* FrmMain;
