// TSerialPortDriver: one serial device, its settings, a bounded-wait send and a poll timer
// that hands received bytes to the user as raw blocks or fixed-size packets.
// Pure C++: every device, clock and timer operation goes through comm::CommApi.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CommApi.h"
#include "Component.h"

// Enumerations: the order is fixed, since ordinals go straight to the device and the
// dialogs fill these from list positions.
// clang-format off
enum TComPortNumber : std::uint8_t {
  pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8,
  pnCOM9, pnCOM10, pnCOM11, pnCOM12, pnCOM13, pnCOM14, pnCOM15, pnCOM16
};
enum TComPortBaudRate : std::uint8_t {
  br110, br300, br600, br1200, br2400, br4800, br9600,
  br14400, br19200, br38400, br56000, br57600, br115200
};
enum TComPortDataBits : std::uint8_t { db5BITS, db6BITS, db7BITS, db8BITS };
enum TComPortStopBits : std::uint8_t { sb1BITS, sb1HALFBITS, sb2BITS };
enum TComPortParity : std::uint8_t { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum TComPortHwHandshaking : std::uint8_t { hhNONE, hhRTSCTS };
enum TComPortSwHandshaking : std::uint8_t { shNONE, shXONXOFF };
enum TPacketMode : std::uint8_t { pmDiscard, pmPass };
// clang-format on

// Bits per second of each TComPortBaudRate, indexed by its ordinal.
inline constexpr std::uint32_t kBaudRates[] = {110,   300,   600,   1200,  2400,  4800,  9600,
                                               14400, 19200, 38400, 56000, 57600, 115200};
inline constexpr int kBaudRateCount = sizeof(kBaudRates) / sizeof(kBaudRates[0]);

// Events. The bytes lie in the driver's receive buffer and are valid only during the call.
using TComPortReceiveDataEvent =
    std::function<void(TComponent* Sender, const std::uint8_t* DataPtr, std::int32_t DataSize)>;
using TComPortReceivePacketEvent =
    std::function<void(TComponent* Sender, const std::uint8_t* Packet, std::int32_t DataSize,
                       std::int32_t ElapsedTime)>;

class TSerialPortDriver : public TComponent {
 public:
  static constexpr std::uint32_t kNoTick = 0xFFFFFFFFu;
  static constexpr std::uintptr_t kTimerId = 1;

  explicit TSerialPortDriver(TComponent* owner, comm::CommApi& api = comm::SystemCommApi());
  ~TSerialPortDriver() override;

  bool OpenPort();
  void ClosePort();
  bool IsPortOpen() const { return PortHandle != 0; }
  void ApplyLineSettings();
  void PurgeBuffers(bool input, bool output);
  std::uint16_t OutputFreeSpace();
  std::int32_t WriteData(const void* data, std::int32_t count);
  bool WriteString(const std::string& text);
  void PollTick(comm::TMessage& message);

  // Properties: the getter has the property's name, the setter applies its rule.
  TComPortNumber ComPort() const { return FComPort; }
  void SetComPort(TComPortNumber value);
  TComPortBaudRate ComPortSpeed() const { return FComPortSpeed; }
  void SetComPortSpeed(TComPortBaudRate value);
  TComPortDataBits ComPortDataBits() const { return FComPortDataBits; }
  void SetComPortDataBits(TComPortDataBits value);
  TComPortStopBits ComPortStopBits() const { return FComPortStopBits; }
  void SetComPortStopBits(TComPortStopBits value);
  TComPortParity ComPortParity() const { return FComPortParity; }
  void SetComPortParity(TComPortParity value);
  TComPortHwHandshaking ComPortHwHandshaking() const { return FComPortHwHandshaking; }
  void SetComPortHwHandshaking(TComPortHwHandshaking value);
  TComPortSwHandshaking ComPortSwHandshaking() const { return FComPortSwHandshaking; }
  void SetComPortSwHandshaking(TComPortSwHandshaking value);
  std::uint16_t ComPortInBufSize() const { return FComPortInBufSize; }
  void SetComPortInBufSize(std::uint16_t value);
  std::uint16_t ComPortOutBufSize() const { return FComPortOutBufSize; }
  void SetComPortOutBufSize(std::uint16_t value);
  std::int16_t PacketSize() const { return FPacketSize; }
  void SetPacketSize(std::int16_t value);
  std::int32_t PacketTimeout() const { return FPacketTimeout; }
  void SetPacketTimeout(std::int32_t value);
  TPacketMode PacketMode() const { return FPacketMode; }
  void SetPacketMode(TPacketMode value);
  std::uint16_t ComPortPollingDelay() const { return FComPortPollingDelay; }
  void SetComPortPollingDelay(std::uint16_t value);
  bool EnableDTROnOpen() const { return FEnableDTROnOpen; }
  void SetEnableDTROnOpen(bool value) { FEnableDTROnOpen = value; }
  std::uint16_t OutputTimeout() const { return FOutputTimeout; }
  void SetOutputTimeout(std::uint16_t value) { FOutputTimeout = value; }
  const TComPortReceiveDataEvent& OnReceiveData() const { return FOnReceiveData; }
  void SetOnReceiveData(TComPortReceiveDataEvent handler) { FOnReceiveData = std::move(handler); }
  const TComPortReceivePacketEvent& OnReceivePacket() const { return FOnReceivePacket; }
  void SetOnReceivePacket(TComPortReceivePacketEvent handler) {
    FOnReceivePacket = std::move(handler);
  }

  // For tests and diagnostics.
  std::size_t ReceiveBufferSize() const { return ReceiveBuffer.size(); }
  std::uint32_t GetPacketStartTick() const { return PacketStartTick; }

 private:
  template <typename E>
  void SetLineSetting(E& field, E value, int count);
  std::optional<std::uint16_t> QueryFreeSpace();  // none when the status query fails
  void ReallocateReceiveBuffer();
  void ReceiveBlock();
  void ReceivePackets(comm::DWORD queued);
  void ReceiveWholePackets(comm::DWORD queued);
  void ReceiveIncompletePacket(comm::DWORD queued);

  comm::CommApi& Api;
  comm::Handle PortHandle = 0;
  comm::WindowHandle TimerWindow = 0;
  std::vector<std::uint8_t> ReceiveBuffer;
  std::uint32_t PacketStartTick = kNoTick;

  TComPortNumber FComPort = pnCOM2;
  TComPortBaudRate FComPortSpeed = br9600;
  TComPortDataBits FComPortDataBits = db8BITS;
  TComPortStopBits FComPortStopBits = sb1BITS;
  TComPortParity FComPortParity = ptNONE;
  TComPortHwHandshaking FComPortHwHandshaking = hhNONE;
  TComPortSwHandshaking FComPortSwHandshaking = shNONE;
  std::uint16_t FComPortInBufSize = 2048;
  std::uint16_t FComPortOutBufSize = 2048;
  std::int16_t FPacketSize = -1;
  std::int32_t FPacketTimeout = -1;
  TPacketMode FPacketMode = pmDiscard;
  std::uint16_t FComPortPollingDelay = 50;
  bool FEnableDTROnOpen = true;
  std::uint16_t FOutputTimeout = 4000;
  TComPortReceiveDataEvent FOnReceiveData;
  TComPortReceivePacketEvent FOnReceivePacket;
};
