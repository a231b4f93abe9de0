// The driver on the real POSIX layer, over pseudo-terminals: what the far end sees.
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "ManualTimerCommApi.h"
#include "PtyPort.h"
#include "SerialDrv.h"
#include "Termios2.h"

class PtyDriverTest : public ::testing::Test {
 protected:
  PtyPort port{1};
  ManualTimerCommApi api;
  std::unique_ptr<TSerialPortDriver> drv = MakeDriver();
  std::vector<std::string> blocks;

  std::unique_ptr<TSerialPortDriver> MakeDriver() {
    auto driver = std::make_unique<TSerialPortDriver>(nullptr, api);
    driver->SetComPort(pnCOM1);
    driver->SetOnReceiveData([this](TComponent*, const std::uint8_t* data, std::int32_t size) {
      blocks.emplace_back(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    });
    return driver;
  }

  termios PeerAttributes() const {
    termios t{};
    EXPECT_EQ(tcgetattr(port.Peer(), &t), 0);
    return t;
  }
};

TEST_F(PtyDriverTest, ThePeerSeesEveryRateIncludingTheNonStandardOnes) {
  ASSERT_TRUE(drv->OpenPort());
  for (int i = 0; i < kBaudRateCount; ++i) {
    drv->SetComPortSpeed(static_cast<TComPortBaudRate>(i));
    std::uint32_t in = 0, out = 0;
    ASSERT_EQ(GetLineRates(port.Peer(), in, out), 0);
    EXPECT_EQ(out, kBaudRates[i]);
    EXPECT_EQ(in, kBaudRates[i]);
  }
}

TEST_F(PtyDriverTest, ThePeerSeesStopBitsHandshakesAndRawMode) {
  ASSERT_TRUE(drv->OpenPort());
  termios t = PeerAttributes();
  EXPECT_EQ(t.c_cflag & (CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), 0u);

  drv->SetComPortStopBits(sb2BITS);
  drv->SetComPortHwHandshaking(hhRTSCTS);
  drv->SetComPortSwHandshaking(shXONXOFF);
  t = PeerAttributes();
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  EXPECT_EQ(t.c_cc[VSTART], 17);
  EXPECT_EQ(t.c_cc[VSTOP], 19);

  drv->SetComPortParity(ptMARK);
  EXPECT_EQ(PeerAttributes().c_cflag & (CMSPAR | PARODD), static_cast<tcflag_t>(CMSPAR | PARODD));
}

TEST_F(PtyDriverTest, OneAndAHalfStopBitsWithEightDataBitsLeaveTheLineAsItWas) {
  ASSERT_TRUE(drv->OpenPort());
  drv->SetComPortSpeed(br19200);
  drv->SetComPortStopBits(sb2BITS);
  const termios before = PeerAttributes();
  drv->SetComPortStopBits(sb1HALFBITS);
  const termios after = PeerAttributes();
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(cfgetospeed(&after), B19200);
}

TEST_F(PtyDriverTest, BytesCrossExactlyInBothDirections) {
  ASSERT_TRUE(drv->OpenPort());
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  drv->SetComPortSwHandshaking(shNONE);
  ASSERT_TRUE(drv->WriteString(all));
  EXPECT_EQ(port.Read(all.size()), all);

  port.Write(all);
  const int fd = api.DescriptorOf(1);
  ASSERT_TRUE(WaitForQueued(fd, 256));
  api.Tick();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], all);
}

TEST_F(PtyDriverTest, PurgeDropsPendingInput) {
  ASSERT_TRUE(drv->OpenPort());
  port.Write("stale");
  ASSERT_TRUE(WaitForQueued(api.DescriptorOf(1), 5));
  drv->PurgeBuffers(true, false);
  api.Tick();
  EXPECT_TRUE(blocks.empty());
  port.Write("fresh");
  ASSERT_TRUE(WaitForQueued(api.DescriptorOf(1), 5));
  api.Tick();
  EXPECT_EQ(blocks, std::vector<std::string>{"fresh"});
}

