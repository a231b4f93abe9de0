#include "UnSetUp.h"

#include <QLineEdit>
#include <QPushButton>
#include <tuple>

#include "ComboList.h"
#include "Place.h"
#include "Shape.h"
#include "UpDown.h"

TFrmSetUp* FrmSetUp = nullptr;

TFrmSetUp::TFrmSetUp(QWidget* parent)
    : TFixedDialog(QStringLiteral("Software Configuration"), 205, 271, parent) {
  setObjectName(QStringLiteral("FrmSetUp"));
  Shape1 = Place(new TShape(this), "Shape1", 1, 0, 204, 58);
  Shape2 = Place(new TShape(this), "Shape2", 1, 61, 204, 31);
  Shape4 = Place(new TShape(this), "Shape4", 1, 95, 204, 54);
  Shape5 = Place(new TShape(this), "Shape5", 1, 152, 204, 81);
  Shape3 = Place(new TShape(this), "Shape3", 0, 236, 205, 35);

  auto label = [this](const char* name, const QString& text, int top, int width) {
    return Place(ColouredLabel(this, text, kLabelGreen), name, 6, top, width, 13, true);
  };
  // An edit at left 119 with its spinner attached to its right edge.
  auto spin = [this](QLineEdit*& edit, const char* editName, const char* spinName, int top,
                     int minimum, int maximum, int position) {
    edit = Place(new QLineEdit(this), editName, 119, top, 65, 21);
    return Place(new TUpDown(edit, minimum, maximum, position, this), spinName, 184, top, 15, 21);
  };

  Label13 = label("Label13", QStringLiteral("Input Buffer Size"), 9, 96);
  UDIBS = spin(EdtIBS, "EdtIBS", "UDIBS", 7, 1, 32767, 2048);
  Label12 = label("Label12", QStringLiteral("Output Buffer Size"), 33, 105);
  UDOBS = spin(EdtOBS, "EdtOBS", "UDOBS", 31, 1, 32767, 2048);
  Label8 = label("Label8", QStringLiteral("Hand Shaking"), 68, 81);
  CBSHS = Place(new TComboList(this), "CBSHS", 120, 66, 79, 21);
  CBSHS->addItems({QStringLiteral("NONE"), QStringLiteral("XONXOFF")});
  CBSHS->SetPosition(0);
  Label9 = label("Label9", QStringLiteral("Output Timeout(ms)"), 102, 111);
  UDOT = spin(EdtOT, "EdtOT", "UDOT", 99, 0, 32767, 4000);
  Label1 = label("Label1", QStringLiteral("Polling Delay"), 126, 75);
  UDPD = spin(EdtPD, "EdtPD", "UDPD", 123, 0, 1000, 50);
  Label2 = label("Label2", QStringLiteral("Packet Mode"), 160, 76);
  CBPM = Place(new TComboList(this), "CBPM", 119, 157, 79, 21);
  CBPM->addItems({QStringLiteral("Discard"), QStringLiteral("Pass")});
  CBPM->SetPosition(0);
  Label10 = label("Label10", QStringLiteral("Packet Size"), 184, 69);
  UDPS = spin(EdtPS, "EdtPS", "UDPS", 182, -1, 32767, -1);
  Label11 = label("Label11", QStringLiteral("Packet Timeout"), 208, 90);
  UDPT = spin(EdtPT, "EdtPT", "UDPT", 207, -1, 32767, -1);
  BtnOk = MakeOkButton("BtnOk", 5, 241, 85, 25);
  BtnCancel = MakeCancelButton("BtnCancel", 114, 241, 85, 25);

  for (auto [label, edit, spinner] :
       {std::tuple{Label13, EdtIBS, UDIBS}, std::tuple{Label12, EdtOBS, UDOBS},
        std::tuple{Label9, EdtOT, UDOT}, std::tuple{Label1, EdtPD, UDPD},
        std::tuple{Label10, EdtPS, UDPS}, std::tuple{Label11, EdtPT, UDPT}}) {
    NameAfter(label, edit);
    spinner->setAccessibleName(label->text());
  }
  NameAfter(Label8, CBSHS);
  NameAfter(Label2, CBPM);

  // The spinners are no tab stops: Tab runs through the edits and lists in this order.
  setTabOrder(EdtPD, CBSHS);
  setTabOrder(CBSHS, EdtOT);
  setTabOrder(EdtOT, EdtPS);
  setTabOrder(EdtPS, EdtPT);
  setTabOrder(EdtPT, EdtOBS);
  setTabOrder(EdtOBS, EdtIBS);
  setTabOrder(EdtIBS, BtnOk);
  setTabOrder(BtnOk, BtnCancel);
  setTabOrder(BtnCancel, CBPM);
  EdtPD->setFocus();
}
