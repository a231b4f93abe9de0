// Packet reception: whole packets with their age, incomplete ones timed out.
#include "PacketFixture.h"
#include "TransferTime.h"

namespace {
constexpr std::uint32_t kNone = TSerialPortDriver::kNoTick;

struct Step {
  std::uint32_t now;
  std::size_t arriving;  // bytes that arrive before this tick
  std::vector<PacketEvent> events;
  std::uint32_t startAfter;
};

struct Example {
  const char* name;
  std::int32_t timeout;
  TPacketMode mode;
  std::vector<Step> steps;
};

// 9600 bit/s, packets of 10 bytes, ticks every 50 ms; the transfer time of a packet is 10.
const std::vector<Step> kCommonSteps = {
    {1000, 4, {}, 1000}, {1050, 21, {{10, 50}, {10, 50}}, 1020},
    {1100, 0, {}, 1020}, {1150, 0, {}, 1020},
    {1200, 0, {}, 1020}, {1250, 0, {}, 1020},
    {1300, 0, {}, 1020},
};

std::vector<Step> With(std::vector<Step> steps, Step last) {
  steps.push_back(std::move(last));
  return steps;
}

const Example kExamples[] = {
    {"pass", 30, pmPass, With(kCommonSteps, {1350, 0, {{5, 330}}, kNone})},
    {"discard", 30, pmDiscard, With(kCommonSteps, {1350, 0, {}, kNone})},
    {"no time-out", -1, pmPass,
     With(With(kCommonSteps, {1350, 0, {}, 1020}), {1400, 5, {{10, 380}}, kNone})},
};
}  // namespace

class WorkedExample : public PacketTest, public ::testing::WithParamInterface<Example> {};

TEST_P(WorkedExample, TickByTick) {
  const Example& example = GetParam();
  OpenWithPackets(10, example.timeout, example.mode);
  EXPECT_EQ(drv->PacketTimeout(), example.timeout == 30 ? 300 : -1);
  for (const Step& step : example.steps) {
    SCOPED_TRACE(step.now);
    events.clear();
    api.Arrive(step.arriving);
    TickAt(step.now);
    EXPECT_EQ(events, step.events);
    EXPECT_EQ(drv->GetPacketStartTick(), step.startAfter);
  }
  EXPECT_TRUE(api.Input.empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, WorkedExample, ::testing::ValuesIn(kExamples),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (auto& c : name) c = std::isalnum((unsigned char)c) ? c : '_';
                           return name;
                         });

TEST_F(PacketTest, WholePacketsArrivingBetweenTicksAreAgedFromThisTick) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(10);
  TickAt(5000);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 0}}));
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);

  events.clear();
  api.Arrive(20);
  TickAt(5050);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 0}, {10, 0}}));
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);

  // A partial packet behind them is timed from its estimated first byte, not from "none".
  events.clear();
  api.Arrive(25);
  TickAt(5100);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 0}, {10, 0}}));
  EXPECT_EQ(drv->GetPacketStartTick(), 5120u);
  TickAt(5400);  // age 280: waits
  EXPECT_EQ(events.size(), 2u);
  TickAt(5421);  // age 301: flushed
  EXPECT_EQ(events.back(), (PacketEvent{5, 301}));
}

TEST_F(PacketTest, TwoPacketsAndFiveBytesMoveTheStartByTwoTransferTimes) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(700);
  ASSERT_EQ(drv->GetPacketStartTick(), 700u);
  api.Arrive(22);
  TickAt(750);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 50}, {10, 50}}));
  EXPECT_EQ(drv->GetPacketStartTick(), 720u);
  EXPECT_EQ(api.Input.size(), 5u);
}

TEST_F(PacketTest, FewerThanAPacketRecordsTheStartOnce) {
  OpenWithPackets(10, -1, pmPass);
  TickAt(100);  // nothing queued: nothing changes
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
  api.Arrive(3);
  TickAt(150);
  EXPECT_EQ(drv->GetPacketStartTick(), 150u);
  api.Arrive(3);
  TickAt(200);
  EXPECT_EQ(drv->GetPacketStartTick(), 150u);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(api.Input.size(), 6u);
}

TEST_F(PacketTest, AnAgeEqualToTheTimeOutWaitsAndTheFirstGreaterOneFlushes) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(4);
  for (std::uint32_t t = 2000; t <= 2300; t += 50) TickAt(t);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(drv->GetPacketStartTick(), 2000u);
  TickAt(2350);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{4, 350}}));
  EXPECT_EQ(packets.back(), "xxxx");
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
}

TEST_F(PacketTest, AgesAreRightAcrossTheWrapOfTheTickCount) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(4294967040u);
  EXPECT_EQ(drv->GetPacketStartTick(), 4294967040u);
  TickAt(256);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{3, 512}}));

  // And whole packets across the wrap.
  events.clear();
  api.Arrive(3);
  TickAt(4294967290u);
  api.Arrive(7);
  TickAt(20);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 26}}));
}

