// The real POSIX devices with a timer window that the test ticks by hand.
#pragma once

#include <map>

#include "PosixCommApi.h"

class ManualTimerCommApi : public PosixCommApi {
 public:
  std::map<std::uintptr_t, comm::DWORD> Timers;

  void Tick() {
    comm::TMessage message{comm::WM_TIMER, 1, 0};
    if (proc_) proc_(message);
  }

  comm::WindowHandle AllocateTimerWindow(comm::TimerWindowProc proc) override {
    proc_ = std::move(proc);
    return 1;
  }
  void DeallocateTimerWindow(comm::WindowHandle) override { proc_ = nullptr; }
  comm::BOOL SetTimer(comm::WindowHandle, std::uintptr_t id, comm::DWORD ms) override {
    Timers[id] = ms;
    return true;
  }
  comm::BOOL KillTimer(comm::WindowHandle, std::uintptr_t id) override {
    return Timers.erase(id) > 0;
  }

 private:
  comm::TimerWindowProc proc_;
};
