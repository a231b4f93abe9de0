// The terminal's real window, driver and termios layer against the simulated module on a
// pseudo-terminal.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "ComboList.h"
#include "SimModule.h"
#include "SpeedButton.h"
#include "UnConfig.h"
#include "UnMain.h"
#include "UnMaster.h"
#include "UnSetUp.h"
#include "UpDown.h"
#include "lines/LineListBox.h"

class TerminalEndToEndTest : public QObject {
  Q_OBJECT

  std::unique_ptr<SimModule> sim;
  std::unique_ptr<TFrmMain> win;

  void Start(const QStringList& options = {}) {
    sim = std::make_unique<SimModule>(options);
    QVERIFY(sim->Started());
    win = std::make_unique<TFrmMain>();
    win->show();
  }
  void Send(const QString& command) {
    win->EdtSend->setText(command);
    QTest::mouseClick(win->BtnSend, Qt::LeftButton);
  }
  void On() {
    QTest::mouseClick(win->BtnPortOn, Qt::LeftButton);
    QVERIFY(win->COMPort->IsPortOpen());
    QTRY_VERIFY(sim->Said("port opened"));
  }

 private slots:
  void cleanup() {
    win.reset();
    sim.reset();
  }

  void onRightAfterStartOpensCom1At9600AndAnswersEcho() {
    Start();
    On();
    QTRY_VERIFY(sim->Said("rate 9600 1 stop bit"));
    Send(QStringLiteral("$01M"));
    QTRY_VERIFY(sim->Said("rx $01M\\r"));
    QCOMPARE(win->LBSend->Store().Row(1), std::string("$01M"));
    QTRY_COMPARE(win->LBRec->RowCount(), 2u);
    QCOMPARE(win->LBRec->Store().Row(1), std::string("$01M\n"));
  }

  void aReplySplitOverTwoTicksGivesTwoRowsTheLaterAbove() {
    Start({"--split", "200"});
    On();
    Send(QStringLiteral("ABCDEF"));
    QTRY_COMPARE(win->LBRec->RowCount(), 3u);
    // "ABCDEF" CR LF, cut in the middle: "ABCD" then "EF" CR LF, carriage returns removed.
    QCOMPARE(win->LBRec->Store().Row(2), std::string("ABCD"));
    QCOMPARE(win->LBRec->Store().Row(1), std::string("EF\n"));
  }

  void aRateTheModuleDoesNotUseGetsNoAnswer() {
    Start();
    win->CBSpeed->SetPosition(br19200);
    win->CBSpeedChange();
    On();
    QTRY_VERIFY(sim->Said("rate 19200 1 stop bit"));
    Send(QStringLiteral("hello"));
    QTRY_VERIFY(sim->Said("rx hello\\r"));
    QTest::qWait(300);
    QCOMPARE(win->LBRec->RowCount(), 1u);
    QVERIFY(sim->LinesStartingWith("tx").isEmpty());
  }

  void closingTheWindowWhileOpenClosesThePort() {
    Start();
    On();
    win->close();
    win.reset();
    QTRY_VERIFY(sim->Said("port closed"));
  }

  void thePortLineDialogReachesAnOpenLineAtOnce() {
    Start();
    TFrmConfig config;
    FrmConfig = &config;
    On();
    QTimer::singleShot(0, &config, [&] {
      config.CBStop->SetPosition(2);
      config.CBHWHS->SetPosition(1);
      config.BitBtn1->click();
    });
    win->BtnSWCfgClick();
    FrmConfig = nullptr;
    QTRY_VERIFY(sim->Said("rate 9600 2 stop bits"));
    QTRY_VERIFY(sim->Said("handshake RTS/CTS on"));
    // Two stop bits are not the module's: it hears nothing now.
    Send(QStringLiteral("deaf"));
    QTRY_VERIFY(sim->Said("rx deaf\\r"));
    QTest::qWait(200);
    QCOMPARE(win->LBRec->RowCount(), 1u);
  }

  void theWizardsCommandReconfiguresTheModule() {
    Start();
    TFrmMaster wizard;
    FrmMaster = &wizard;
    On();
    QTimer::singleShot(0, &wizard, [&] {
      wizard.EdtAddr->setText(QStringLiteral("5"));
      wizard.CBSpeed->SetPosition(wizard.CBSpeed->findText(QStringLiteral("19200 bps")));
      wizard.BtnOk->click();
    });
    win->BtnMasterClick();
    FrmMaster = nullptr;
    QCOMPARE(win->EdtSend->text(), QStringLiteral("%00050Z0700"));
    QTest::mouseClick(win->BtnSend, Qt::LeftButton);
    QTRY_COMPARE(win->LBRec->RowCount(), 2u);
    QCOMPARE(win->LBRec->Store().Row(1), std::string("OK\n"));

    // The module now runs at 19200: at 9600 the terminal gets no answer.
    Send(QStringLiteral("ping"));
    QTRY_VERIFY(sim->Said("rx ping\\r"));
    QTest::qWait(200);
    QCOMPARE(win->LBRec->RowCount(), 2u);

    // Switch the main window's rate, as step 10 of the procedure says.
    QTest::mouseClick(win->BtnPortOff, Qt::LeftButton);
    win->CBSpeed->SetPosition(br19200);
    win->CBSpeedChange();
    QTest::mouseClick(win->BtnPortOn, Qt::LeftButton);
    QTRY_VERIFY(sim->Said("rate 19200 1 stop bit"));
    Send(QStringLiteral("ping"));
    QTRY_COMPARE(win->LBRec->RowCount(), 3u);
    QCOMPARE(win->LBRec->Store().Row(1), std::string("ping\n"));
  }

  void aPacketSizeStopsReplyRowsAndNoneBringsThemBack() {
    Start({"--stream", "2000"});
    TFrmSetUp setup;
    FrmSetUp = &setup;
    On();
    QTRY_VERIFY(win->LBRec->RowCount() > 3u);
    auto apply = [&](int packetSize) {
      QTimer::singleShot(0, &setup, [&setup, packetSize] {
        setup.UDPS->SetPosition(packetSize);
        setup.BtnOk->click();
      });
      win->BtnHWCfgClick();
    };
    apply(10);
    const std::size_t rows = win->LBRec->RowCount();
    QTest::qWait(400);  // the stream goes on; packets are read and dropped
    QCOMPARE(win->LBRec->RowCount(), rows);
    apply(-1);
    QTRY_VERIFY(win->LBRec->RowCount() > rows + 2);
    FrmSetUp = nullptr;
  }

  void anUnpluggedModuleLeavesTheTerminalResponsive() {
    Start({"--unplug-after", "600"});
    On();
    QTRY_VERIFY_WITH_TIMEOUT(sim->Said("unplugged"), 5000);
    QTest::qWait(200);  // ticks on a device that is gone
    QCOMPARE(win->LBRec->RowCount(), 1u);
    QTest::mouseClick(win->BtnPortOff, Qt::LeftButton);
    QVERIFY(!win->COMPort->IsPortOpen());
  }
};

QTEST_MAIN(TerminalEndToEndTest)
#include "TerminalEndToEndTest.moc"
