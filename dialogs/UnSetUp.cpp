#include "UnSetUp.h"

TFrmSetUp* FrmSetUp = nullptr;

TFrmSetUp::TFrmSetUp(QWidget* parent)
    : TFixedDialog(QStringLiteral("Software Configuration"), 205, 271, parent) {
  setObjectName(QStringLiteral("FrmSetUp"));
}
