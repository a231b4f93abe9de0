// Sending with a bounded wait for room in the output queue.
#include "DriverFixture.h"

TEST_F(DriverTest, NothingIsSentOnAClosedPortOrForNoBytes) {
  EXPECT_EQ(drv->WriteData("abc", 3), 0);
  EXPECT_TRUE(drv->WriteString(""));
  EXPECT_FALSE(drv->WriteString("x"));
  EXPECT_EQ(drv->OutputFreeSpace(), 65535);
  Open();
  EXPECT_EQ(drv->WriteData("abc", 0), 0);
  EXPECT_EQ(drv->WriteData("abc", -4), 0);
  EXPECT_TRUE(drv->WriteString(""));
  EXPECT_EQ(api.Count("WriteFile"), 0);
}

TEST_F(DriverTest, EveryByteGoesOutInOrderThoughTheDeviceTakesFewAtATime) {
  Open();
  api.WriteAccepts = 3;
  const std::string text = std::string("A\0\r\n\xff", 5) + "0123456789";
  EXPECT_TRUE(drv->WriteString(text));
  EXPECT_EQ(std::string(api.Output.begin(), api.Output.end()), text);
  EXPECT_EQ(api.Count("WriteFile"), 5);
}

TEST_F(DriverTest, OutputFreeSpaceIsTheRoomLeftAndZeroWhenUnknown) {
  Open();
  api.OutQueue = 48;
  EXPECT_EQ(drv->OutputFreeSpace(), 2000);
  api.OutQueue = 2048;
  EXPECT_EQ(drv->OutputFreeSpace(), 0);
  api.OutQueue = 3000;  // the device holds more than the queue size asked for
  EXPECT_EQ(drv->OutputFreeSpace(), 0);
  api.OutQueue = 0;
  api.StatusFails = true;
  EXPECT_EQ(drv->OutputFreeSpace(), 0);
}

struct StallCase {
  const char* name;
  std::uint32_t start;  // the tick count when the send begins
  std::uint16_t timeout;
  bool takesNothing;  // the device reports room but takes no byte
};

class SendStall : public DriverTest, public ::testing::WithParamInterface<StallCase> {};

// Five bytes go out, then the device stalls: the send gives up once more than
// OutputTimeout milliseconds have passed since the last write, with minus the count sent.
TEST_P(SendStall, EndsWithTheNegatedCountOnceTheTimeOutHasPassed) {
  const auto& c = GetParam();
  Open();
  drv->SetOutputTimeout(c.timeout);
  api.Now = c.start;
  api.ClockStep = 1;
  api.WriteAccepts = 5;
  std::uint32_t lastWriteTick = 0;
  std::size_t sent = 0;
  api.OnStatus = [&] {
    if (api.Output.size() > sent) {
      sent = api.Output.size();
      lastWriteTick = api.Now - 1;  // the tick count read right after that write
      if (c.takesNothing) {
        api.WriteAccepts = 0;
      } else {
        api.OutQueue = 2048;
      }
    }
  };
  EXPECT_EQ(drv->WriteData("0123456789", 10), -5);
  EXPECT_EQ(std::string(api.Output.begin(), api.Output.end()), "01234");
  // The last tick count read is the first one more than the time-out after the write.
  EXPECT_EQ(static_cast<std::uint32_t>(api.Now - 1 - lastWriteTick), c.timeout + 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendStall,
    ::testing::Values(StallCase{"default", 1000, 4000, false}, StallCase{"zero", 1000, 0, false},
                      StallCase{"wrap", 0xFFFFFF00u, 4000, false},
                      StallCase{"takes nothing", 1000, 4000, true},
                      StallCase{"takes nothing across the wrap", 0xFFFFFFF0u, 300, true}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (auto& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST_F(DriverTest, ADeviceThatNeverTakesAByteEndsTheSendWithNothingSent) {
  Open();
  drv->SetOutputTimeout(100);
  api.ClockStep = 1;
  api.WriteAccepts = 0;
  EXPECT_EQ(drv->WriteData("abc", 3), 0);
  EXPECT_FALSE(drv->WriteString("abc"));
}

TEST_F(DriverTest, TheWaitStartsAfreshAfterEveryWrite) {
  // Each write moves one byte after 3000 ms of stall: no single stall exceeds 4000 ms, so
  // the whole 4-byte send succeeds although it takes 12000 ms.
  Open();
  api.ClockStep = 0;
  api.WriteAccepts = 1;
  int statuses = 0;
  api.OnStatus = [&] {
    ++statuses;
    api.OutQueue = (statuses % 3000 == 0) ? 0 : 2048;
    api.Now += 1;
  };
  EXPECT_EQ(drv->WriteData("abcd", 4), 4);
  EXPECT_EQ(std::string(api.Output.begin(), api.Output.end()), "abcd");
}

TEST_F(DriverTest, ADeviceWhoseStatusCannotBeReadEndsTheSendAtOnce) {
  // The clock stands still: a send that waited for room would never end.
  Open();
  api.WriteAccepts = 4;
  int statuses = 0;
  api.OnStatus = [&] {
    if (++statuses == 2) api.StatusFails = true;  // unplugged after the first write
  };
  EXPECT_EQ(drv->WriteData("0123456789", 10), -4);
  EXPECT_EQ(std::string(api.Output.begin(), api.Output.end()), "0123");
  EXPECT_FALSE(drv->WriteString("more"));
}
