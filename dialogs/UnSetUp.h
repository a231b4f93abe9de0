// The buffer and packet dialog: buffer sizes, software handshake, output time-out, polling delay
// and the packet options. The form is created once at start-up and hidden between showings, so it
// keeps its values; the main window's click handler reads it after OK.
#pragma once

#include "FixedDialog.h"

class TFrmSetUp : public TFixedDialog {
 public:
  explicit TFrmSetUp(QWidget* parent = nullptr);
};

// The program's one instance, made at start-up.
extern TFrmSetUp* FrmSetUp;
