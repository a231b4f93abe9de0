// A device, clock and timer window driven by the test: queues filled and drained by hand,
// a clock set by hand (values near 2^32 included), and a record of every call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "CommApi.h"

class FakeCommApi : public comm::CommApi {
 public:
  struct Call {
    std::string Name;
    std::vector<std::int64_t> Args;
  };

  // --- what the test sets ---
  bool OpenFails = false;
  comm::OpenFailure Failure;  // what LastOpenFailure tells
  bool StatusFails = false;
  bool ReadFails = false;
  std::uint32_t ReadLimit = UINT32_MAX;     // at most this many bytes per read (short reads)
  std::uint32_t WriteAccepts = UINT32_MAX;  // at most this many bytes per write; 0: none
  std::uint32_t OutQueue = 0;               // what the status reports as waiting for output
  std::uint32_t Now = 0;                    // the tick count
  std::uint32_t ClockStep = 0;              // added to Now after every GetTickCount
  std::deque<std::uint8_t> Input;           // bytes that have arrived
  std::function<void()> OnStatus;           // runs inside every ClearCommError
  bool Record = true;                       // false: keep no call record (it allocates)

  // --- what the test reads ---
  std::vector<Call> Calls;
  std::vector<comm::DCB> States;                 // every record handed to SetCommState
  std::vector<std::uint8_t> Output;              // every byte written
  std::map<std::uintptr_t, comm::DWORD> Timers;  // running timers: id -> period
  int WindowsAllocated = 0;
  int WindowsReleased = 0;
  std::uint32_t LargestReadAsked = 0;
  // Bytes that have left Input (read or purged): the stream position of Input.front().
  std::uint64_t Removed = 0;
  struct Read {
    std::uint64_t First;  // stream position of the first byte read
    std::uint32_t Count;
    std::uint32_t Asked;
  };
  std::vector<Read> Reads;                   // every successful read, kept while Record is set
  std::function<std::uint32_t()> ReadBound;  // when set, reads asking more are counted
  int ReadsBeyondBound = 0;

  static constexpr comm::Handle kHandle = 7;

  void Arrive(const std::string& bytes) { Input.insert(Input.end(), bytes.begin(), bytes.end()); }
  void Arrive(std::size_t count, std::uint8_t byte = 'x') {
    Input.insert(Input.end(), count, byte);
  }

