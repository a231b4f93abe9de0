#include "UnConfig.h"

#include <QCheckBox>
#include <QPushButton>

#include "ComboList.h"
#include "Place.h"
#include "Shape.h"

TFrmConfig* FrmConfig = nullptr;

namespace {
TComboList* List(QWidget* parent, const char* name, int top, const QStringList& items,
                 int selected) {
  auto* list = Place(new TComboList(parent), name, 100, top, 97, 21);
  list->addItems(items);
  list->SetPosition(selected);
  return list;
}
}  // namespace

TFrmConfig::TFrmConfig(QWidget* parent)
    : TFixedDialog(QStringLiteral("Hardware Config"), 205, 178, parent) {
  setObjectName(QStringLiteral("FrmConfig"));
  Shape3 = Place(new TShape(this), "Shape3", 0, 0, 205, 140);
  Shape1 = Place(new TShape(this), "Shape1", 0, 143, 205, 35);
  Label4 = Place(ColouredLabel(this, QStringLiteral("Data Bits"), kLabelBlue), "Label4", 9, 9, 53,
                 13, true);
  CBBataBits = List(this, "CBBataBits", 7, {"5 bit", "6 bit", "7 bit", "8 bit"}, 3);
  Label5 = Place(ColouredLabel(this, QStringLiteral("Hand Shaking"), kLabelBlue), "Label5", 9, 35,
                 81, 13, true);
  CBHWHS = List(this, "CBHWHS", 33, {"NONE", "RTS+CTS"}, 0);
  Label6 = Place(ColouredLabel(this, QStringLiteral("Parity"), kLabelBlue), "Label6", 9, 62, 33, 13,
                 true);
  CBParity = List(this, "CBParity", 60, {"NONE", "ODD", "EVEN", "MARK", "SPACE"}, 0);
  Label7 = Place(ColouredLabel(this, QStringLiteral("Stop Bit"), kLabelBlue), "Label7", 9, 90, 46,
                 13, true);
  CBStop = List(this, "CBStop", 88, {"1 BIT", "1.5 BIT", "2 BITS"}, 0);
  // Checked, as the driver turns DTR on by default; OK hands it to the driver.
  CheckBox1 =
      Place(new QCheckBox(QStringLiteral("DTR On Open"), this), "CheckBox1", 44, 117, 97, 17, true);
  CheckBox1->setChecked(true);
  QPalette blue = CheckBox1->palette();
  blue.setColor(QPalette::WindowText, QColor::fromRgb(kLabelBlue));
  CheckBox1->setPalette(blue);
  BitBtn1 = MakeOkButton("BitBtn1", 5, 148, 85, 25);
  BitBtn2 = MakeCancelButton("BitBtn2", 114, 148, 85, 25);

  NameAfter(Label4, CBBataBits);
  NameAfter(Label5, CBHWHS);
  NameAfter(Label6, CBParity);
  NameAfter(Label7, CBStop);

  setTabOrder(CBBataBits, CBHWHS);
  setTabOrder(CBHWHS, CBParity);
  setTabOrder(CBParity, CBStop);
  setTabOrder(CBStop, CheckBox1);
  setTabOrder(CheckBox1, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
}
