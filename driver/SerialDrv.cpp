#include "SerialDrv.h"

#include <algorithm>

#include "TransferTime.h"

using namespace comm;

TSerialPortDriver::TSerialPortDriver(TComponent* owner, CommApi& api)
    : TComponent(owner), Api(api) {
  ReallocateReceiveBuffer();
  if (!IsDesigning()) {
    TimerWindow = Api.AllocateTimerWindow([this](TMessage& message) { PollTick(message); });
  }
}

TSerialPortDriver::~TSerialPortDriver() {
  ClosePort();
  if (TimerWindow != 0) Api.DeallocateTimerWindow(TimerWindow);
}

bool TSerialPortDriver::OpenPort() {
  if (IsPortOpen()) return true;
  const std::string name = "COM" + std::to_string(static_cast<int>(FComPort) + 1);
  const Handle handle = Api.CreateFileA(name.c_str());
  if (handle == kInvalidHandle || handle == 0) return false;
  PortHandle = handle;
  ApplyLineSettings();
  COMMTIMEOUTS timeouts;
  timeouts.ReadIntervalTimeout = 1;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 1;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  Api.SetCommTimeouts(PortHandle, timeouts);
  Api.SetTimer(TimerWindow, kTimerId, FComPortPollingDelay);
  return true;
}

void TSerialPortDriver::ClosePort() {
  if (!IsPortOpen()) return;
  Api.KillTimer(TimerWindow, kTimerId);
  Api.CloseHandle(PortHandle);
  PortHandle = 0;
}

void TSerialPortDriver::ApplyLineSettings() {
  if (!IsPortOpen()) return;
  DCB dcb;
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = kBaudRates[FComPortSpeed];
  dcb.Flags = fBinary;
  dcb.Flags |= (FEnableDTROnOpen ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE) << fDtrControlShift;
  if (FComPortHwHandshaking == hhRTSCTS) {
    dcb.Flags |= fOutxCtsFlow | (RTS_CONTROL_HANDSHAKE << fRtsControlShift);
  }
  if (FComPortSwHandshaking == shXONXOFF) dcb.Flags |= fOutX | fInX;
  dcb.XonLim = static_cast<std::uint16_t>(FComPortInBufSize / 4);
  dcb.XoffLim = 1;
  dcb.ByteSize = static_cast<std::uint8_t>(FComPortDataBits + 5);
  dcb.Parity = FComPortParity;
  dcb.StopBits = FComPortStopBits;
  dcb.XonChar = 17;
  dcb.XoffChar = 19;
  Api.SetCommState(PortHandle, dcb);
  PurgeBuffers(true, true);
  Api.SetupComm(PortHandle, FComPortInBufSize, FComPortOutBufSize);
}

void TSerialPortDriver::PurgeBuffers(bool input, bool output) {
  if (!IsPortOpen()) return;
  DWORD flags = 0;
  if (input) flags |= PURGE_RXABORT | PURGE_RXCLEAR;
  if (output) flags |= PURGE_TXABORT | PURGE_TXCLEAR;
  Api.PurgeComm(PortHandle, flags);
  PacketStartTick = kNoTick;
}

std::uint16_t TSerialPortDriver::OutputFreeSpace() {
  if (!IsPortOpen()) return 65535;
  // A failed query leaves no room that a send could rely on.
  return QueryFreeSpace().value_or(0);
}

std::optional<std::uint16_t> TSerialPortDriver::QueryFreeSpace() {
  DWORD errors = 0;
  COMSTAT stat;
  if (!Api.ClearCommError(PortHandle, &errors, &stat)) return std::nullopt;
  // More waiting than the queue was asked to hold: no room.
  if (stat.cbOutQue > FComPortOutBufSize) return 0;
  return static_cast<std::uint16_t>(FComPortOutBufSize - stat.cbOutQue);
}

