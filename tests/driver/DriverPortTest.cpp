// Opening, closing, the line record, purging and destruction.
#include "DriverFixture.h"

using Call = FakeCommApi::Call;

TEST_F(DriverTest, OpenSetsUpTheDeviceInOrderAndStartsTheTimer) {
  ASSERT_TRUE(drv->OpenPort());
  EXPECT_TRUE(drv->IsPortOpen());
  EXPECT_EQ(api.Names(),
            (std::vector<std::string>{"AllocateTimerWindow", "CreateFileA:COM2", "SetCommState",
                                      "PurgeComm", "SetupComm", "SetCommTimeouts", "SetTimer"}));
  EXPECT_EQ(api.CallsNamed("PurgeComm").at(0).Args.at(1), 0x0F);
  EXPECT_EQ(api.CallsNamed("SetupComm").at(0).Args, (std::vector<std::int64_t>{7, 2048, 2048}));
  EXPECT_EQ(api.CallsNamed("SetCommTimeouts").at(0).Args,
            (std::vector<std::int64_t>{7, 1, 0, 1, 0, 0}));
  EXPECT_EQ(api.CallsNamed("SetTimer").at(0).Args.at(1), 1);
  EXPECT_EQ(api.Timers.at(1), 50u);
}

TEST_F(DriverTest, EachPortNumberOpensItsOwnName) {
  for (int n = 0; n < 16; ++n) {
    drv->ClosePort();
    drv->SetComPort(static_cast<TComPortNumber>(n));
    api.Calls.clear();
    ASSERT_TRUE(drv->OpenPort());
    EXPECT_EQ(api.Calls.at(0).Name, "CreateFileA:COM" + std::to_string(n + 1));
  }
}

TEST_F(DriverTest, OpeningAnOpenPortChangesNothing) {
  Open();
  EXPECT_TRUE(drv->OpenPort());
  EXPECT_TRUE(api.Calls.empty());
}

TEST_F(DriverTest, AFailedOpenLeavesThePortClosedWithoutATimer) {
  api.OpenFails = true;
  EXPECT_FALSE(drv->OpenPort());
  EXPECT_FALSE(drv->IsPortOpen());
  EXPECT_TRUE(api.Timers.empty());
  EXPECT_EQ(api.Count("SetCommState"), 0);
  // Closed after a failed open: nothing to close, and a tick does nothing.
  api.Calls.clear();
  drv->ClosePort();
  api.Tick();
  EXPECT_TRUE(api.Calls.empty());
}

TEST_F(DriverTest, CloseStopsTheTimerAndClosesTheDeviceOnce) {
  Open();
  drv->ClosePort();
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"KillTimer", "CloseHandle"}));
  EXPECT_FALSE(drv->IsPortOpen());
  EXPECT_TRUE(api.Timers.empty());
  api.Calls.clear();
  drv->ClosePort();
  EXPECT_TRUE(api.Calls.empty());
}

TEST_F(DriverTest, DestructionClosesAnOpenPortFirst) {
  Open();
  drv.reset();
  EXPECT_EQ(api.Names(),
            (std::vector<std::string>{"KillTimer", "CloseHandle", "DeallocateTimerWindow"}));
}

TEST_F(DriverTest, ATickAfterCloseDoesNothing) {
  Collect();
  Open();
  drv->ClosePort();
  api.Arrive("late");
  api.Calls.clear();
  comm::TMessage tick{comm::WM_TIMER, 1, 0};
  drv->PollTick(tick);
  EXPECT_TRUE(api.Calls.empty());
  EXPECT_TRUE(blocks.empty());
}

struct RecordCase {
  const char* name;
  std::function<void(TSerialPortDriver&)> set;
  std::function<void(const comm::DCB&)> check;
};

