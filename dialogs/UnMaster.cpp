#include "UnMaster.h"

TFrmMaster* FrmMaster = nullptr;

TFrmMaster::TFrmMaster(QWidget* parent)
    : TFixedDialog(QStringLiteral("Конфигурация модуля"), 360, 292, parent) {
  setObjectName(QStringLiteral("FrmMaster"));
}
