#include "UnMaster.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ComboList.h"
#include "Place.h"
#include "Shape.h"
#include "UpDown.h"

TFrmMaster* FrmMaster = nullptr;

const QStringList& TFrmMaster::Instructions() {
  static const QStringList lines = {
      QStringLiteral("Для изменения конфигурации модуля, переведите его в режим "),
      QStringLiteral("инициализации."),
      QStringLiteral("Для этого необходимо:"),
      QStringLiteral("1.   Отключить питание модуля."),
      QStringLiteral("2.   Подключить линию клемника \"INIT\" к линии \"GND RS232\"."),
      QStringLiteral("3.   Включить питание модуля."),
      QStringLiteral("4.   В программе терминала переключить скорость "),
      QStringLiteral("последовательного порта в значение \"9600 bps\""),
      QStringLiteral("5.   Воспользоваться мастером для генерации команды "),
      QStringLiteral("конфигурации"),
      QStringLiteral("6.   Выполнить команду"),
      QStringLiteral("7.   Отключить питание модуля."),
      QStringLiteral("8.   Отсоединить линию клемника \"INIT\" от линии \"GND RS232\"."),
      QStringLiteral("9.   Включить питание модуля."),
      QStringLiteral("10. В программе терминала переключить скорость "),
      QStringLiteral("последовательного порта в необходимое значение"),
  };
  return lines;
}

TFrmMaster::TFrmMaster(QWidget* parent)
    : TFixedDialog(QStringLiteral("Конфигурация модуля"), 360, 292, parent) {
  setObjectName(QStringLiteral("FrmMaster"));
  Shape1 = Place(new TShape(this), "Shape1", 1, 151, 358, 95);
  Shape5 = Place(new TShape(this), "Shape5", 1, 250, 359, 42);
  Label3 = Place(ColouredLabel(this, QStringLiteral("ВНИМАНИЕ"), kLabelBlack), "Label3", 4, 0, 71,
                 13, true);

  Memo1 = Place(new QPlainTextEdit(this), "Memo1", 0, 16, 359, 128);
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setPlainText(Instructions().join('\n'));
  QPalette memo = Memo1->palette();
  memo.setColor(QPalette::Base, memo.color(QPalette::Button));
  memo.setColor(QPalette::Text, Qt::black);
  Memo1->setPalette(memo);

  Label1 = Place(ColouredLabel(this, QStringLiteral("Новый адрес"), kLabelBlack), "Label1", 46, 163,
                 79, 13, true);
  EdtAddr = Place(new QLineEdit(this), "EdtAddr", 217, 160, 57, 21);
  UpDown = Place(new TUpDown(EdtAddr, 1, 255, 1, this), "UpDown", 274, 160, 15, 21);

  Label2 = Place(ColouredLabel(this, QStringLiteral("Скорость"), kLabelBlack), "Label2", 46, 189,
                 57, 13, true);
  CBSpeed = Place(new TComboList(this), "CBSpeed", 217, 188, 100, 21);
  CBSpeed->addItems({"110", "300 bps", "600 bps", "1200 bps", "2400 bps", "4800 bps", "9600 bps",
                     "19200 bps", "38400 bps", "57600 bps", "115200 bps"});
  CBSpeed->SetPosition(6);

  Label4 = Place(ColouredLabel(this, QStringLiteral("Контрольная сумма"), kLabelBlack), "Label4",
                 46, 215, 120, 13, true);
  CBCtrlSum = Place(new TComboList(this), "CBCtrlSum", 217, 215, 100, 21);
  CBCtrlSum->addItems({QStringLiteral("Выключить"), QStringLiteral("Включить")});
  CBCtrlSum->SetPosition(0);

  BtnOk = MakeOkButton("BtnOk", 27, 259, 103, 25);
  BtnCancel = MakeCancelButton("BtnCancel", 227, 259, 103, 25);

  NameAfter(Label3, Memo1);
  NameAfter(Label1, EdtAddr);
  UpDown->setAccessibleName(Label1->text());
  NameAfter(Label2, CBSpeed);
  NameAfter(Label4, CBCtrlSum);

  setTabOrder(BtnOk, BtnCancel);
  setTabOrder(BtnCancel, Memo1);
  setTabOrder(Memo1, EdtAddr);
  setTabOrder(EdtAddr, CBSpeed);
  setTabOrder(CBSpeed, CBCtrlSum);
  BtnOk->setFocus();
}