TEST_F(PtyDriverTest, ASecondOpenOfAHeldPortFailsAndSaysWhy) {
  ASSERT_TRUE(drv->OpenPort());
  ManualTimerCommApi other;
  TSerialPortDriver second(nullptr, other);
  second.SetComPort(pnCOM1);
  EXPECT_FALSE(second.OpenPort());
  const comm::OpenFailure why = other.LastOpenFailure();
  EXPECT_EQ(why.Reason, comm::OpenFailureReason::kInUse);
  EXPECT_EQ(why.Path, port.LinkPath());
  EXPECT_EQ(why.PortName, "COM1");

  // Once released, it opens.
  drv->ClosePort();
  EXPECT_TRUE(second.OpenPort());
}

TEST_F(PtyDriverTest, OpenFailuresKeepTheirReasonAndPath) {
  drv->SetComPort(pnCOM7);  // nothing bound, and no serial hardware counted as COM7 here
  if (!drv->OpenPort()) {
    EXPECT_EQ(api.LastOpenFailure().Reason, comm::OpenFailureReason::kNoSuchDevice);
    EXPECT_EQ(api.LastOpenFailure().PortName, "COM7");
  }
  PtyPort nullLink(3);
  std::filesystem::remove(nullLink.LinkPath());
  std::filesystem::create_symlink("/dev/null", nullLink.LinkPath());
  drv->SetComPort(pnCOM3);
  EXPECT_FALSE(drv->OpenPort());
  EXPECT_EQ(api.LastOpenFailure().Reason, comm::OpenFailureReason::kNotASerialDevice);

  std::filesystem::remove(nullLink.LinkPath());
  std::filesystem::create_symlink("/dev/ttyUSB-unplugged", nullLink.LinkPath());
  EXPECT_FALSE(drv->OpenPort());
  EXPECT_EQ(api.LastOpenFailure().Reason, comm::OpenFailureReason::kNoSuchDevice);
  EXPECT_EQ(api.LastOpenFailure().Path, nullLink.LinkPath());
  EXPECT_FALSE(drv->IsPortOpen());
}

TEST_F(PtyDriverTest, APeerThatStopsReadingEndsTheSendWithWhatWasSent) {
  ASSERT_TRUE(drv->OpenPort());
  drv->SetOutputTimeout(200);
  const std::string lots(200000, 'w');
  const auto start = std::chrono::steady_clock::now();
  const std::int32_t result = drv->WriteData(lots.data(), static_cast<std::int32_t>(lots.size()));
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_LT(result, 0);
  EXPECT_GE(took, std::chrono::milliseconds(200));
  // Exactly the bytes reported as sent reach the peer.
  EXPECT_EQ(port.Read(static_cast<std::size_t>(-result), 300).size(),
            static_cast<std::size_t>(-result));
  EXPECT_TRUE(port.Drain().empty());
}

TEST_F(PtyDriverTest, AnUnpluggedPeerLeavesTheDriverQuiet) {
  ASSERT_TRUE(drv->OpenPort());
  port.Write("last words");
  ASSERT_TRUE(WaitForQueued(api.DescriptorOf(1), 10));
  api.Tick();
  port.Unplug();
  for (int i = 0; i < 5; ++i) api.Tick();
  EXPECT_EQ(blocks, std::vector<std::string>{"last words"});
  EXPECT_EQ(drv->OutputFreeSpace(), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(drv->WriteString("anyone?"));  // ends at once, not after OutputTimeout
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  drv->ClosePort();
  EXPECT_FALSE(drv->IsPortOpen());
  EXPECT_TRUE(drv->OpenPort() == false);
}

TEST_F(PtyDriverTest, CloseRestoresTheDeviceAsItWas) {
  const termios before = PeerAttributes();
  ASSERT_TRUE(drv->OpenPort());
  drv->SetComPortSpeed(br56000);
  drv->ClosePort();
  const termios after = PeerAttributes();
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
}
