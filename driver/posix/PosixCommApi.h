// The device services on a POSIX system: a termios serial device per handle and the
// monotonic clock. The timer window comes from the event loop that the program runs, so
// the timer services are left to a subclass.
#pragma once

#include <termios.h>

#include <map>
#include <string>

#include "../CommApi.h"

class PosixCommApi : public comm::CommApi {
 public:
  PosixCommApi();
  ~PosixCommApi() override;

  comm::Handle CreateFileA(const char* name) override;
  comm::BOOL SetCommState(comm::Handle h, const comm::DCB& dcb) override;
  comm::BOOL PurgeComm(comm::Handle h, comm::DWORD flags) override;
  comm::BOOL SetupComm(comm::Handle h, comm::DWORD inQueue, comm::DWORD outQueue) override;
  comm::BOOL SetCommTimeouts(comm::Handle h, const comm::COMMTIMEOUTS& timeouts) override;
  comm::BOOL ClearCommError(comm::Handle h, comm::DWORD* errors, comm::COMSTAT* stat) override;
  comm::BOOL ReadFile(comm::Handle h, void* buffer, comm::DWORD toRead, comm::DWORD* read) override;
  comm::BOOL WriteFile(comm::Handle h, const void* buffer, comm::DWORD toWrite,
                       comm::DWORD* written) override;
  comm::BOOL CloseHandle(comm::Handle h) override;
  comm::DWORD GetTickCount() override;
  comm::OpenFailure LastOpenFailure() const override { return lastFailure_; }

  // The descriptor behind a handle, -1 when there is none (for tests and diagnostics).
  int DescriptorOf(comm::Handle h) const;

 private:
  struct Device {
    int Fd = -1;
    termios Saved{};
    bool Exclusive = false;  // TIOCEXCL was set and must be cleared before closing
  };

  Device* Find(comm::Handle h);
  void Fail(comm::OpenFailureReason reason, int error, const std::string& path);

  std::map<comm::Handle, Device> devices_;
  comm::Handle nextHandle_ = 1;
  comm::OpenFailure lastFailure_;
};
