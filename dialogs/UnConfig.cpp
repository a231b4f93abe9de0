#include "UnConfig.h"

TFrmConfig* FrmConfig = nullptr;

TFrmConfig::TFrmConfig(QWidget* parent)
    : TFixedDialog(QStringLiteral("Hardware Config"), 205, 178, parent) {
  setObjectName(QStringLiteral("FrmConfig"));
}
