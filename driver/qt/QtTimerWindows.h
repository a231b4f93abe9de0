// Timer windows on the Qt event loop: each window is a small QObject whose timer events
// become WM_TIMER messages for its procedure, on the thread that runs the loop (modal
// dialogs' loops included).
#pragma once

#include <QObject>
#include <map>
#include <memory>

#include "../CommApi.h"

class QtTimerWindows {
 public:
  QtTimerWindows();
  ~QtTimerWindows();

  comm::WindowHandle Allocate(comm::TimerWindowProc proc);
  void Deallocate(comm::WindowHandle window);
  bool SetTimer(comm::WindowHandle window, std::uintptr_t id, comm::DWORD periodMs);
  bool KillTimer(comm::WindowHandle window, std::uintptr_t id);

 private:
  class Window;
  std::map<comm::WindowHandle, std::unique_ptr<Window>> windows_;
  comm::WindowHandle next_ = 1;
};
