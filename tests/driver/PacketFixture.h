// A driver in packet mode on the fake device, collecting every packet event.
#pragma once

#include "DriverFixture.h"

struct PacketEvent {
  std::int32_t size;
  std::int32_t elapsed;
  bool operator==(const PacketEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PacketEvent& e) {
  return out << "{" << e.size << ", " << e.elapsed << "}";
}

class PacketTest : public DriverTest {
 protected:
  std::vector<PacketEvent> events;
  std::vector<std::string> packets;
  std::function<void()> inside;  // runs inside each event, after it is recorded

  // Opens at 9600 with packets of `size`, a polling delay of 50 and the given time-out.
  void OpenWithPackets(std::int16_t size, std::int32_t timeout, TPacketMode mode) {
    drv->SetOnReceivePacket([this](TComponent* sender, const std::uint8_t* data, std::int32_t size,
                                   std::int32_t elapsed) {
      EXPECT_EQ(sender, drv.get());
      events.push_back({size, elapsed});
      packets.emplace_back(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
      if (inside) inside();
    });
    drv->SetPacketSize(size);
    drv->SetPacketTimeout(timeout);
    drv->SetPacketMode(mode);
    Open();
  }

  // One tick at tick count `now`.
  void TickAt(std::uint32_t now) {
    api.Now = now;
    api.Tick();
  }
};
