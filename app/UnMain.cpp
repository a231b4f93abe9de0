#include "UnMain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>

#include "ComboList.h"
#include "ErrorBox.h"
#include "FixedForm.h"
#include "Fonts.h"
#include "ModuleCommand.h"
#include "OpenFailureText.h"
#include "Place.h"
#include "Shape.h"
#include "SpeedButton.h"
#include "UnConfig.h"
#include "UnMaster.h"
#include "UnSetUp.h"
#include "UpDown.h"
#include "lines/LineListBox.h"
#include "text/Cp1251.h"
#include "text/Cp1251Validator.h"

TFrmMain* FrmMain = nullptr;

TFrmMain::TFrmMain(comm::CommApi& api, QWidget* parent) : QWidget(parent), api_(api) {
  setObjectName(QStringLiteral("FrmMain"));
  MakeFixedForm(*this, QStringLiteral("Терминальная программа для модулей Varmo"), 684, 577);
  COMPort = std::make_unique<TSerialPortDriver>(nullptr, api_);
  COMPort->SetComPort(pnCOM1);
  COMPort->SetOnReceiveData([this](TComponent* sender, const std::uint8_t* data,
                                   std::int32_t size) { COMPortReceiveData(sender, data, size); });
  CreateControls();
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::CreateControls() {
  PnlMenu = Place(new QWidget(this), "PnlMenu", 0, 0, 684, 88);
  QWidget* p = PnlMenu;
  // Frames first, so that they lie beneath the controls they surround.
  Shape3 = Place(new TShape(p), "Shape3", 1, 1, 682, 45);
  Shape4 = Place(new TShape(p), "Shape4", 0, 49, 507, 36);
  Shape5 = Place(new TShape(p), "Shape5", 510, 49, 173, 36);

  BtnHWCfg = Place(new TSpeedButton(QStringLiteral("Програмный буфер"), p), "BtnHWCfg", 10, 10, 137,
                   26, true);
  BtnSWCfg = Place(new TSpeedButton(QStringLiteral("Конфигурация порта"), p), "BtnSWCfg", 151, 10,
                   148, 26, true);
  Label2 = Place(ColouredLabel(p, QStringLiteral("COM port"), kLabelGreen), "Label2", 320, 16, 54,
                 13, true);
  CBPortNum = Place(new TComboList(p), "CBPortNum", 377, 13, 72, 21, true);
  for (int n = 1; n <= 16; ++n) CBPortNum->addItem(QStringLiteral("COM %1").arg(n));
  CBPortNum->SetPosition(0);
  Label3 = Place(ColouredLabel(p, QStringLiteral("Speed"), kLabelGreen), "Label3", 462, 16, 37, 13,
                 true);
  CBSpeed = Place(new TComboList(p), "CBSpeed", 505, 14, 92, 21, true);
  CBSpeed->addItem(QStringLiteral("110"));
  for (int i = 1; i < kBaudRateCount; ++i) {
    CBSpeed->addItem(QStringLiteral("%1 bps").arg(kBaudRates[i]));
  }
  CBSpeed->SetPosition(br9600);
  BtnPortOn = Place(new TSpeedButton(QStringLiteral("ON"), p), "BtnPortOn", 607, 8, 34, 31, true);
  BtnPortOff =
      Place(new TSpeedButton(QStringLiteral("OFF"), p), "BtnPortOff", 641, 8, 34, 31, true);
  TSpeedButton::Group({BtnPortOn, BtnPortOff});
  BtnPortOff->setChecked(true);

  EdtSend = Place(new QLineEdit(p), "EdtSend", 8, 57, 433, 21);
  EdtSend->setMaxLength(32767);  // the most a line edit holds; the command has no limit of its own
  EdtSend->setValidator(new Cp1251Validator(EdtSend));
  BtnSend = Place(new TSpeedButton(QStringLiteral("S"), p), "BtnSend", 450, 54, 51, 26);
  BtnSend->setEnabled(false);
  BtnMaster = Place(new QPushButton(QStringLiteral("Конфигурация модуля"), p), "BtnMaster", 516, 55,
                    161, 25, true);
  BtnMaster->setAutoDefault(false);

  Splitter1 = Place(new QSplitter(Qt::Vertical, this), "Splitter1", 0, 88, 684, 489);
  Splitter1->setHandleWidth(4);
  Splitter1->setChildrenCollapsible(false);
  LBSend = new TLineListBox(QStringLiteral("ЗАПРОС:"), Splitter1);
  LBSend->setObjectName(QStringLiteral("LBSend"));
  LBSend->setFont(FormFont(true));
  LBRec = new TLineListBox(QStringLiteral("ОТВЕТ:"), Splitter1);
  LBRec->setObjectName(QStringLiteral("LBRec"));
  LBRec->setFont(FormFont(true));
  Splitter1->setSizes({222, 263});
  Splitter1->handle(1)->setCursor(Qt::SizeVerCursor);

  connect(BtnHWCfg, &QToolButton::clicked, this, &TFrmMain::BtnHWCfgClick);
  connect(BtnSWCfg, &QToolButton::clicked, this, &TFrmMain::BtnSWCfgClick);
  connect(BtnPortOn, &QToolButton::clicked, this, &TFrmMain::BtnPortOnClick);
  connect(BtnPortOff, &QToolButton::clicked, this, &TFrmMain::BtnPortOffClick);
  connect(BtnSend, &QToolButton::clicked, this, &TFrmMain::BtnSendClick);
  connect(CBPortNum, &TComboList::changed, this, &TFrmMain::CBPortNumChange);
  connect(CBSpeed, &TComboList::changed, this, &TFrmMain::CBSpeedChange);
  connect(BtnMaster, &QPushButton::clicked, this, &TFrmMain::BtnMasterClick);

  NameAfter(Label2, CBPortNum);
  NameAfter(Label3, CBSpeed);
  EdtSend->setAccessibleName(QStringLiteral("Command line"));

  setTabOrder(CBPortNum, CBSpeed);
  setTabOrder(CBSpeed, EdtSend);
  setTabOrder(EdtSend, BtnMaster);
  setTabOrder(BtnMaster, LBSend);
  setTabOrder(LBSend, LBRec);
  CBPortNum->setFocus();
}

void TFrmMain::showEvent(QShowEvent* event) {
  if (!centred_) {
    CentreOnScreen(*this);
    centred_ = true;
  }
  QWidget::showEvent(event);
}

void TFrmMain::BtnHWCfgClick() {
  if (FrmSetUp == nullptr || FrmSetUp->exec() != TFixedDialog::kOk) return;
  // Each spinner's range fits its property, so every value arrives as entered and the
  // driver's own rules apply; the polling delay comes before the packet time-out.
  TFrmSetUp& d = *FrmSetUp;
  COMPort->SetComPortInBufSize(static_cast<std::uint16_t>(d.UDIBS->Position()));
  COMPort->SetComPortOutBufSize(static_cast<std::uint16_t>(d.UDOBS->Position()));
  COMPort->SetComPortSwHandshaking(static_cast<TComPortSwHandshaking>(d.CBSHS->Position()));
  COMPort->SetOutputTimeout(static_cast<std::uint16_t>(d.UDOT->Position()));
  COMPort->SetComPortPollingDelay(static_cast<std::uint16_t>(d.UDPD->Position()));
  COMPort->SetPacketSize(static_cast<std::int16_t>(d.UDPS->Position()));
  COMPort->SetPacketTimeout(d.UDPT->Position());
  COMPort->SetPacketMode(static_cast<TPacketMode>(d.CBPM->Position()));
}

void TFrmMain::BtnSWCfgClick() {
  if (FrmConfig == nullptr || FrmConfig->exec() != TFixedDialog::kOk) return;
  // DTR first, so that the line settings applied next take it on an open port.
  COMPort->SetEnableDTROnOpen(FrmConfig->CheckBox1->isChecked());
  COMPort->SetComPortDataBits(static_cast<TComPortDataBits>(FrmConfig->CBBataBits->Position()));
  COMPort->SetComPortHwHandshaking(
      static_cast<TComPortHwHandshaking>(FrmConfig->CBHWHS->Position()));
  COMPort->SetComPortParity(static_cast<TComPortParity>(FrmConfig->CBParity->Position()));
  COMPort->SetComPortStopBits(static_cast<TComPortStopBits>(FrmConfig->CBStop->Position()));
}

void TFrmMain::BtnMasterClick() {
  if (FrmMaster == nullptr || FrmMaster->exec() != TFixedDialog::kOk) return;
  EdtSend->setText(ModuleConfigCommand(FrmMaster->UpDown->Position(),
                                       FrmMaster->CBSpeed->Position(),
                                       FrmMaster->CBCtrlSum->Position()));
}

void TFrmMain::BtnPortOnClick() {
  // Text typed into a list that matches no entry was never taken: show what will be used.
  CBPortNum->Normalise();
  CBSpeed->Normalise();
  if (COMPort->OpenPort()) {
    BtnSend->setEnabled(true);
    CBPortNum->setEnabled(false);
    CBSpeed->setEnabled(false);
    return;
  }
  ShowErrorBox(this, QStringLiteral("Can't open port") + CBPortNum->currentText(),
               DescribeOpenFailure(api_.LastOpenFailure()));
}

void TFrmMain::BtnPortOffClick() {
  COMPort->ClosePort();
  BtnSend->setEnabled(false);
  CBPortNum->setEnabled(true);
  CBSpeed->setEnabled(true);
}

void TFrmMain::BtnSendClick() {
  COMPort->PurgeBuffers(false, true);
  // The validator lets in only what the code page carries; anything else is left out.
  const std::string command = cp1251::Encode(EdtSend->text()).value_or(std::string());
  COMPort->WriteString(command + '\r');
  LBSend->Insert(command);
}

void TFrmMain::COMPortReceiveData(TComponent*, const std::uint8_t* DataPtr, std::int32_t DataSize) {
  reply_.clear();
  for (std::int32_t i = 0; i < DataSize; ++i) {
    if (DataPtr[i] != 13) reply_.push_back(static_cast<char>(DataPtr[i]));
  }
  COMPort->PurgeBuffers(true, false);
  LBRec->Insert(reply_);
}

void TFrmMain::CBPortNumChange() {
  COMPort->SetComPort(static_cast<TComPortNumber>(CBPortNum->Position()));
}

void TFrmMain::CBSpeedChange() {
  COMPort->SetComPortSpeed(static_cast<TComPortBaudRate>(CBSpeed->Position()));
}
