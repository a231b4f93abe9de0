// Packet reception against a small reference model of its rules, over random runs:
// random arrivals, tick times (the wrap of the tick count included), packet sizes,
// time-outs, modes, and handlers that purge or change the packet size inside the event.
#include <gtest/gtest.h>

#include <deque>
#include <iostream>
#include <optional>
#include <random>

#include "FakeCommApi.h"
#include "SerialDrv.h"
#include "TransferTime.h"

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

struct Delivery {
  bool packet;          // OnReceivePacket, or OnReceiveData
  std::uint64_t first;  // stream position of the first byte
  std::int32_t size;
  std::int32_t elapsed;  // packets only
  bool operator==(const Delivery&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Delivery& d) {
  return out << (d.packet ? "packet" : "data") << "@" << d.first << "+" << d.size << " age "
             << d.elapsed;
}

// What a handler does inside an event: decided in advance, so that the driver and the
// model see the same.
struct Action {
  bool purge = false;
  std::optional<std::int16_t> packetSize;
};

// The rules, written out step by step over a queue of stream positions.
class Model {
 public:
  std::deque<std::uint64_t> queue;
  std::uint32_t start = kNone;
  std::int16_t packetSize = -1;
  std::uint16_t bufSize = 2048;
  std::int32_t timeout = -1;
  TPacketMode mode = pmDiscard;
  TComPortBaudRate speed = br9600;
  bool handler = true;
  std::vector<Delivery> out;

  void SetPacketSize(std::int16_t v) {
    packetSize = v < 1 ? -1 : v;
    if (packetSize > bufSize) bufSize = static_cast<std::uint16_t>(2 * packetSize);
  }
  void Purge() {
    queue.clear();
    start = kNone;
  }

  void Tick(std::uint32_t now, const std::function<Action()>& nextAction) {
    const std::uint32_t q = static_cast<std::uint32_t>(queue.size());
    if (packetSize <= 0) {
      const auto n = Take(bufSize);
      if (n.second > 0 && handler) out.push_back({false, n.first, n.second, 0});
      if (n.second > 0 && handler) Apply(nextAction());
      return;
    }
    if (q < static_cast<std::uint32_t>(packetSize)) {
      if (timeout > 0 && start != kNone && now - start > static_cast<std::uint32_t>(timeout)) {
        const auto n = Take(q);
        if (mode == pmPass && n.second > 0 && handler) {
          out.push_back({true, n.first, n.second, static_cast<std::int32_t>(now - start)});
          Apply(nextAction());
        }
        start = kNone;
      } else if (q > 0 && start == kNone) {
        start = now;
      }
      return;
    }
    std::uint32_t ref = now;
    std::uint32_t remaining = q;
    while (true) {
      if (start == kNone) start = ref;
      const auto n = Take(static_cast<std::uint32_t>(packetSize));
      if (n.second > 0 && handler) {
        out.push_back({true, n.first, n.second, static_cast<std::int32_t>(ref - start)});
        Apply(nextAction());
      }
      if (packetSize <= 0) return;
      if (start == kNone) start = ref;
      const auto p = static_cast<std::uint32_t>(packetSize);
      if (p < remaining) {
        const auto t = static_cast<std::uint32_t>(PacketTransferTime(speed, packetSize));
        ref += t;
        start += t;
      }
      remaining = p >= remaining ? 0 : remaining - p;
      if (remaining == 0) {
        start = kNone;
        return;
      }
      if (p > remaining) return;
    }
  }

