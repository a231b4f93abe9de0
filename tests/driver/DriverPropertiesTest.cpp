// Property defaults and the rules each assignment applies.
#include "DriverFixture.h"

TEST_F(DriverTest, StartsWithTheDefaultsAndATimerWindowButNoTimer) {
  EXPECT_EQ(drv->ComPort(), pnCOM2);
  EXPECT_EQ(drv->ComPortSpeed(), br9600);
  EXPECT_EQ(drv->ComPortDataBits(), db8BITS);
  EXPECT_EQ(drv->ComPortStopBits(), sb1BITS);
  EXPECT_EQ(drv->ComPortParity(), ptNONE);
  EXPECT_EQ(drv->ComPortHwHandshaking(), hhNONE);
  EXPECT_EQ(drv->ComPortSwHandshaking(), shNONE);
  EXPECT_EQ(drv->ComPortInBufSize(), 2048);
  EXPECT_EQ(drv->ComPortOutBufSize(), 2048);
  EXPECT_EQ(drv->PacketSize(), -1);
  EXPECT_EQ(drv->PacketTimeout(), -1);
  EXPECT_EQ(drv->PacketMode(), pmDiscard);
  EXPECT_EQ(drv->ComPortPollingDelay(), 50);
  EXPECT_TRUE(drv->EnableDTROnOpen());
  EXPECT_EQ(drv->OutputTimeout(), 4000);
  EXPECT_FALSE(drv->OnReceiveData());
  EXPECT_FALSE(drv->OnReceivePacket());
  EXPECT_FALSE(drv->IsPortOpen());
  EXPECT_EQ(drv->ReceiveBufferSize(), 2048u);
  EXPECT_EQ(drv->GetPacketStartTick(), TSerialPortDriver::kNoTick);
  EXPECT_EQ(api.WindowsAllocated, 1);
  EXPECT_TRUE(api.Timers.empty());
}

TEST(DriverOwnership, TheOwnerDestroysTheDriverAndADesignedOneMakesNoWindow) {
  FakeCommApi api;
  {
    TComponent owner(nullptr);
    auto* driver = new TSerialPortDriver(&owner, api);
    ASSERT_TRUE(driver->OpenPort());
  }
  EXPECT_EQ(api.Count("CloseHandle"), 1);
  EXPECT_EQ(api.WindowsReleased, 1);

  FakeCommApi designApi;
  TComponent form(nullptr);
  form.SetDesigning(true);
  TSerialPortDriver designed(&form, designApi);
  EXPECT_EQ(designApi.WindowsAllocated, 0);
}

struct PacketSizeCase {
  std::uint16_t inBuf;
  std::int16_t assigned;
  std::int16_t packetSize;
  std::uint16_t inBufAfter;
};

class PacketSizeRule : public DriverTest, public ::testing::WithParamInterface<PacketSizeCase> {};

TEST_P(PacketSizeRule, KeepsAWholePacketInsideTheReceiveBuffer) {
  const auto& c = GetParam();
  for (bool open : {false, true}) {
    drv = std::make_unique<TSerialPortDriver>(nullptr, api);
    drv->SetComPortInBufSize(c.inBuf);
    if (open) Open();
    drv->SetPacketSize(c.assigned);
    EXPECT_EQ(drv->PacketSize(), c.packetSize) << "open " << open;
    EXPECT_EQ(drv->ComPortInBufSize(), c.inBufAfter) << "open " << open;
    EXPECT_EQ(drv->ReceiveBufferSize(), c.inBufAfter) << "open " << open;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PacketSizeRule,
    ::testing::Values(PacketSizeCase{2048, 3000, 3000, 6000}, PacketSizeCase{2048, 0, -1, 2048},
                      PacketSizeCase{2048, -5, -1, 2048}, PacketSizeCase{2048, 2048, 2048, 2048},
                      PacketSizeCase{2048, 2049, 2049, 4098}, PacketSizeCase{2048, 10, 10, 2048},
                      PacketSizeCase{100, 32767, 32767, 65534}));

TEST_F(DriverTest, InputBufferSizeReassignsThePacketSize) {
  drv->SetPacketSize(300);
  drv->SetComPortInBufSize(100);
  EXPECT_EQ(drv->ComPortInBufSize(), 600);
  EXPECT_EQ(drv->ReceiveBufferSize(), 600u);
  EXPECT_EQ(drv->PacketSize(), 300);

  drv->SetPacketSize(-1);
  drv->SetComPortInBufSize(100);
  EXPECT_EQ(drv->ComPortInBufSize(), 100);
  EXPECT_EQ(drv->ReceiveBufferSize(), 100u);
}

struct TimeoutCase {
  std::uint16_t delay;
  std::int32_t assigned;
  std::int32_t stored;
};

class PacketTimeoutRule : public DriverTest, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(PacketTimeoutRule, IsNoneOrAtLeastOnePollingPeriod) {
  const auto& c = GetParam();
  drv->SetComPortPollingDelay(c.delay);
  drv->SetPacketTimeout(c.assigned);
  EXPECT_EQ(drv->PacketTimeout(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, PacketTimeoutRule,
                         ::testing::Values(TimeoutCase{50, 20, 300}, TimeoutCase{50, 50, 50},
                                           TimeoutCase{50, 0, -1}, TimeoutCase{50, -7, -1},
                                           TimeoutCase{50, 1, 300}, TimeoutCase{50, 49, 300},
                                           TimeoutCase{50, 51, 51}, TimeoutCase{200, 100, 450},
                                           TimeoutCase{0, 1, 1}));

TEST_F(DriverTest, ANewPollingDelayReassignsThePacketTimeout) {
  drv->SetPacketTimeout(300);
  drv->SetComPortPollingDelay(400);
  EXPECT_EQ(drv->PacketTimeout(), 650);
  drv->SetComPortPollingDelay(50);
  EXPECT_EQ(drv->PacketTimeout(), 650);  // never lowered

  drv->SetPacketTimeout(-1);
  drv->SetComPortPollingDelay(700);
  EXPECT_EQ(drv->PacketTimeout(), -1);
}

TEST_F(DriverTest, PollingDelayRestartsTheTimerOnlyWhenOpenAndChanged) {
  drv->SetComPortPollingDelay(80);
  EXPECT_EQ(api.Count("SetTimer"), 0);
  Open();
  EXPECT_EQ(api.Timers.at(1), 80u);

  drv->SetComPortPollingDelay(80);
  EXPECT_TRUE(api.Calls.empty());

  drv->SetComPortPollingDelay(20);
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"KillTimer", "SetTimer"}));
  EXPECT_EQ(api.Timers.at(1), 20u);
}

