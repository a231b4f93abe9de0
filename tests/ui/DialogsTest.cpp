// The port line dialog and the module configuration wizard, applied by the main window.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ComboList.h"
#include "FakeCommApi.h"
#include "SpeedButton.h"
#include "UnConfig.h"
#include "UnMain.h"
#include "UnMaster.h"
#include "UnSetUp.h"
#include "UpDown.h"

namespace {

// Runs `inside` once the dialog is on screen, while the handler waits for its result.
void WhileShown(QDialog* dialog, std::function<void()> inside) {
  QTimer::singleShot(0, dialog, [dialog, inside] {
    QTRY_VERIFY(dialog->isVisible());
    inside();
  });
}

// The ways of closing a dialog other than OK.
enum class Close { kCancelButton, kEscape, kCloseBox };

void CloseWithout(QDialog* dialog, QPushButton* cancel, Close how) {
  switch (how) {
    case Close::kCancelButton:
      cancel->click();
      break;
    case Close::kEscape:
      QTest::keyClick(dialog, Qt::Key_Escape);
      break;
    case Close::kCloseBox:
      dialog->close();
      break;
  }
}

}  // namespace

Q_DECLARE_METATYPE(Close)

class DialogsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<FakeCommApi> api;
  std::unique_ptr<TFrmMain> win;
  std::unique_ptr<TFrmConfig> config;
  std::unique_ptr<TFrmMaster> master;
  std::unique_ptr<TFrmSetUp> setup;

  void Open() {
    QTest::mouseClick(win->BtnPortOn, Qt::LeftButton);
    QVERIFY(win->COMPort->IsPortOpen());
    api->Calls.clear();
    api->States.clear();
  }
  // Shows the port line dialog, lets `choose` set it up, and closes it with OK.
  void ConfigOk(std::function<void()> choose = [] {}) {
    WhileShown(config.get(), [this, choose] {
      choose();
      config->BitBtn1->click();
    });
    win->BtnSWCfgClick();
  }
  void SetUpOk(std::function<void()> choose = [] {}) {
    WhileShown(setup.get(), [this, choose] {
      choose();
      setup->BtnOk->click();
    });
    win->BtnHWCfgClick();
  }
  // The eight settings the dialog writes, as the driver holds them.
  std::vector<long> DriverSettings() const {
    const TSerialPortDriver& d = *win->COMPort;
    return {d.ComPortInBufSize(), d.ComPortOutBufSize(),   d.ComPortSwHandshaking(),
            d.OutputTimeout(),    d.ComPortPollingDelay(), d.PacketSize(),
            d.PacketTimeout(),    d.PacketMode()};
  }
  void MasterOk(std::function<void()> choose = [] {}) {
    WhileShown(master.get(), [this, choose] {
      choose();
      master->BtnOk->click();
    });
    win->BtnMasterClick();
  }

 private slots:
  void init() {
    api = std::make_unique<FakeCommApi>();
    win = std::make_unique<TFrmMain>(*api);
    config = std::make_unique<TFrmConfig>();
    master = std::make_unique<TFrmMaster>();
    setup = std::make_unique<TFrmSetUp>();
    FrmSetUp = setup.get();
    FrmMain = win.get();
    FrmConfig = config.get();
    FrmMaster = master.get();
    win->show();
  }
  void cleanup() {
    FrmConfig = nullptr;
    FrmMaster = nullptr;
    FrmSetUp = nullptr;
    FrmMain = nullptr;
    setup.reset();
    master.reset();
    config.reset();
    win.reset();
    api.reset();
  }

  // --- the port line dialog ---

  void configLooksAsLaidOut() {
    QCOMPARE(config->windowTitle(), QStringLiteral("Hardware Config"));
    QCOMPARE(config->size(), QSize(205, 178));
    QCOMPARE(config->CBBataBits->currentText(), QStringLiteral("8 bit"));
    QCOMPARE(config->CBHWHS->currentText(), QStringLiteral("NONE"));
    QCOMPARE(config->CBParity->currentText(), QStringLiteral("NONE"));
    QCOMPARE(config->CBStop->currentText(), QStringLiteral("1 BIT"));
    QCOMPARE(config->CBBataBits->geometry(), QRect(100, 7, 97, 21));
    QCOMPARE(config->CBStop->geometry(), QRect(100, 88, 97, 21));
    QCOMPARE(config->CheckBox1->geometry(), QRect(44, 117, 97, 17));
    QCOMPARE(config->BitBtn1->geometry(), QRect(5, 148, 85, 25));
    QCOMPARE(config->BitBtn2->geometry(), QRect(114, 148, 85, 25));
    QCOMPARE(config->Label4->palette().color(config->Label4->foregroundRole()), QColor(0, 0, 255));
    QVERIFY(config->BitBtn1->isDefault());
    QVERIFY(config->CheckBox1->isChecked());
  }

  void okOnTheUntouchedDialogWritesTheDefaultsFourTimesWhileOpen() {
    Open();
    api->Arrive("pending");
    ConfigOk();
    QCOMPARE(api->Count("SetCommState"), 4);
    for (const auto& purge : api->CallsNamed("PurgeComm")) QCOMPARE(purge.Args.at(1), 0x0F);
    QVERIFY(api->Input.empty());
    const comm::DCB& last = api->States.back();
    QCOMPARE(last.ByteSize, 8);
    QCOMPARE(last.Parity, 0);
    QCOMPARE(last.StopBits, 0);
    QCOMPARE(last.Flags, 0x0011u);
  }

  void cancelEscapeAndTheCloseBoxWriteNothing_data() {
    QTest::addColumn<Close>("how");
    QTest::newRow("Cancel") << Close::kCancelButton;
    QTest::newRow("Esc") << Close::kEscape;
    QTest::newRow("close box") << Close::kCloseBox;
  }
  void cancelEscapeAndTheCloseBoxWriteNothing() {
    QFETCH(Close, how);
    Open();
    WhileShown(config.get(), [this, how] {
      config->CBBataBits->SetPosition(2);
      config->CheckBox1->setChecked(false);
      CloseWithout(config.get(), config->BitBtn2, how);
    });
    win->BtnSWCfgClick();
    QCOMPARE(api->Count("SetCommState"), 0);
    QCOMPARE(win->COMPort->ComPortDataBits(), db8BITS);
    QVERIFY(win->COMPort->EnableDTROnOpen());
    // The choice stays for the next showing, and a later OK writes it.
    QCOMPARE(config->CBBataBits->currentText(), QStringLiteral("7 bit"));
    ConfigOk();
    QCOMPARE(win->COMPort->ComPortDataBits(), db7BITS);
    QVERIFY(!win->COMPort->EnableDTROnOpen());
  }

  void positionsMapWithoutGaps() {
    ConfigOk([this] {
      config->CBStop->SetPosition(1);
      config->CBHWHS->SetPosition(1);
      config->CBParity->SetPosition(4);
      config->CBBataBits->SetPosition(0);
    });
    QCOMPARE(win->COMPort->ComPortStopBits(), sb1HALFBITS);
    QCOMPARE(win->COMPort->ComPortHwHandshaking(), hhRTSCTS);
    QCOMPARE(win->COMPort->ComPortParity(), ptSPACE);
    QCOMPARE(win->COMPort->ComPortDataBits(), db5BITS);
  }

  void aClosedPortTakesTheChoiceAtTheNextOpenAnOpenOneAtOnce() {
    ConfigOk([this] { config->CBBataBits->SetPosition(2); });
    QCOMPARE(api->Count("SetCommState"), 0);
    Open();  // (forgets the calls) -- the line was set up on opening:
    QTest::mouseClick(win->BtnPortOff, Qt::LeftButton);
    QTest::mouseClick(win->BtnPortOn, Qt::LeftButton);
    QCOMPARE(api->States.back().ByteSize, 7);

    api->States.clear();
    ConfigOk([this] { config->CBParity->SetPosition(2); });
    QCOMPARE(api->States.back().Parity, 2);
  }

  void typedTextThatMatchesNoItemKeepsTheLastItem() {
    ConfigOk([this] {
      QLineEdit* edit = config->CBParity->lineEdit();
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, QStringLiteral("ev"));  // completes to EVEN
      edit->selectAll();
      QTest::keyClicks(edit, QStringLiteral("xyz"));
    });
    QCOMPARE(win->COMPort->ComPortParity(), ptEVEN);
    QCOMPARE(config->CBParity->currentText(), QStringLiteral("EVEN"));
  }

  void dtrOnOpenReachesTheDriver() {
    Open();
    ConfigOk([this] { config->CheckBox1->setChecked(false); });
    QVERIFY(!win->COMPort->EnableDTROnOpen());
    QCOMPARE(api->States.front().Flags, 0x0001u);  // taken by the very first application
  }

  // --- the buffer and packet dialog ---

  void setUpLooksAsLaidOut() {
    QCOMPARE(setup->windowTitle(), QStringLiteral("Software Configuration"));
    QCOMPARE(setup->size(), QSize(205, 271));
    QCOMPARE(setup->EdtIBS->text(), QLocale::system().toString(2048));
    QCOMPARE(setup->EdtOT->text(), QLocale::system().toString(4000));
    QCOMPARE(setup->EdtPS->text(), QStringLiteral("-1"));
    QCOMPARE(setup->CBSHS->currentText(), QStringLiteral("NONE"));
    QCOMPARE(setup->CBPM->currentText(), QStringLiteral("Discard"));
    QCOMPARE(setup->EdtIBS->geometry(), QRect(119, 7, 65, 21));
    QCOMPARE(setup->UDIBS->geometry(), QRect(184, 7, 15, 21));
    QCOMPARE(setup->CBSHS->geometry(), QRect(120, 66, 79, 21));
    QCOMPARE(setup->BtnCancel->geometry(), QRect(114, 241, 85, 25));
    QCOMPARE(setup->UDIBS->focusPolicy(), Qt::NoFocus);
  }

  void tabRunsThroughTheEditsAndListsInOrder() {
    setup->show();
    setup->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(setup.get()));
    setup->EdtPD->setFocus();
    QList<QWidget*> order;
    for (int i = 0; i < 11; ++i) {
      QWidget* w = QApplication::focusWidget();
      if (w != nullptr && qobject_cast<TComboList*>(w->parentWidget())) w = w->parentWidget();
      order << w;
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QList<QWidget*>{setup->EdtPD, setup->CBSHS, setup->EdtOT, setup->EdtPS,
                                     setup->EdtPT, setup->EdtOBS, setup->EdtIBS, setup->BtnOk,
                                     setup->BtnCancel, setup->CBPM, setup->EdtPD}));
    setup->hide();
  }

  void okOnTheUntouchedDialogLeavesAClosedDriverAsAtStart() {
    const std::vector<long> before = DriverSettings();
    SetUpOk();
    QCOMPARE(DriverSettings(), before);
    QCOMPARE(win->COMPort->ReceiveBufferSize(), 2048u);
    QCOMPARE(api->Count("SetCommState"), 0);
  }

  void withThePortOpenOkEmptiesBothQueuesAndRefusesBufferSizes() {
    Open();
    api->Arrive("waiting");
    api->OutQueue = 7;
    SetUpOk([this] { setup->UDIBS->SetPosition(4096); });
    QCOMPARE(api->Count("SetCommState"), 1);
    QVERIFY(api->Input.empty());
    QCOMPARE(api->OutQueue, 0u);
    QCOMPARE(win->COMPort->ComPortInBufSize(), 2048);
    QTest::mouseClick(win->BtnPortOff, Qt::LeftButton);
    SetUpOk();
    QCOMPARE(win->COMPort->ComPortInBufSize(), 4096);
    QCOMPARE(win->COMPort->ReceiveBufferSize(), 4096u);
  }

  void setUpCancelEscapeAndTheCloseBoxWriteNothing_data() {
    cancelEscapeAndTheCloseBoxWriteNothing_data();
  }
  void setUpCancelEscapeAndTheCloseBoxWriteNothing() {
    QFETCH(Close, how);
    const std::vector<long> before = DriverSettings();
    WhileShown(setup.get(), [this, how] {
      setup->UDPS->SetPosition(10);
      setup->CBPM->SetPosition(1);
      CloseWithout(setup.get(), setup->BtnCancel, how);
    });
    win->BtnHWCfgClick();
    QCOMPARE(DriverSettings(), before);
    QCOMPARE(setup->EdtPS->text(), QStringLiteral("10"));
    QCOMPARE(setup->CBPM->currentText(), QStringLiteral("Pass"));
  }

  void theDriversRulesApplyToWhatIsEntered_data() {
    QTest::addColumn<int>("inBuf");
    QTest::addColumn<int>("packetSize");
    QTest::addColumn<int>("delay");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("inBufAfter");
    QTest::addColumn<int>("packetSizeAfter");
    QTest::addColumn<int>("timeoutAfter");
    QTest::newRow("packet above buffer") << 2048 << 3000 << 50 << -1 << 6000 << 3000 << -1;
    QTest::newRow("packet size 0") << 2048 << 0 << 50 << 0 << 2048 << -1 << -1;
    QTest::newRow("delay 50, time-out 30") << 2048 << -1 << 50 << 30 << 2048 << -1 << 300;
    QTest::newRow("delay 50, time-out 50") << 2048 << -1 << 50 << 50 << 2048 << -1 << 50;
    QTest::newRow("delay 200, time-out 100") << 2048 << -1 << 200 << 100 << 2048 << -1 << 450;
  }
  void theDriversRulesApplyToWhatIsEntered() {
    QFETCH(int, inBuf);
    QFETCH(int, packetSize);
    QFETCH(int, delay);
    QFETCH(int, timeout);
    QFETCH(int, inBufAfter);
    QFETCH(int, packetSizeAfter);
    QFETCH(int, timeoutAfter);
    auto choose = [&] {
      setup->UDIBS->SetPosition(inBuf);
      setup->UDPS->SetPosition(packetSize);
      setup->UDPD->SetPosition(delay);
      setup->UDPT->SetPosition(timeout);
    };
    for (int showing = 0; showing < 2; ++showing) {  // a second OK gives the same
      SetUpOk(choose);
      QCOMPARE(int(win->COMPort->ComPortInBufSize()), inBufAfter);
      QCOMPARE(int(win->COMPort->PacketSize()), packetSizeAfter);
      QCOMPARE(win->COMPort->PacketTimeout(), timeoutAfter);
      QCOMPARE(setup->EdtIBS->text(), QLocale::system().toString(inBuf));
    }
  }

  void textThatIsNoNumberInRangeKeepsTheLastValue_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("abc") << "abc";
    QTest::newRow("40000") << "40000";
    QTest::newRow("0") << "0";
    QTest::newRow("empty") << "";
  }
  void textThatIsNoNumberInRangeKeepsTheLastValue() {
    QFETCH(QString, typed);
    SetUpOk([&] { setup->EdtIBS->setText(typed); });
    QCOMPARE(win->COMPort->ComPortInBufSize(), 2048);
    QCOMPARE(setup->EdtIBS->text(), QLocale::system().toString(2048));
  }

  void digitsGroupedByTheThousandsSeparatorAreANumber() {
    SetUpOk([&] {
      setup->EdtIBS->setText(QLocale::system().toString(3000));
      setup->EdtOT->setText(QStringLiteral("1500"));
    });
    QCOMPARE(win->COMPort->ComPortInBufSize(), 3000);
    QCOMPARE(win->COMPort->OutputTimeout(), 1500);
  }

  void eachSpinnerStopsAtItsLimits() {
    struct Limits {
      TUpDown* spin;
      int minimum, maximum;
    };
    for (const Limits& l : {Limits{setup->UDIBS, 1, 32767}, Limits{setup->UDOBS, 1, 32767},
                            Limits{setup->UDOT, 0, 32767}, Limits{setup->UDPD, 0, 1000},
                            Limits{setup->UDPS, -1, 32767}, Limits{setup->UDPT, -1, 32767}}) {
      l.spin->SetPosition(l.maximum);
      l.spin->UpButton()->click();
      QCOMPARE(l.spin->Position(), l.maximum);
      l.spin->SetPosition(l.minimum);
      l.spin->DownButton()->click();
      QCOMPARE(l.spin->Position(), l.minimum);
    }
  }

  void xonXoffAndPassReachTheDriver() {
    SetUpOk([this] {
      setup->CBSHS->SetPosition(1);
      setup->CBPM->SetPosition(1);
    });
    QCOMPARE(win->COMPort->ComPortSwHandshaking(), shXONXOFF);
    QCOMPARE(win->COMPort->PacketMode(), pmPass);
  }

  // --- the wizard ---

  void wizardLooksAsLaidOut() {
    QCOMPARE(master->windowTitle(), QStringLiteral("Конфигурация модуля"));
    QCOMPARE(master->size(), QSize(360, 292));
    QCOMPARE(master->Memo1->toPlainText().split('\n'), TFrmMaster::Instructions());
    QCOMPARE(TFrmMaster::Instructions().size(), 16);
    QCOMPARE(TFrmMaster::Instructions().at(0).back(), QChar(' '));
    QCOMPARE(TFrmMaster::Instructions().at(4),
             QStringLiteral("2.   Подключить линию клемника \"INIT\" к линии \"GND RS232\"."));
    QCOMPARE(TFrmMaster::Instructions().at(14), QStringLiteral("10. В программе терминала "
                                                               "переключить скорость "));
    QVERIFY(master->Memo1->isReadOnly());
    QCOMPARE(master->EdtAddr->text(), QStringLiteral("1"));
    QCOMPARE(master->CBSpeed->count(), 11);
    QCOMPARE(master->CBSpeed->currentText(), QStringLiteral("9600 bps"));
    QCOMPARE(master->CBCtrlSum->currentText(), QStringLiteral("Выключить"));
    QCOMPARE(master->EdtAddr->geometry(), QRect(217, 160, 57, 21));
    QCOMPARE(master->UpDown->geometry(), QRect(274, 160, 15, 21));
    QCOMPARE(master->BtnOk->geometry(), QRect(27, 259, 103, 25));
  }

  void theCommandIsBuiltFromTheChoices_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("checksum");
    QTest::addColumn<QString>("command");
    QTest::newRow("untouched") << "" << -1 << -1 << "%00010Z0600";
    QTest::newRow("26, 115200, on") << "26" << 10 << 1 << "%001A0Z0A40";
    QTest::newRow("255, 19200, off") << "255" << 7 << 0 << "%00FF0Z0700";
    QTest::newRow("10 gives 0A") << "10" << 0 << 0 << "%000A0Z0000";
    QTest::newRow("abc keeps 1") << "abc" << 6 << 0 << "%00010Z0600";
    QTest::newRow("empty keeps 1") << "<empty>" << 6 << 0 << "%00010Z0600";
    QTest::newRow("300 keeps 1") << "300" << 6 << 0 << "%00010Z0600";
    QTest::newRow("0 keeps 1") << "0" << 6 << 0 << "%00010Z0600";
  }
  void theCommandIsBuiltFromTheChoices() {
    QFETCH(QString, address);
    QFETCH(int, rate);
    QFETCH(int, checksum);
    QFETCH(QString, command);
    win->EdtSend->setText(QStringLiteral("previous text"));
    MasterOk([&] {
      if (!address.isEmpty()) master->EdtAddr->setText(address == "<empty>" ? "" : address);
      if (rate >= 0) master->CBSpeed->SetPosition(rate);
      if (checksum >= 0) master->CBCtrlSum->SetPosition(checksum);
    });
    QCOMPARE(win->EdtSend->text(), command);
    QCOMPARE(api->Count("WriteFile"), 0);
    QCOMPARE(win->COMPort->ComPortSpeed(), br9600);
  }

  void rateCodesFollowTheWizardsOwnList() {
    // "19200 bps" is the eighth item here and the ninth in the main window's list.
    MasterOk([this] {
      const int at = master->CBSpeed->findText(QStringLiteral("19200 bps"));
      master->CBSpeed->SetPosition(at);
    });
    QCOMPARE(win->EdtSend->text().mid(7, 2), QStringLiteral("07"));
  }

  void cancelLeavesTheCommandLineAndKeepsTheValues() {
    win->EdtSend->setText(QStringLiteral("mine"));
    WhileShown(master.get(), [this] {
      master->EdtAddr->setText(QStringLiteral("5"));
      master->UpDown->Position();
      master->BtnCancel->click();
    });
    win->BtnMasterClick();
    QCOMPARE(win->EdtSend->text(), QStringLiteral("mine"));
    QCOMPARE(master->EdtAddr->text(), QStringLiteral("5"));
    MasterOk();
    QCOMPARE(win->EdtSend->text(), QStringLiteral("%00050Z0600"));
  }

  void theSpinnerStopsAtItsLimits() {
    TUpDown* spin = master->UpDown;
    spin->SetPosition(255);
    spin->UpButton()->click();
    QCOMPARE(spin->Position(), 255);
    QTest::keyClick(master->EdtAddr, Qt::Key_Up);
    QCOMPARE(master->EdtAddr->text(), QStringLiteral("255"));
    spin->SetPosition(1);
    spin->DownButton()->click();
    QTest::keyClick(master->EdtAddr, Qt::Key_Down);
    QCOMPARE(spin->Position(), 1);
    QTest::keyClick(master->EdtAddr, Qt::Key_Up);
    QCOMPARE(master->EdtAddr->text(), QStringLiteral("2"));
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
