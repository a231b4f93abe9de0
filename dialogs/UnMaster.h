// The module configuration wizard: the procedure and the choices that build a module's
// configuration command. The form is created once at start-up and hidden between showings, so it
// keeps its values; the main window's click handler reads it after OK.
#pragma once

#include "FixedDialog.h"

class TFrmMaster : public TFixedDialog {
 public:
  explicit TFrmMaster(QWidget* parent = nullptr);
};

// The program's one instance, made at start-up.
extern TFrmMaster* FrmMaster;
