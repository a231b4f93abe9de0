// The port line dialog: data bits, hardware handshake, parity and stop bits.
// The form is created once at start-up and hidden between showings, so it keeps its
// values; the main window's click handler reads it after OK.
#pragma once

#include "FixedDialog.h"

class TFrmConfig : public TFixedDialog {
 public:
  explicit TFrmConfig(QWidget* parent = nullptr);
};

// The program's one instance, made at start-up.
extern TFrmConfig* FrmConfig;