TEST_F(DriverTest, ValuesOutsideAnEnumerationAreRefused) {
  drv->SetComPort(static_cast<TComPortNumber>(255));
  drv->SetComPort(static_cast<TComPortNumber>(16));
  drv->SetComPortSpeed(static_cast<TComPortBaudRate>(13));
  drv->SetComPortSpeed(static_cast<TComPortBaudRate>(255));
  drv->SetComPortDataBits(static_cast<TComPortDataBits>(255));
  drv->SetComPortStopBits(static_cast<TComPortStopBits>(3));
  drv->SetComPortParity(static_cast<TComPortParity>(5));
  drv->SetComPortHwHandshaking(static_cast<TComPortHwHandshaking>(255));
  drv->SetComPortSwHandshaking(static_cast<TComPortSwHandshaking>(2));
  drv->SetPacketMode(static_cast<TPacketMode>(255));
  EXPECT_EQ(drv->ComPort(), pnCOM2);
  EXPECT_EQ(drv->ComPortSpeed(), br9600);
  EXPECT_EQ(drv->ComPortDataBits(), db8BITS);
  EXPECT_EQ(drv->ComPortStopBits(), sb1BITS);
  EXPECT_EQ(drv->ComPortParity(), ptNONE);
  EXPECT_EQ(drv->ComPortHwHandshaking(), hhNONE);
  EXPECT_EQ(drv->ComPortSwHandshaking(), shNONE);
  EXPECT_EQ(drv->PacketMode(), pmDiscard);

  // Open, a refused line setting is not applied either.
  Open();
  drv->SetComPortSpeed(static_cast<TComPortBaudRate>(255));
  EXPECT_TRUE(api.Calls.empty());
}

TEST_F(DriverTest, DeviceSettingsAreRefusedWhileOpenAndTakenAfterClose) {
  Open();
  drv->SetComPort(pnCOM5);
  drv->SetComPortInBufSize(100);
  drv->SetComPortOutBufSize(100);
  EXPECT_EQ(drv->ComPort(), pnCOM2);
  EXPECT_EQ(drv->ComPortInBufSize(), 2048);
  EXPECT_EQ(drv->ReceiveBufferSize(), 2048u);
  EXPECT_EQ(drv->ComPortOutBufSize(), 2048);
  EXPECT_TRUE(api.Calls.empty());

  drv->ClosePort();
  drv->SetComPort(pnCOM5);
  drv->SetComPortInBufSize(100);
  drv->SetComPortOutBufSize(100);
  EXPECT_EQ(drv->ComPort(), pnCOM5);
  EXPECT_EQ(drv->ComPortInBufSize(), 100);
  EXPECT_EQ(drv->ReceiveBufferSize(), 100u);
  EXPECT_EQ(drv->ComPortOutBufSize(), 100);
}

TEST_F(DriverTest, ALineSettingIsAppliedAtOnceWhileOpenAndOnlyStoredWhileClosed) {
  api.Calls.clear();
  drv->SetComPortParity(ptEVEN);
  EXPECT_TRUE(api.Calls.empty());
  EXPECT_EQ(drv->ComPortParity(), ptEVEN);

  Open();
  api.Arrive("pending");
  api.OutQueue = 10;
  drv->SetComPortParity(ptODD);
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"SetCommState", "PurgeComm", "SetupComm"}));
  EXPECT_EQ(api.States.at(0).Parity, 1);
  EXPECT_TRUE(api.Input.empty());
  EXPECT_EQ(api.OutQueue, 0u);

  // Every line setting does the same, even when the value does not change.
  const std::vector<std::function<void()>> assignments = {[&] { drv->SetComPortSpeed(br9600); },
                                                          [&] { drv->SetComPortDataBits(db7BITS); },
                                                          [&] { drv->SetComPortStopBits(sb2BITS); },
                                                          [&] { drv->SetComPortParity(ptODD); },
                                                          [&] { drv->SetComPortHwHandshaking(hhRTSCTS); },
                                                          [&] { drv->SetComPortSwHandshaking(shNONE); }};
  for (const auto& assign : assignments) {
    api.Calls.clear();
    assign();
    EXPECT_EQ(api.Count("SetCommState"), 1);
    EXPECT_EQ(api.Count("PurgeComm"), 1);
  }
  // DTR and the other settings wait for the next application.
  api.Calls.clear();
  drv->SetEnableDTROnOpen(false);
  drv->SetOutputTimeout(10);
  drv->SetPacketMode(pmPass);
  EXPECT_TRUE(api.Calls.empty());
}