TEST_F(PacketTest, AStartRecordedWhenTheTickCountReadsAllOnesCountsAsNone) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(0xFFFFFFFFu);
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
  TickAt(49);
  EXPECT_EQ(drv->GetPacketStartTick(), 49u);
  EXPECT_TRUE(events.empty());
}

TEST_F(PacketTest, AFailedReadStillCountsAsAPacket) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(100);
  api.Arrive(22);
  api.ReadFails = true;
  TickAt(150);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(drv->GetPacketStartTick(), 120u);  // moved on as if both were read
  EXPECT_EQ(api.Count("ReadFile"), 2);
}

TEST_F(PacketTest, AFailedFlushRaisesNothingAndForgetsTheStart) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(100);
  api.ReadFails = true;
  TickAt(401);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
  api.ReadFails = false;
  TickAt(450);  // the bytes count as a new incomplete packet
  EXPECT_EQ(drv->GetPacketStartTick(), 450u);
}

TEST_F(PacketTest, AShortReadIsDeliveredAsItCameAndCountsAsAWholePacket) {
  OpenWithPackets(10, 300, pmPass);
  api.ReadLimit = 7;
  api.Arrive(20);
  TickAt(100);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{7, 0}, {7, 0}}));
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
  EXPECT_EQ(api.Input.size(), 6u);
}

TEST_F(PacketTest, WithoutAHandlerPacketsAreConsumed) {
  drv->SetPacketSize(10);
  drv->SetPacketTimeout(300);
  drv->SetPacketMode(pmPass);
  Collect();  // a data handler is not called in packet mode
  Open();
  api.Arrive(23);
  TickAt(100);
  EXPECT_EQ(api.Input.size(), 3u);
  TickAt(421);  // the partial packet is timed from 120
  EXPECT_TRUE(api.Input.empty());
  EXPECT_TRUE(blocks.empty());
}

TEST_F(PacketTest, AFailedStatusQueryChangesNothing) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(100);
  api.StatusFails = true;
  api.Arrive(20);
  TickAt(150);
  EXPECT_EQ(api.Count("ReadFile"), 0);
  EXPECT_EQ(drv->GetPacketStartTick(), 100u);
  EXPECT_TRUE(events.empty());
}

TEST_F(PacketTest, PurgingOrAssignmentsLeaveOrResetTheStartAsDocumented) {
  OpenWithPackets(10, 300, pmPass);
  api.Arrive(3);
  TickAt(100);
  drv->SetPacketSize(-1);
  drv->SetPacketSize(20);
  drv->SetPacketTimeout(500);
  drv->SetPacketMode(pmDiscard);
  drv->SetComPortPollingDelay(60);
  EXPECT_EQ(drv->GetPacketStartTick(), 100u);
  drv->SetComPortSpeed(br19200);  // applies the line settings: purges
  EXPECT_EQ(drv->GetPacketStartTick(), kNone);
}

TEST_F(PacketTest, HandlersThatChangeThePacketSizeKeepTheLoopBoundedAndInsideTheBuffer) {
  struct Case {
    const char* name;
    std::int16_t newSize;
    std::vector<PacketEvent> events;
    std::size_t left;  // bytes left in the device
  };
  const Case cases[] = {
      {"switched off", -1, {{10, 0}}, 25},
      {"above the remaining count", 40, {{10, 0}}, 25},
      {"larger than the buffer", 5000, {{10, 0}}, 25},
      {"smaller", 5, {{10, 0}, {5, 0}, {5, 0}, {5, 0}, {5, 0}, {5, 0}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drv.reset();
    api = FakeCommApi{};
    drv = std::make_unique<TSerialPortDriver>(nullptr, api);
    events.clear();
    bool changed = false;
    inside = [&] {
      if (!changed) drv->SetPacketSize(c.newSize);
      changed = true;
    };
    OpenWithPackets(10, 300, pmPass);
    api.Arrive(35);
    TickAt(100);
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(api.Input.size(), c.left);
    EXPECT_LE(api.LargestReadAsked, drv->ReceiveBufferSize());
    EXPECT_LE(api.Count("ReadFile"), 35);
  }
}

TEST_F(PacketTest, AHandlerThatPurgesLeavesNothingToReadAndAgesFromThisTick) {
  OpenWithPackets(10, 300, pmPass);
  inside = [&] { drv->PurgeBuffers(true, false); };
  api.Arrive(4);
  TickAt(100);
  api.Arrive(31);
  TickAt(150);
  EXPECT_EQ(events, (std::vector<PacketEvent>{{10, 50}}));
  EXPECT_TRUE(api.Input.empty());
  // Three packets were counted: the start moved on from this tick, never from "none".
  EXPECT_EQ(drv->GetPacketStartTick(), 150u + 3 * 10u);
}

TEST_F(PacketTest, AHandlerThatClosesThePortEndsTheLoop) {
  OpenWithPackets(10, 300, pmPass);
  inside = [&] { drv->ClosePort(); };
  api.Arrive(30);
  TickAt(100);
  EXPECT_EQ(events.size(), 1u);
  EXPECT_EQ(api.Count("ReadFile"), 1);
}
