// What assistive technology reads through Qt's accessibility interface: the line lists as
// lists of rows, and a meaningful name for every control.
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ComboList.h"
#include "ErrorBox.h"
#include "FakeCommApi.h"
#include "SpeedButton.h"
#include "UnConfig.h"
#include "UnMain.h"
#include "UnMaster.h"
#include "UnSetUp.h"
#include "UpDown.h"
#include "lines/LineListBox.h"

namespace {

// What a screen reader announces a control by. Qt on Linux gives a combo box its current
// text as name and points to its label through the "labelled by" relation, which is what
// AT-SPI clients read.
QString NameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  if (iface == nullptr) return QStringLiteral("<none>");
  if (iface->role() == QAccessible::ComboBox) {
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? QStringLiteral("<no label>")
                            : labels.first().first->text(QAccessible::Name);
  }
  return iface->text(QAccessible::Name);
}

QString RowName(QAccessibleInterface* list, int row) {
  QAccessibleInterface* child = list->child(row);
  return child != nullptr ? child->text(QAccessible::Name) : QStringLiteral("<none>");
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void aListShowsItsRowsAsChildren() {
    TLineListBox list(QStringLiteral("ОТВЕТ:"));
    list.show();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&list);
    QVERIFY(iface != nullptr);
    QCOMPARE(iface->role(), QAccessible::List);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("ОТВЕТ:"));
    QCOMPARE(iface->childCount(), 1);
    QCOMPARE(RowName(iface, 0), QStringLiteral("ОТВЕТ:"));

    list.Insert("first");
    list.Insert("OK\r\n");
    QCOMPARE(iface->childCount(), 3);
    QCOMPARE(RowName(iface, 0), QStringLiteral("ОТВЕТ:"));
    QCOMPARE(RowName(iface, 1), QStringLiteral("OK\u240D\u240A"));
    QCOMPARE(RowName(iface, 2), QStringLiteral("first"));
    QCOMPARE(iface->child(1)->role(), QAccessible::ListItem);

    // A row's interface follows its line as new rows push it down.
    QAccessibleInterface* ok = iface->child(1);
    list.Insert("newest");
    QCOMPARE(iface->indexOfChild(ok), 2);
    QCOMPARE(ok->text(QAccessible::Name), QStringLiteral("OK\u240D\u240A"));
    QCOMPARE(RowName(iface, 1), QStringLiteral("newest"));
    QVERIFY(iface->child(4) == nullptr);

    list.SelectRow(2);
    QVERIFY(ok->state().selected);
    QVERIFY(!iface->child(1)->state().selected);
  }

  void theMainWindowsControlsHaveNamesAndTheSpeedButtonsPress() {
    FakeCommApi api;
    TFrmMain win(api);
    win.show();
    const std::vector<std::pair<QObject*, const char*>> names = {
        {win.CBPortNum, "COM port"},
        {win.CBSpeed, "Speed"},
        {win.EdtSend, "Command line"},
        {win.LBSend, "ЗАПРОС:"},
        {win.LBRec, "ОТВЕТ:"},
        {win.BtnPortOn, "ON"},
        {win.BtnPortOff, "OFF"},
        {win.BtnSend, "S"},
        {win.BtnHWCfg, "Програмный буфер"},
        {win.BtnSWCfg, "Конфигурация порта"},
        {win.BtnMaster, "Конфигурация модуля"},
    };
    for (const auto& [object, name] : names) QCOMPARE(NameOf(object), QString::fromUtf8(name));

    // The switch is a pair of radio buttons, one of them checked.
    QAccessibleInterface* off = QAccessible::queryAccessibleInterface(win.BtnPortOff);
    QCOMPARE(off->role(), QAccessible::RadioButton);
    QVERIFY(off->state().checked);
    QCOMPARE(QAccessible::queryAccessibleInterface(win.BtnSend)->role(), QAccessible::Button);

    // Out of the keyboard order, but pressable through accessibility: pressing clicks.
    QAccessibleInterface* on = QAccessible::queryAccessibleInterface(win.BtnPortOn);
    QCOMPARE(on->actionInterface()->actionNames(),
             QStringList{QAccessibleActionInterface::pressAction()});
    QVERIFY(on->actionInterface() != nullptr);
    on->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(win.COMPort->IsPortOpen());
    QVERIFY(win.BtnSend->isEnabled());
    QVERIFY(on->state().checked);
    // Pressing the button that is already down clicks again and keeps it down.
    on->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(win.BtnPortOn->isChecked());
  }

  void theErrorBoxCanBeRead() {
    FakeCommApi api;
    api.OpenFails = true;
    api.Failure = {comm::OpenFailureReason::kInUse, "COM1", "/dev/ttyUSB0", "", ""};
    TFrmMain win(api);
    QStringList texts;
    SetErrorBoxHook([&texts](QMessageBox& box) {
      box.show();  // what a screen reader meets: the box with its texts and its button
      std::function<void(QAccessibleInterface*)> collect = [&](QAccessibleInterface* iface) {
        texts << iface->text(QAccessible::Name);
        for (int i = 0; i < iface->childCount(); ++i) collect(iface->child(i));
      };
      collect(QAccessible::queryAccessibleInterface(&box));
      box.hide();
    });
    win.BtnPortOn->click();
    SetErrorBoxHook(nullptr);
    QVERIFY2(texts.contains(QStringLiteral("Error")), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains(QStringLiteral("Can't open portCOM 1")), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains(QStringLiteral("OK")), qPrintable(texts.join('|')));
    QVERIFY(texts.filter(QStringLiteral("another program")).size() == 1);
  }

  void theDialogsControlsAreNamedByTheirLabels() {
    TFrmConfig config;
    TFrmSetUp setup;
    TFrmMaster master;
    const std::vector<std::pair<QObject*, const char*>> names = {
        {config.CBBataBits, "Data Bits"},
        {config.CBHWHS, "Hand Shaking"},
        {config.CBParity, "Parity"},
        {config.CBStop, "Stop Bit"},
        {config.CheckBox1, "DTR On Open"},
        {setup.EdtIBS, "Input Buffer Size"},
        {setup.UDIBS, "Input Buffer Size"},
        {setup.EdtOBS, "Output Buffer Size"},
        {setup.CBSHS, "Hand Shaking"},
        {setup.EdtOT, "Output Timeout(ms)"},
        {setup.EdtPD, "Polling Delay"},
        {setup.CBPM, "Packet Mode"},
        {setup.EdtPS, "Packet Size"},
        {setup.UDPT, "Packet Timeout"},
        {setup.BtnOk, "OK"},
        {setup.BtnCancel, "Cancel"},
        {master.EdtAddr, "Новый адрес"},
        {master.UpDown, "Новый адрес"},
        {master.CBSpeed, "Скорость"},
        {master.CBCtrlSum, "Контрольная сумма"},
        {master.Memo1, "ВНИМАНИЕ"},
    };
    for (const auto& [object, name] : names) QCOMPARE(NameOf(object), QString::fromUtf8(name));

    // The wizard's instructions can be read as text.
    QAccessibleInterface* memo = QAccessible::queryAccessibleInterface(master.Memo1);
    QVERIFY(memo->textInterface() != nullptr);
    QVERIFY(memo->textInterface()
                ->text(0, memo->textInterface()->characterCount())
                .contains(QStringLiteral("Подключить линию клемника \"INIT\"")));
  }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