 private:
  std::pair<std::uint64_t, std::int32_t> Take(std::uint32_t count) {
    const std::uint64_t first = queue.empty() ? 0 : queue.front();
    std::int32_t n = 0;
    while (n < static_cast<std::int32_t>(count) && !queue.empty()) {
      queue.pop_front();
      ++n;
    }
    return {first, n};
  }
  void Apply(const Action& a) {
    if (a.purge) Purge();
    if (a.packetSize) SetPacketSize(*a.packetSize);
  }
};

struct Coverage {
  int packets = 0, blocks = 0, ticksWithWrap = 0;
};

void RunOnce(std::uint32_t seed, int ticks, Coverage& coverage) {
  std::mt19937 rng(seed);
  auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
  auto between = [&](int lo, int hi) { return lo + static_cast<int>(rng() % (hi - lo + 1)); };

  FakeCommApi api;
  TSerialPortDriver drv(nullptr, api);
  Model model;
  std::vector<Delivery> got;
  std::vector<Action> actions;  // one per delivered event, in order
  std::size_t actionIndex = 0, modelActionIndex = 0;
  auto driverAction = [&] { return actions.at(actionIndex++); };
  auto modelAction = [&] { return actions.at(modelActionIndex++); };
  auto perform = [&](const Action& a) {
    if (a.purge) drv.PurgeBuffers(true, false);
    if (a.packetSize) drv.SetPacketSize(*a.packetSize);
  };
  // Plenty of actions, drawn up front.
  for (int i = 0; i < ticks * 40; ++i) {
    Action a;
    a.purge = chance(3);
    if (chance(4)) a.packetSize = static_cast<std::int16_t>(between(-2, 120));
    if (chance(1)) a.packetSize = static_cast<std::int16_t>(between(1000, 5000));
    actions.push_back(a);
  }
  auto onPacket = [&](TComponent*, const std::uint8_t* data, std::int32_t size,
                      std::int32_t elapsed) {
    const auto& read = api.Reads.back();
    ASSERT_EQ(static_cast<std::uint32_t>(size), read.Count);
    for (std::int32_t i = 0; i < size; ++i) {
      ASSERT_EQ(data[i], static_cast<std::uint8_t>(read.First + i));
    }
    got.push_back({true, read.First, size, elapsed});
    perform(driverAction());
  };
  auto onData = [&](TComponent*, const std::uint8_t*, std::int32_t size) {
    got.push_back({false, api.Reads.back().First, size, 0});
    perform(driverAction());
  };
  drv.SetOnReceiveData(onData);
  drv.SetOnReceivePacket(onPacket);
  api.ReadBound = [&] { return static_cast<std::uint32_t>(drv.ReceiveBufferSize()); };
  ASSERT_TRUE(drv.OpenPort());

  std::uint64_t arrived = 0;
  std::uint32_t now = chance(50) ? 0xFFFFFFFFu - static_cast<std::uint32_t>(between(0, 3000))
                                 : static_cast<std::uint32_t>(rng());
  for (int tick = 0; tick < ticks; ++tick) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " tick " + std::to_string(tick));
    // Settings the operator changes between ticks.
    if (chance(8)) {
      const auto size = static_cast<std::int16_t>(chance(15) ? between(-1, 0) : between(1, 60));
      drv.SetPacketSize(size);
      model.SetPacketSize(size);
    }
    if (chance(5)) {
      const std::int32_t timeout = chance(30) ? -1 : between(1, 600);
      drv.SetPacketTimeout(timeout);
      EXPECT_TRUE(drv.PacketTimeout() == -1 || drv.PacketTimeout() >= 50);
      model.timeout = drv.PacketTimeout();
    }
    if (chance(5)) {
      model.mode = chance(50) ? pmPass : pmDiscard;
      drv.SetPacketMode(model.mode);
    }
    if (chance(2)) {
      model.speed = static_cast<TComPortBaudRate>(between(0, kBaudRateCount - 1));
      drv.SetComPortSpeed(model.speed);  // applies the line: purges
      model.Purge();
    }
    if (chance(3)) {
      model.handler = !model.handler;
      drv.SetOnReceiveData(model.handler ? TComPortReceiveDataEvent(onData) : nullptr);
      drv.SetOnReceivePacket(model.handler ? TComPortReceivePacketEvent(onPacket) : nullptr);
    }
    const int count = chance(30) ? 0 : between(1, chance(10) ? 400 : 40);
    for (int i = 0; i < count; ++i) {
      api.Input.push_back(static_cast<std::uint8_t>(arrived));
      model.queue.push_back(arrived);
      ++arrived;
    }
    const std::uint32_t before = now;
    now += static_cast<std::uint32_t>(between(1, 120));
    if (now < before) ++coverage.ticksWithWrap;
    api.Now = now;
    const std::size_t readsBefore = api.Reads.size();
    const std::uint32_t queued = static_cast<std::uint32_t>(api.Input.size());

    model.Tick(now, modelAction);
    api.Tick();

    ASSERT_EQ(got, model.out);
    ASSERT_EQ(drv.GetPacketStartTick(), model.start);
    ASSERT_EQ(api.Input.size(), model.queue.size());
    ASSERT_LE(api.Reads.size() - readsBefore, queued + 1u);  // the loop ends
    ASSERT_EQ(api.ReadsBeyondBound, 0);
  }
  // Every byte delivered at most once and in order.
  std::uint64_t next = 0;
  for (const Delivery& d : got) {
    ++(d.packet ? coverage.packets : coverage.blocks);
    ASSERT_GE(d.first, next);
    next = d.first + static_cast<std::uint64_t>(d.size);
  }
}

}  // namespace

TEST(PacketModel, RandomRunsAgreeWithTheRules) {
  Coverage coverage;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    RunOnce(seed, 300, coverage);
    if (HasFatalFailure()) return;
  }
  // The runs reached what they are meant to exercise.
  EXPECT_GT(coverage.packets, 10000);
  EXPECT_GT(coverage.blocks, 1000);
  EXPECT_GT(coverage.ticksWithWrap, 100);
  std::cout << coverage.packets << " packets, " << coverage.blocks << " blocks, "
            << coverage.ticksWithWrap << " wraps\n";
}