  // Delivers one poll tick, as the event loop would.
  void Tick(std::uint32_t msg = comm::WM_TIMER) {
    comm::TMessage message;
    message.Msg = msg;
    message.WParam = 1;
    for (auto& [window, proc] : windows_) proc(message);
  }

  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& call : Calls) n += call.Name == name ? 1 : 0;
    return n;
  }
  std::vector<Call> CallsNamed(const std::string& name) const {
    std::vector<Call> found;
    for (const auto& call : Calls) {
      if (call.Name == name) found.push_back(call);
    }
    return found;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& call : Calls) names.push_back(call.Name);
    return names;
  }

  comm::Handle CreateFileA(const char* name) override {
    if (Record) Calls.push_back({std::string("CreateFileA:") + name, {}});
    return OpenFails ? comm::kInvalidHandle : kHandle;
  }
  comm::BOOL SetCommState(comm::Handle h, const comm::DCB& dcb) override {
    Log("SetCommState", {static_cast<std::int64_t>(h)});
    States.push_back(dcb);
    return true;
  }
  comm::BOOL PurgeComm(comm::Handle h, comm::DWORD flags) override {
    Log("PurgeComm", {static_cast<std::int64_t>(h), flags});
    if ((flags & comm::PURGE_RXCLEAR) != 0) {
      Removed += Input.size();
      Input.clear();
    }
    if ((flags & comm::PURGE_TXCLEAR) != 0) OutQueue = 0;
    return true;
  }
  comm::BOOL SetupComm(comm::Handle h, comm::DWORD in, comm::DWORD out) override {
    Log("SetupComm", {static_cast<std::int64_t>(h), in, out});
    return true;
  }
  comm::BOOL SetCommTimeouts(comm::Handle h, const comm::COMMTIMEOUTS& t) override {
    Log("SetCommTimeouts",
        {static_cast<std::int64_t>(h), t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier,
         t.ReadTotalTimeoutConstant, t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant});
    return true;
  }
  comm::BOOL ClearCommError(comm::Handle h, comm::DWORD* errors, comm::COMSTAT* stat) override {
    Log("ClearCommError", {static_cast<std::int64_t>(h)});
    if (OnStatus) OnStatus();
    if (StatusFails) return false;
    if (errors != nullptr) *errors = 0;
    stat->cbInQue = static_cast<comm::DWORD>(Input.size());
    stat->cbOutQue = OutQueue;
    return true;
  }
  comm::BOOL ReadFile(comm::Handle h, void* buffer, comm::DWORD toRead,
                      comm::DWORD* read) override {
    Log("ReadFile", {static_cast<std::int64_t>(h), toRead});
    if (toRead > LargestReadAsked) LargestReadAsked = toRead;
    if (ReadBound && toRead > ReadBound()) ++ReadsBeyondBound;
    if (ReadFails) return false;
    std::uint32_t n =
        std::min<std::uint32_t>({toRead, ReadLimit, static_cast<std::uint32_t>(Input.size())});
    auto* out = static_cast<std::uint8_t*>(buffer);
    for (std::uint32_t i = 0; i < n; ++i) {
      out[i] = Input.front();
      Input.pop_front();
    }
    *read = n;
    if (Record) Reads.push_back({Removed, n, toRead});
    Removed += n;
    return true;
  }
  comm::BOOL WriteFile(comm::Handle h, const void* buffer, comm::DWORD toWrite,
                       comm::DWORD* written) override {
    Log("WriteFile", {static_cast<std::int64_t>(h), toWrite});
    const std::uint32_t n = std::min<std::uint32_t>(toWrite, WriteAccepts);
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    Output.insert(Output.end(), in, in + n);
    *written = n;
    return true;
  }
  comm::BOOL CloseHandle(comm::Handle h) override {
    Log("CloseHandle", {static_cast<std::int64_t>(h)});
    return true;
  }
  comm::DWORD GetTickCount() override {
    const std::uint32_t now = Now;
    Now += ClockStep;
    return now;
  }
  comm::WindowHandle AllocateTimerWindow(comm::TimerWindowProc proc) override {
    Log("AllocateTimerWindow", {});
    ++WindowsAllocated;
    const comm::WindowHandle window = 40 + static_cast<comm::WindowHandle>(WindowsAllocated);
    windows_.emplace(window, std::move(proc));
    return window;
  }
  void DeallocateTimerWindow(comm::WindowHandle window) override {
    Log("DeallocateTimerWindow", {static_cast<std::int64_t>(window)});
    windows_.erase(window);
    ++WindowsReleased;
  }
  comm::BOOL SetTimer(comm::WindowHandle window, std::uintptr_t id, comm::DWORD ms) override {
    Log("SetTimer", {static_cast<std::int64_t>(window), static_cast<std::int64_t>(id), ms});
    Timers[id] = ms;
    return true;
  }
  comm::BOOL KillTimer(comm::WindowHandle window, std::uintptr_t id) override {
    Log("KillTimer", {static_cast<std::int64_t>(window), static_cast<std::int64_t>(id)});
    return Timers.erase(id) > 0;
  }
  comm::OpenFailure LastOpenFailure() const override { return Failure; }

 private:
  void Log(const char* name, std::initializer_list<std::int64_t> args) {
    if (!Record) return;
    Calls.push_back({name, std::vector<std::int64_t>(args)});
  }
  std::map<comm::WindowHandle, comm::TimerWindowProc> windows_;
};