TEST_F(DriverTest, TheLineRecordCarriesEverySetting) {
  using namespace comm;
  const std::vector<RecordCase> cases = {
      {"defaults", [](TSerialPortDriver&) {},
       [](const DCB& d) {
         EXPECT_EQ(d.DCBlength, sizeof(DCB));
         EXPECT_EQ(d.BaudRate, 9600u);
         EXPECT_EQ(d.Flags, 0x0011u);
         EXPECT_EQ(d.XonLim, 512);
         EXPECT_EQ(d.XoffLim, 1);
         EXPECT_EQ(d.ByteSize, 8);
         EXPECT_EQ(d.Parity, 0);
         EXPECT_EQ(d.StopBits, 0);
         EXPECT_EQ(d.XonChar, 17);
         EXPECT_EQ(d.XoffChar, 19);
         EXPECT_EQ(d.ErrorChar, 0);
         EXPECT_EQ(d.EofChar, 0);
         EXPECT_EQ(d.EvtChar, 0);
       }},
      {"RTS/CTS", [](TSerialPortDriver& p) { p.SetComPortHwHandshaking(hhRTSCTS); },
       [](const DCB& d) { EXPECT_EQ(d.Flags, 0x2015u); }},
      {"XON/XOFF", [](TSerialPortDriver& p) { p.SetComPortSwHandshaking(shXONXOFF); },
       [](const DCB& d) { EXPECT_EQ(d.Flags, 0x0311u); }},
      {"DTR off", [](TSerialPortDriver& p) { p.SetEnableDTROnOpen(false); },
       [](const DCB& d) { EXPECT_EQ(d.Flags, 0x0001u); }},
      {"all flags",
       [](TSerialPortDriver& p) {
         p.SetComPortHwHandshaking(hhRTSCTS);
         p.SetComPortSwHandshaking(shXONXOFF);
       },
       [](const DCB& d) { EXPECT_EQ(d.Flags, 0x2315u); }},
      {"input buffer", [](TSerialPortDriver& p) { p.SetComPortInBufSize(1003); },
       [](const DCB& d) { EXPECT_EQ(d.XonLim, 250); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCommApi fresh;
    TSerialPortDriver port(nullptr, fresh);
    c.set(port);
    ASSERT_TRUE(port.OpenPort());
    ASSERT_EQ(fresh.States.size(), 1u);
    c.check(fresh.States.at(0));
  }
}

TEST_F(DriverTest, TheRecordTakesEachOrdinalOfEachEnumeration) {
  Open();
  for (int i = 0; i < kBaudRateCount; ++i) {
    drv->SetComPortSpeed(static_cast<TComPortBaudRate>(i));
    EXPECT_EQ(api.States.back().BaudRate, kBaudRates[i]);
  }
  for (int i = 0; i < 4; ++i) {
    drv->SetComPortDataBits(static_cast<TComPortDataBits>(i));
    EXPECT_EQ(api.States.back().ByteSize, i + 5);
  }
  for (int i = 0; i < 5; ++i) {
    drv->SetComPortParity(static_cast<TComPortParity>(i));
    EXPECT_EQ(api.States.back().Parity, i);
  }
  for (int i = 0; i < 3; ++i) {
    drv->SetComPortStopBits(static_cast<TComPortStopBits>(i));
    EXPECT_EQ(api.States.back().StopBits, i);
  }
  EXPECT_EQ(kBaudRates[br110], 110u);
  EXPECT_EQ(kBaudRates[br14400], 14400u);
  EXPECT_EQ(kBaudRates[br56000], 56000u);
  EXPECT_EQ(kBaudRates[br115200], 115200u);
}

TEST_F(DriverTest, PurgeSendsTheFlagsOfTheChosenQueuesAndForgetsThePacketStart) {
  struct Case {
    bool input, output;
    std::int64_t flags;
  };
  for (const Case c : {Case{false, false, 0}, Case{true, false, 0x0A}, Case{false, true, 0x05},
                       Case{true, true, 0x0F}}) {
    Open();
    drv->PurgeBuffers(c.input, c.output);
    ASSERT_EQ(api.Count("PurgeComm"), 1);
    EXPECT_EQ(api.CallsNamed("PurgeComm").at(0).Args.at(1), c.flags);
    EXPECT_EQ(drv->GetPacketStartTick(), TSerialPortDriver::kNoTick);
    drv->ClosePort();
    api.Calls.clear();
    drv->PurgeBuffers(c.input, c.output);
    EXPECT_TRUE(api.Calls.empty());
  }
}