std::int32_t TSerialPortDriver::WriteData(const void* data, std::int32_t count) {
  std::int32_t sent = 0;
  if (!IsPortOpen() || count <= 0 || data == nullptr) return 0;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::int32_t remaining = count;
  DWORD waitStart = Api.GetTickCount();
  while (remaining > 0) {
    // A device that reports room but takes nothing makes no progress: the wait is only
    // restarted by a write that moved bytes, so OutputTimeout ends such a send too.
    bool progressed = false;
    const std::optional<std::uint16_t> room = QueryFreeSpace();
    // A device whose status cannot be read is gone (an unplugged adapter): waiting for room
    // would only freeze the caller for OutputTimeout.
    if (!room) return -sent;
    if (*room != 0) {
      DWORD written = 0;
      Api.WriteFile(PortHandle, bytes + sent, static_cast<DWORD>(remaining), &written);
      const auto taken = static_cast<std::int32_t>(std::min<DWORD>(written, remaining));
      if (taken > 0) {
        sent += taken;
        remaining -= taken;
        waitStart = Api.GetTickCount();
        progressed = true;
      }
    }
    if (!progressed && remaining > 0 &&
        static_cast<DWORD>(Api.GetTickCount() - waitStart) > FOutputTimeout) {
      return -sent;
    }
  }
  return sent;
}

bool TSerialPortDriver::WriteString(const std::string& text) {
  const auto length = static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX));
  return WriteData(text.data(), length) == length;
}

void TSerialPortDriver::PollTick(TMessage& message) {
  if (message.Msg != WM_TIMER) return;
  if (!IsPortOpen()) return;
  DWORD errors = 0;
  COMSTAT stat;
  // A status query that fails counts as nothing queued.
  if (!Api.ClearCommError(PortHandle, &errors, &stat)) return;
  if (FPacketSize > 0) {
    ReceivePackets(stat.cbInQue);
  } else {
    ReceiveBlock();
  }
}

void TSerialPortDriver::ReceiveBlock() {
  DWORD read = 0;
  const bool ok = Api.ReadFile(PortHandle, ReceiveBuffer.data(),
                               static_cast<DWORD>(ReceiveBuffer.size()), &read);
  read = std::min<DWORD>(read, static_cast<DWORD>(ReceiveBuffer.size()));
  if (ok && read > 0 && FOnReceiveData) {
    FOnReceiveData(this, ReceiveBuffer.data(), static_cast<std::int32_t>(read));
  }
}

void TSerialPortDriver::ReceivePackets(DWORD queued) {
  if (queued >= static_cast<DWORD>(FPacketSize)) {
    ReceiveWholePackets(queued);
  } else {
    ReceiveIncompletePacket(queued);
  }
}

// Reads every whole packet that the status query counted. A handler may change anything
// inside the event, so the packet size, rate and start are taken afresh at each step; the
// loop ends when the counted bytes are used up or packets were switched off.
void TSerialPortDriver::ReceiveWholePackets(DWORD queued) {
  DWORD reference = Api.GetTickCount();
  DWORD remaining = queued;
  for (;;) {
    // No tick saw the packet begin (it arrived whole between two ticks, or a handler
    // purged the input): it was first seen now, and what stays behind is timed from here.
    if (PacketStartTick == kNoTick) PacketStartTick = reference;
    const DWORD asked =
        std::min<DWORD>(static_cast<DWORD>(FPacketSize), static_cast<DWORD>(ReceiveBuffer.size()));
    DWORD read = 0;
    const bool ok = Api.ReadFile(PortHandle, ReceiveBuffer.data(), asked, &read);
    read = std::min(read, asked);
    if (ok && read > 0 && FOnReceivePacket) {
      FOnReceivePacket(this, ReceiveBuffer.data(), static_cast<std::int32_t>(read),
                       static_cast<std::int32_t>(reference - PacketStartTick));
    }
    // Closed, or packets switched off, inside the handler.
    if (!IsPortOpen() || FPacketSize <= 0) return;
    const auto packet = static_cast<DWORD>(FPacketSize);
    if (PacketStartTick == kNoTick) PacketStartTick = reference;
    if (packet < remaining) {
      const auto transfer = static_cast<DWORD>(PacketTransferTime(FComPortSpeed, FPacketSize));
      reference += transfer;
      PacketStartTick += transfer;
    }
    remaining = packet < remaining ? remaining - packet : 0;
    if (remaining == 0) {
      PacketStartTick = kNoTick;
      return;
    }
    if (packet > remaining) return;
  }
}

