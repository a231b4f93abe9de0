// The program: the main window first, then the three dialogs, then the event loop. Closing
// the main window ends the loop; destroying it closes an open port.
#include <QApplication>

#include "UnConfig.h"
#include "UnMain.h"
#include "UnMaster.h"
#include "UnSetUp.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TFrmMain frmMain;
  FrmMain = &frmMain;
  TFrmSetUp frmSetUp;
  FrmSetUp = &frmSetUp;
  TFrmConfig frmConfig;
  FrmConfig = &frmConfig;
  TFrmMaster frmMaster;
  FrmMaster = &frmMaster;
  frmMain.show();
  const int result = app.exec();
  FrmMaster = nullptr;
  FrmConfig = nullptr;
  FrmSetUp = nullptr;
  FrmMain = nullptr;
  return result;
}
