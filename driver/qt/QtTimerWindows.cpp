#include "QtTimerWindows.h"

#include <QTimerEvent>
#include <algorithm>
#include <cstdint>

using namespace comm;

class QtTimerWindows::Window : public QObject {
 public:
  explicit Window(TimerWindowProc proc) : proc_(std::move(proc)) {}

  bool Start(std::uintptr_t id, DWORD periodMs) {
    Stop(id);
    // A period of 0 fires whenever the event loop has nothing else to do: as often as the
    // loop allows, without keeping other events waiting.
    const int interval = static_cast<int>(std::min<DWORD>(periodMs, INT32_MAX));
    const int qtId = startTimer(interval, Qt::PreciseTimer);
    if (qtId == 0) return false;
    ids_[qtId] = id;
    return true;
  }

  bool Stop(std::uintptr_t id) {
    for (auto it = ids_.begin(); it != ids_.end(); ++it) {
      if (it->second == id) {
        killTimer(it->first);
        ids_.erase(it);
        return true;
      }
    }
    return false;
  }

 protected:
  void timerEvent(QTimerEvent* event) override {
    const auto it = ids_.find(event->timerId());
    if (it == ids_.end()) return;
    TMessage message;
    message.Msg = WM_TIMER;
    message.WParam = it->second;
    proc_(message);
  }

 private:
  TimerWindowProc proc_;
  std::map<int, std::uintptr_t> ids_;  // Qt's timer id -> the caller's identifier
};

QtTimerWindows::QtTimerWindows() = default;
QtTimerWindows::~QtTimerWindows() = default;

WindowHandle QtTimerWindows::Allocate(TimerWindowProc proc) {
  const WindowHandle handle = next_++;
  windows_.emplace(handle, std::make_unique<Window>(std::move(proc)));
  return handle;
}

void QtTimerWindows::Deallocate(WindowHandle window) { windows_.erase(window); }

bool QtTimerWindows::SetTimer(WindowHandle window, std::uintptr_t id, DWORD periodMs) {
  const auto it = windows_.find(window);
  return it != windows_.end() && it->second->Start(id, periodMs);
}

bool QtTimerWindows::KillTimer(WindowHandle window, std::uintptr_t id) {
  const auto it = windows_.find(window);
  return it != windows_.end() && it->second->Stop(id);
}
