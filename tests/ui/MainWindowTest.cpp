// The main window on a fake device: its start state, the switch, sending, receiving, the
// lists' typed text and the error box.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QtTest>
#include <memory>

#include "ComboList.h"
#include "ErrorBox.h"
#include "FakeCommApi.h"
#include "SpeedButton.h"
#include "UnMain.h"
#include "lines/LineListBox.h"

namespace {

struct Box {
  QString title, text, informative;
  QMessageBox::Icon icon;
  QList<QAbstractButton*> buttons;
  QAbstractButton* escape;
  QPushButton* defaultButton;
};

std::string Sent(const FakeCommApi& api) { return {api.Output.begin(), api.Output.end()}; }

// Types text key by key, as a keyboard layout would (QTest's key clicks know ASCII only).
void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
  }
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<FakeCommApi> api;
  std::unique_ptr<TFrmMain> win;
  std::vector<Box> boxes;

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // The control that a focused widget belongs to (a list's edit field belongs to the list).
  static QWidget* Owner(QWidget* w) {
    if (w != nullptr && qobject_cast<TComboList*>(w->parentWidget())) return w->parentWidget();
    return w;
  }

  // A block arriving at the device and the next poll tick.
  void Receive(const std::string& bytes) {
    api->Arrive(bytes);
    api->Tick();
  }

 private slots:
  void init() {
    api = std::make_unique<FakeCommApi>();
    win = std::make_unique<TFrmMain>(*api);
    boxes.clear();
    SetErrorBoxHook([this](QMessageBox& box) {
      boxes.push_back({box.windowTitle(), box.text(), box.informativeText(), box.icon(),
                       box.buttons(), box.escapeButton(), box.defaultButton()});
    });
    win->show();
    win->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(win.get()));
  }
  void cleanup() {
    win.reset();
    api.reset();
    SetErrorBoxHook(nullptr);
  }

  void startsClosedWithItsLayout() {
    QCOMPARE(win->windowTitle(), QStringLiteral("Терминальная программа для модулей Varmo"));
    QCOMPARE(win->size(), QSize(684, 577));
    QCOMPARE(win->minimumSize(), win->maximumSize());
    QVERIFY(!(win->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(win->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!win->BtnSend->isEnabled());
    QVERIFY(win->CBPortNum->isEnabled());
    QVERIFY(win->CBSpeed->isEnabled());
    QVERIFY(win->BtnPortOff->isChecked());
    QVERIFY(!win->BtnPortOn->isChecked());
    QCOMPARE(win->CBPortNum->currentText(), QStringLiteral("COM 1"));
    QCOMPARE(win->CBSpeed->currentText(), QStringLiteral("9600 bps"));
    QCOMPARE(win->COMPort->ComPort(), pnCOM1);
    QCOMPARE(win->COMPort->ComPortSpeed(), br9600);
    QVERIFY(!win->COMPort->IsPortOpen());
    QVERIFY(!win->COMPort->OnReceivePacket());
    QCOMPARE(win->LBSend->RowDisplayText(0), QStringLiteral("ЗАПРОС:"));
    QCOMPARE(win->LBRec->RowDisplayText(0), QStringLiteral("ОТВЕТ:"));
    QCOMPARE(Owner(QApplication::focusWidget()), win->CBPortNum);
    QCOMPARE(api->Count("CreateFileA:COM1"), 0);
  }

  void theListsHoldTheirEntries() {
    QStringList ports, rates;
    for (int i = 0; i < win->CBPortNum->count(); ++i) ports << win->CBPortNum->itemText(i);
    for (int i = 0; i < win->CBSpeed->count(); ++i) rates << win->CBSpeed->itemText(i);
    QCOMPARE(ports.size(), 16);
    QCOMPARE(ports.first(), QStringLiteral("COM 1"));
    QCOMPARE(ports.last(), QStringLiteral("COM 16"));
    QCOMPARE(rates, (QStringList{"110", "300 bps", "600 bps", "1200 bps", "2400 bps", "4800 bps",
                                 "9600 bps", "14400 bps", "19200 bps", "38400 bps", "56000 bps",
                                 "57600 bps", "115200 bps"}));
  }

  void everyControlSitsAtItsPlace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("bold");
    QTest::newRow("PnlMenu") << "PnlMenu" << QRect(0, 0, 684, 88) << false;
    QTest::newRow("Shape3") << "Shape3" << QRect(1, 1, 682, 45) << false;
    QTest::newRow("BtnHWCfg") << "BtnHWCfg" << QRect(10, 10, 137, 26) << true;
    QTest::newRow("BtnSWCfg") << "BtnSWCfg" << QRect(151, 10, 148, 26) << true;
    QTest::newRow("Label2") << "Label2" << QRect(320, 16, 54, 13) << true;
    QTest::newRow("CBPortNum") << "CBPortNum" << QRect(377, 13, 72, 21) << true;
    QTest::newRow("Label3") << "Label3" << QRect(462, 16, 37, 13) << true;
    QTest::newRow("CBSpeed") << "CBSpeed" << QRect(505, 14, 92, 21) << true;
    QTest::newRow("BtnPortOn") << "BtnPortOn" << QRect(607, 8, 34, 31) << true;
    QTest::newRow("BtnPortOff") << "BtnPortOff" << QRect(641, 8, 34, 31) << true;
    QTest::newRow("Shape4") << "Shape4" << QRect(0, 49, 507, 36) << false;
    QTest::newRow("EdtSend") << "EdtSend" << QRect(8, 57, 433, 21) << false;
    QTest::newRow("BtnSend") << "BtnSend" << QRect(450, 54, 51, 26) << false;
    QTest::newRow("Shape5") << "Shape5" << QRect(510, 49, 173, 36) << false;
    QTest::newRow("BtnMaster") << "BtnMaster" << QRect(516, 55, 161, 25) << true;
    QTest::newRow("LBSend") << "LBSend" << QRect(0, 88, 684, 222) << true;
    QTest::newRow("LBRec") << "LBRec" << QRect(0, 314, 684, 263) << true;
  }
  void everyControlSitsAtItsPlace() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(bool, bold);
    auto* widget = win->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    const QRect inWindow(widget->mapTo(win.get(), QPoint(0, 0)), widget->size());
    QCOMPARE(inWindow, geometry);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().pixelSize(), 11);
  }

  void labelsAreGreenAndButtonsKeepOutOfTheKeyboard() {
    for (QLabel* label : {win->Label2, win->Label3}) {
      QCOMPARE(label->palette().color(label->foregroundRole()), QColor(0, 128, 0));
    }
    for (QWidget* button : std::initializer_list<QWidget*>{
             win->BtnHWCfg, win->BtnSWCfg, win->BtnPortOn, win->BtnPortOff, win->BtnSend}) {
      QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    // Tab runs through the lists, the command line, the wizard button and the two lists.
    QList<QWidget*> order;
    for (int i = 0; i < 7; ++i) {
      order << Owner(QApplication::focusWidget());
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QList<QWidget*>{win->CBPortNum, win->CBSpeed, win->EdtSend, win->BtnMaster,
                                     win->LBSend, win->LBRec, win->CBPortNum}));
  }

  void onThenOff() {
    Click(win->BtnPortOn);
    QVERIFY(win->COMPort->IsPortOpen());
    QCOMPARE(api->Count("CreateFileA:COM1"), 1);
    QCOMPARE(api->States.back().BaudRate, 9600u);
    QVERIFY(win->BtnSend->isEnabled());
    QVERIFY(!win->CBPortNum->isEnabled());
    QVERIFY(!win->CBSpeed->isEnabled());
    QVERIFY(win->BtnPortOn->isChecked());
    QVERIFY(!win->BtnPortOff->isChecked());

    Click(win->BtnPortOn);  // on again: nothing changes
    QCOMPARE(api->Count("CreateFileA:COM1"), 1);
    QVERIFY(win->BtnPortOn->isChecked());

    Click(win->BtnPortOff);
    QVERIFY(!win->COMPort->IsPortOpen());
    QCOMPARE(api->Count("CloseHandle"), 1);
    QVERIFY(!win->BtnSend->isEnabled());
    QVERIFY(win->CBPortNum->isEnabled());
    QVERIFY(win->BtnPortOff->isChecked());
    Click(win->BtnPortOff);  // off again: nothing changes
    QCOMPARE(api->Count("CloseHandle"), 1);
    QVERIFY(win->BtnPortOff->isChecked());
    QVERIFY(boxes.empty());
  }

  void aPortThatDoesNotOpenIsReported() {
    api->OpenFails = true;
    api->Failure = {comm::OpenFailureReason::kPermissionDenied, "COM1", "/dev/ttyUSB0",
                    "Permission denied.", "dialout"};
    Click(win->BtnPortOn);
    QCOMPARE(boxes.size(), std::size_t{1});
    const Box& box = boxes[0];
    QCOMPARE(box.title, QStringLiteral("Error"));
    QCOMPARE(box.text, QStringLiteral("Can't open portCOM 1"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons.size(), 1);
    QCOMPARE(box.escape, box.buttons[0]);
    QCOMPARE(static_cast<QAbstractButton*>(box.defaultButton), box.buttons[0]);
    QVERIFY(box.informative.contains("/dev/ttyUSB0"));
    QVERIFY(box.informative.contains("usermod -aG dialout"));
    // Closed after a failed open: ON shown pressed, S disabled, lists enabled.
    QVERIFY(win->BtnPortOn->isChecked());
    QVERIFY(!win->BtnSend->isEnabled());
    QVERIFY(win->CBPortNum->isEnabled());
    QVERIFY(win->CBSpeed->isEnabled());
    QVERIFY(api->Timers.empty());

    Click(win->BtnPortOn);  // tries again
    QCOMPARE(boxes.size(), std::size_t{2});
    Click(win->BtnPortOff);
    QVERIFY(win->BtnPortOff->isChecked());
    QVERIFY(!win->BtnSend->isEnabled());

    win->CBPortNum->SetPosition(15);
    win->CBPortNumChange();
    Click(win->BtnPortOn);
    QCOMPARE(boxes.back().text, QStringLiteral("Can't open portCOM 16"));
    QCOMPARE(api->Count("CreateFileA:COM16"), 1);
  }

  void theErrorBoxSaysWhyForEachReason_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("says");
    QTest::newRow("no device") << int(comm::OpenFailureReason::kNoSuchDevice) << "ln -s";
    QTest::newRow("in use") << int(comm::OpenFailureReason::kInUse) << "another program";
    QTest::newRow("not serial") << int(comm::OpenFailureReason::kNotASerialDevice)
                                << "not a serial device";
  }
  void theErrorBoxSaysWhyForEachReason() {
    QFETCH(int, reason);
    QFETCH(QString, says);
    api->OpenFails = true;
    api->Failure = {static_cast<comm::OpenFailureReason>(reason), "COM1", "", "", ""};
    Click(win->BtnPortOn);
    QCOMPARE(boxes.size(), std::size_t{1});
    QVERIFY2(boxes[0].informative.contains(says), qPrintable(boxes[0].informative));
  }

  void sendingAnEmptyLineSendsOnlyACarriageReturn() {
    Click(win->BtnPortOn);
    api->OutQueue = 5;
    Click(win->BtnSend);
    QCOMPARE(Sent(*api), std::string("\r"));
    QCOMPARE(win->LBSend->RowCount(), 2u);
    QCOMPARE(win->LBSend->Store().Row(1), std::string());
    QCOMPARE(api->CallsNamed("PurgeComm").back().Args.at(1), 0x05);  // output only, first
  }

  void sendingTwiceAddsTwoRowsNewestFirst() {
    Click(win->BtnPortOn);
    win->EdtSend->setText(QStringLiteral("$01M "));
    Click(win->BtnSend);
    Click(win->BtnSend);
    QCOMPARE(Sent(*api), std::string("$01M \r$01M \r"));
    QCOMPARE(win->LBSend->RowCount(), 3u);
    QCOMPARE(win->LBSend->Store().Row(1), std::string("$01M "));
    QCOMPARE(win->LBSend->Store().Row(2), std::string("$01M "));
    QCOMPARE(win->EdtSend->text(), QStringLiteral("$01M "));
  }

  void theCommandLineCarriesOnlyTheCodePage() {
    Click(win->BtnPortOn);
    Type(win->EdtSend, QStringLiteral("Тест€漢"));
    QCOMPARE(win->EdtSend->text(), QStringLiteral("Тест€"));
    Click(win->BtnSend);
    QCOMPARE(Sent(*api), std::string("\xd2\xe5\xf1\xf2\x88\r"));
    QCOMPARE(win->LBSend->RowDisplayText(1), QStringLiteral("Тест€"));
  }

  void aReplyBecomesOneRowWithoutCarriageReturns_data() {
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("OK CR LF") << QByteArray("OK\r\n") << QByteArray("OK\n");
    QTest::newRow("CR A CR B") << QByteArray("\rA\rB") << QByteArray("AB");
    QTest::newRow("only CRs") << QByteArray("\r\r\r") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\xff\x1b", 3) << QByteArray("\x00\xff\x1b", 3);
  }
  void aReplyBecomesOneRowWithoutCarriageReturns() {
    QFETCH(QByteArray, block);
    QFETCH(QByteArray, row);
    Click(win->BtnPortOn);
    Receive(block.toStdString());
    QCOMPARE(win->LBRec->RowCount(), 2u);
    QCOMPARE(QByteArray::fromStdString(win->LBRec->Store().Row(1)), row);
  }

  void whatArrivesAfterTheReadIsDiscardedAndTheLaterPartGoesAbove() {
    Click(win->BtnPortOn);
    api->ReadLimit = 2;  // the read takes "OK"; the rest is purged by the handler
    Receive("OK\r\n");
    QVERIFY(api->Input.empty());
    api->ReadLimit = UINT32_MAX;
    Receive("par");
    Receive("t two");
    QCOMPARE(win->LBRec->Store().Row(1), std::string("t two"));
    QCOMPARE(win->LBRec->Store().Row(2), std::string("par"));
    QCOMPARE(win->LBRec->Store().Row(3), std::string("OK"));
    QCOMPARE(win->LBRec->RowDisplayText(0), QStringLiteral("ОТВЕТ:"));
  }

  void packetsAddNoRows() {
    Click(win->BtnPortOn);
    win->COMPort->SetPacketSize(10);
    Receive(std::string(35, 'p'));
    QCOMPARE(win->LBRec->RowCount(), 1u);
  }

  void typedTextNeverReachesTheDriverOutsideTheLists() {
    QLineEdit* port = win->CBPortNum->lineEdit();
    port->selectAll();
    QTest::keyClicks(port, QStringLiteral("com 1"));
    QCOMPARE(win->COMPort->ComPort(), pnCOM1);
    QTest::keyClicks(port, QStringLiteral("2"));
    QCOMPARE(win->COMPort->ComPort(), pnCOM12);
    port->selectAll();
    QTest::keyClicks(port, QStringLiteral("xyz"));
    QCOMPARE(win->COMPort->ComPort(), pnCOM12);
    QTest::keyClick(port, Qt::Key_Return);
    QCOMPARE(win->CBPortNum->currentText(), QStringLiteral("COM 12"));
    QCOMPARE(win->CBPortNum->count(), 16);

    QLineEdit* rate = win->CBSpeed->lineEdit();
    rate->setFocus();
    rate->selectAll();
    QTest::keyClicks(rate, QStringLiteral("115"));
    QCOMPARE(rate->text(), QStringLiteral("115200 bps"));
    QCOMPARE(rate->selectedText(), QStringLiteral("200 bps"));
    QCOMPARE(win->COMPort->ComPortSpeed(), br115200);
    rate->selectAll();
    QTest::keyClick(rate, Qt::Key_Backspace);
    QTest::keyClicks(rate, QStringLiteral("x9600"));
    QCOMPARE(win->COMPort->ComPortSpeed(), br115200);
    port->setFocus();  // leaving the field restores the last valid entry
    QCOMPARE(win->CBSpeed->currentText(), QStringLiteral("115200 bps"));
    QCOMPARE(win->CBSpeed->count(), 13);

    // Picking from the list works as before.
    win->CBSpeed->setCurrentIndex(4);
    emit win->CBSpeed->activated(4);
    QCOMPARE(win->COMPort->ComPortSpeed(), br2400);
  }

  void invalidTextIsRestoredBeforeThePortOpens() {
    QLineEdit* port = win->CBPortNum->lineEdit();
    port->selectAll();
    QTest::keyClicks(port, QStringLiteral("nonsense"));
    api->OpenFails = true;
    Click(win->BtnPortOn);  // the button takes no focus: the field is still being edited
    QCOMPARE(boxes.back().text, QStringLiteral("Can't open portCOM 1"));
  }

  void theHeadingsStayOnTop() {
    Click(win->BtnPortOn);
    for (int i = 0; i < 300; ++i) {
      Receive("r" + std::to_string(i));
      Click(win->BtnSend);
    }
    QCOMPARE(win->LBRec->RowDisplayText(0), QStringLiteral("ОТВЕТ:"));
    QCOMPARE(win->LBSend->RowDisplayText(0), QStringLiteral("ЗАПРОС:"));
    QCOMPARE(win->LBRec->Store().Row(1), std::string("r299"));
  }

  void closingTheWindowClosesThePort() {
    Click(win->BtnPortOn);
    win->close();
    win.reset();
    QCOMPARE(api->Count("CloseHandle"), 1);
    QCOMPARE(api->WindowsReleased, 1);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