// Fewer bytes than a packet: record when they were first seen, and once they have waited
// longer than PacketTimeout take everything counted and pass it on or drop it.
void TSerialPortDriver::ReceiveIncompletePacket(DWORD queued) {
  if (FPacketTimeout > 0 && PacketStartTick != kNoTick) {
    const DWORD age = Api.GetTickCount() - PacketStartTick;
    if (age > static_cast<DWORD>(FPacketTimeout)) {
      const DWORD asked = std::min<DWORD>(queued, static_cast<DWORD>(ReceiveBuffer.size()));
      DWORD read = 0;
      const bool ok = Api.ReadFile(PortHandle, ReceiveBuffer.data(), asked, &read);
      read = std::min(read, asked);
      if (ok && FPacketMode == pmPass && read > 0 && FOnReceivePacket) {
        const DWORD now = Api.GetTickCount();
        FOnReceivePacket(this, ReceiveBuffer.data(), static_cast<std::int32_t>(read),
                         static_cast<std::int32_t>(now - PacketStartTick));
      }
      PacketStartTick = kNoTick;
      return;
    }
  }
  if (queued > 0 && PacketStartTick == kNoTick) PacketStartTick = Api.GetTickCount();
}

// --- properties -------------------------------------------------------------------------

namespace {
template <typename E>
bool InRange(E value, E last) {
  return static_cast<unsigned>(value) <= static_cast<unsigned>(last);
}
}  // namespace

void TSerialPortDriver::SetComPort(TComPortNumber value) {
  if (IsPortOpen() || !InRange(value, pnCOM16)) return;
  FComPort = value;
}

template <typename E>
void TSerialPortDriver::SetLineSetting(E& field, E value, int count) {
  // A value outside the enumeration (255 from a list without a selection) is refused.
  if (static_cast<int>(value) >= count) return;
  field = value;
  if (IsPortOpen()) ApplyLineSettings();
}

void TSerialPortDriver::SetComPortSpeed(TComPortBaudRate value) {
  SetLineSetting(FComPortSpeed, value, kBaudRateCount);
}
void TSerialPortDriver::SetComPortDataBits(TComPortDataBits value) {
  SetLineSetting(FComPortDataBits, value, db8BITS + 1);
}
void TSerialPortDriver::SetComPortStopBits(TComPortStopBits value) {
  SetLineSetting(FComPortStopBits, value, sb2BITS + 1);
}
void TSerialPortDriver::SetComPortParity(TComPortParity value) {
  SetLineSetting(FComPortParity, value, ptSPACE + 1);
}
void TSerialPortDriver::SetComPortHwHandshaking(TComPortHwHandshaking value) {
  SetLineSetting(FComPortHwHandshaking, value, hhRTSCTS + 1);
}
void TSerialPortDriver::SetComPortSwHandshaking(TComPortSwHandshaking value) {
  SetLineSetting(FComPortSwHandshaking, value, shXONXOFF + 1);
}

void TSerialPortDriver::SetComPortInBufSize(std::uint16_t value) {
  if (IsPortOpen()) return;
  FComPortInBufSize = value;
  SetPacketSize(FPacketSize);  // may raise the size to hold a whole packet
  ReallocateReceiveBuffer();
}

void TSerialPortDriver::SetComPortOutBufSize(std::uint16_t value) {
  if (IsPortOpen()) return;
  FComPortOutBufSize = value;
}

void TSerialPortDriver::SetPacketSize(std::int16_t value) {
  if (value < 1) {
    FPacketSize = -1;
    return;
  }
  FPacketSize = value;
  if (value > FComPortInBufSize) {
    FComPortInBufSize = static_cast<std::uint16_t>(2 * value);
    ReallocateReceiveBuffer();
  }
}

void TSerialPortDriver::SetPacketTimeout(std::int32_t value) {
  if (value < 1) {
    FPacketTimeout = -1;
  } else if (value < FComPortPollingDelay) {
    FPacketTimeout = FComPortPollingDelay + 250;
  } else {
    FPacketTimeout = value;
  }
}

void TSerialPortDriver::SetPacketMode(TPacketMode value) {
  if (!InRange(value, pmPass)) return;
  FPacketMode = value;
}

void TSerialPortDriver::SetComPortPollingDelay(std::uint16_t value) {
  if (value == FComPortPollingDelay) return;
  if (IsPortOpen()) Api.KillTimer(TimerWindow, kTimerId);
  FComPortPollingDelay = value;
  if (IsPortOpen()) Api.SetTimer(TimerWindow, kTimerId, FComPortPollingDelay);
  SetPacketTimeout(FPacketTimeout);
}

void TSerialPortDriver::ReallocateReceiveBuffer() {
  if (ReceiveBuffer.size() == FComPortInBufSize) return;
  std::vector<std::uint8_t>(FComPortInBufSize).swap(ReceiveBuffer);
}
