// The poll tick's plain branch: one read a tick, handed over as one block.
#include "CountingAllocator.h"
#include "DriverFixture.h"

TEST_F(DriverTest, ATickHandsOverWhatArrivedExactly) {
  Collect();
  Open();
  api.Tick();
  EXPECT_TRUE(blocks.empty());
  const std::string bytes("O\0K\r\n\xfe", 6);
  api.Arrive(bytes);
  api.Tick();
  EXPECT_EQ(blocks, std::vector<std::string>{bytes});
  EXPECT_EQ(api.Names(),
            (std::vector<std::string>{"ClearCommError", "ReadFile", "ClearCommError", "ReadFile"}));
  EXPECT_EQ(api.CallsNamed("ReadFile").at(0).Args.at(1), 2048);
}

TEST_F(DriverTest, ATickReadsAtMostTheInputBufferSize) {
  Collect();
  Open();
  api.Arrive(2048, 'a');
  api.Arrive(952, 'b');
  api.Tick();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], std::string(2048, 'a'));
  api.Tick();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[1], std::string(952, 'b'));
}

TEST_F(DriverTest, WithoutAHandlerTheBytesAreConsumed) {
  Open();
  api.Arrive("dropped");
  api.Tick();
  EXPECT_TRUE(api.Input.empty());
  Collect();
  api.Tick();
  EXPECT_TRUE(blocks.empty());
}

TEST_F(DriverTest, OnlyTimerMessagesAreHandled) {
  Collect();
  Open();
  api.Arrive("x");
  api.Tick(comm::WM_TIMER + 1);
  EXPECT_TRUE(api.Calls.empty());
  EXPECT_TRUE(blocks.empty());
}

TEST_F(DriverTest, AFailedStatusQueryReadsNothing) {
  Collect();
  Open();
  api.Arrive("x");
  api.StatusFails = true;
  api.Tick();
  EXPECT_EQ(api.Count("ReadFile"), 0);
  EXPECT_TRUE(blocks.empty());
  EXPECT_EQ(api.Input.size(), 1u);
}

TEST_F(DriverTest, AFailedReadRaisesNothing) {
  Collect();
  Open();
  api.Arrive("x");
  api.ReadFails = true;
  api.Tick();
  EXPECT_TRUE(blocks.empty());
}

TEST_F(DriverTest, AHandlerMayPurgeOrCloseInsideTheEvent) {
  Open();
  drv->SetOnReceiveData([this](TComponent*, const std::uint8_t*, std::int32_t) {
    drv->PurgeBuffers(true, false);
    drv->ClosePort();
  });
  api.Arrive(3000, 'z');
  api.Tick();
  EXPECT_FALSE(drv->IsPortOpen());
  EXPECT_TRUE(api.Input.empty());
  api.Tick();  // the timer is gone; a stray tick is harmless
}

TEST_F(DriverTest, APollTickAllocatesNothing) {
  std::size_t delivered = 0;
  drv->SetOnReceiveData(
      [&](TComponent*, const std::uint8_t*, std::int32_t size) { delivered += size; });
  Open();
  api.Record = false;
  api.Arrive(2048, 'q');
  const std::size_t before = AllocationCount();
  comm::TMessage tick{comm::WM_TIMER, 1, 0};
  drv->PollTick(tick);
  drv->PollTick(tick);  // and one with nothing waiting
  EXPECT_EQ(AllocationCount() - before, 0u);
  EXPECT_EQ(delivered, 2048u);
}
