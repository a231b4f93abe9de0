// The platform services that the serial port driver reaches its device, clock and poll
// timer through. The declarations are our own; they are named after the operations the
// driver performs so that a platform whose own services look like these passes straight
// through, while others (POSIX termios, the Qt event loop) sit behind this class.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace comm {

using DWORD = std::uint32_t;
using BOOL = bool;

// An open device. Zero is never handed out, so the driver can use it for "closed";
// a failed open answers kInvalidHandle (all ones).
using Handle = std::uintptr_t;
inline constexpr Handle kInvalidHandle = ~Handle{0};

// A window that receives timer messages. Zero means none.
using WindowHandle = std::uintptr_t;

// Device control record: the line settings handed over in one piece.
struct DCB {
  DWORD DCBlength = 0;
  DWORD BaudRate = 0;
  DWORD Flags = 0;  // the flag word below
  std::uint16_t wReserved = 0;
  std::uint16_t XonLim = 0;
  std::uint16_t XoffLim = 0;
  std::uint8_t ByteSize = 0;
  std::uint8_t Parity = 0;
  std::uint8_t StopBits = 0;
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  std::uint16_t wReserved1 = 0;
};

// Bits and fields of DCB::Flags.
inline constexpr DWORD fBinary = 0x0001;
inline constexpr DWORD fParity = 0x0002;
inline constexpr DWORD fOutxCtsFlow = 0x0004;
inline constexpr DWORD fOutxDsrFlow = 0x0008;
inline constexpr DWORD fDtrControlShift = 4;  // two bits
inline constexpr DWORD fDtrControlMask = 0x0030;
inline constexpr DWORD fDsrSensitivity = 0x0040;
inline constexpr DWORD fTXContinueOnXoff = 0x0080;
inline constexpr DWORD fOutX = 0x0100;
inline constexpr DWORD fInX = 0x0200;
inline constexpr DWORD fErrorChar = 0x0400;
inline constexpr DWORD fNull = 0x0800;
inline constexpr DWORD fRtsControlShift = 12;  // two bits
inline constexpr DWORD fRtsControlMask = 0x3000;
inline constexpr DWORD fAbortOnError = 0x4000;

inline constexpr DWORD DTR_CONTROL_DISABLE = 0;
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_DISABLE = 0;
inline constexpr DWORD RTS_CONTROL_ENABLE = 1;
inline constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;

inline constexpr std::uint8_t NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3,
                              SPACEPARITY = 4;
inline constexpr std::uint8_t ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2;

inline constexpr DWORD PURGE_TXABORT = 0x0001;
inline constexpr DWORD PURGE_RXABORT = 0x0002;
inline constexpr DWORD PURGE_TXCLEAR = 0x0004;
inline constexpr DWORD PURGE_RXCLEAR = 0x0008;

struct COMMTIMEOUTS {
  DWORD ReadIntervalTimeout = 0;
  DWORD ReadTotalTimeoutMultiplier = 0;
  DWORD ReadTotalTimeoutConstant = 0;
  DWORD WriteTotalTimeoutMultiplier = 0;
  DWORD WriteTotalTimeoutConstant = 0;
};

// Device status: the bytes waiting in the input and output queues.
struct COMSTAT {
  DWORD cbInQue = 0;
  DWORD cbOutQue = 0;
};

// A message delivered to a timer window.
inline constexpr std::uint32_t WM_TIMER = 275;
struct TMessage {
  std::uint32_t Msg = 0;
  std::uintptr_t WParam = 0;  // the timer's identifier for WM_TIMER
  std::intptr_t LParam = 0;
};
using TimerWindowProc = std::function<void(TMessage&)>;

// Why the last open failed, kept for the operator. A layer whose devices cannot fail in
// these ways leaves it at kNone.
enum class OpenFailureReason {
  kNone,
  kNoSuchDevice,      // nothing is bound to the port name, or the device is gone
  kPermissionDenied,  // the user may not open the device
  kInUse,             // another program holds the device
  kNotASerialDevice,  // the path exists but is no terminal device
  kOther,             // anything else; Detail has the system's words
};

struct OpenFailure {
  OpenFailureReason Reason = OpenFailureReason::kNone;
  std::string PortName;     // "COM3"
  std::string Path;         // the device that the name resolved to; empty when none
  std::string Detail;       // the system's message, or how resolution went
  std::string OwningGroup;  // for kPermissionDenied: the group that may open the device
};

class CommApi {
 public:
  virtual ~CommApi() = default;

  // Opens "COM1" to "COM16" for reading and writing, not shared. kInvalidHandle on failure.
  virtual Handle CreateFileA(const char* name) = 0;
  virtual BOOL SetCommState(Handle h, const DCB& dcb) = 0;
  virtual BOOL PurgeComm(Handle h, DWORD flags) = 0;
  virtual BOOL SetupComm(Handle h, DWORD inQueue, DWORD outQueue) = 0;
  virtual BOOL SetCommTimeouts(Handle h, const COMMTIMEOUTS& timeouts) = 0;
  // Clears the device's error state and fills the queue counts. On failure the status is
  // left as the caller preset it.
  virtual BOOL ClearCommError(Handle h, DWORD* errors, COMSTAT* stat) = 0;
  // Returns at once with what has arrived, up to toRead bytes.
  virtual BOOL ReadFile(Handle h, void* buffer, DWORD toRead, DWORD* read) = 0;
  // Takes what the device accepts now, possibly nothing.
  virtual BOOL WriteFile(Handle h, const void* buffer, DWORD toWrite, DWORD* written) = 0;
  virtual BOOL CloseHandle(Handle h) = 0;

  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual DWORD GetTickCount() = 0;

  // A hidden window whose messages reach proc on the thread that runs the event loop.
  virtual WindowHandle AllocateTimerWindow(TimerWindowProc proc) = 0;
  virtual void DeallocateTimerWindow(WindowHandle window) = 0;
  // Starts (or restarts with a new period) timer id of the window: WM_TIMER with WParam id
  // every period milliseconds until KillTimer.
  virtual BOOL SetTimer(WindowHandle window, std::uintptr_t id, DWORD periodMs) = 0;
  virtual BOOL KillTimer(WindowHandle window, std::uintptr_t id) = 0;

  // Why the most recent CreateFileA failed.
  virtual OpenFailure LastOpenFailure() const = 0;
};

// The system's services for this platform (devices and the Qt event loop's timers).
CommApi& SystemCommApi();

}  // namespace comm
