// The services this program runs on: termios devices and timers on the Qt event loop.
#pragma once

#include "../posix/PosixCommApi.h"
#include "QtTimerWindows.h"

class SystemCommApiImpl final : public PosixCommApi {
 public:
  comm::WindowHandle AllocateTimerWindow(comm::TimerWindowProc proc) override {
    return timers_.Allocate(std::move(proc));
  }
  void DeallocateTimerWindow(comm::WindowHandle window) override { timers_.Deallocate(window); }
  comm::BOOL SetTimer(comm::WindowHandle window, std::uintptr_t id, comm::DWORD ms) override {
    return timers_.SetTimer(window, id, ms);
  }
  comm::BOOL KillTimer(comm::WindowHandle window, std::uintptr_t id) override {
    return timers_.KillTimer(window, id);
  }

 private:
  QtTimerWindows timers_;
};
