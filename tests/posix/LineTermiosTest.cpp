// The line record translated to termios, checked without a device.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LineTermios.h"

using namespace comm;

namespace {

DCB DefaultRecord() {
  DCB dcb;
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = 9600;
  dcb.Flags = 0x0011;
  dcb.XonLim = 512;
  dcb.XoffLim = 1;
  dcb.ByteSize = 8;
  dcb.XonChar = 17;
  dcb.XoffChar = 19;
  return dcb;
}

// A cooked terminal as a new pseudo-terminal starts: everything raw mode must switch off.
termios CookedBase() {
  termios t{};
  t.c_iflag = ICRNL | IXON | IXANY | IMAXBEL | BRKINT | INPCK | ISTRIP;
  t.c_oflag = OPOST | ONLCR;
  t.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK | IEXTEN;
  t.c_cflag = CS7 | PARENB | HUPCL | CSTOPB | CRTSCTS;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 5;
  return t;
}

struct Case {
  std::string name;
  std::function<void(DCB&)> change;
  tcflag_t cflagSet;   // bits that must be set among CSIZE|PARENB|PARODD|CMSPAR|CSTOPB|CRTSCTS
  tcflag_t iflagFlow;  // IXON|IXOFF bits that must be set
  bool dtrOn;
  bool rtsOff;
};

constexpr tcflag_t kLineBits = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;

}  // namespace

TEST(LineTermios, EverySettingReachesItsTermiosBits) {
  const std::vector<Case> cases = {
      {"defaults", [](DCB&) {}, CS8, 0, true, true},
      {"5 bits", [](DCB& d) { d.ByteSize = 5; }, CS5, 0, true, true},
      {"6 bits", [](DCB& d) { d.ByteSize = 6; }, CS6, 0, true, true},
      {"7 bits", [](DCB& d) { d.ByteSize = 7; }, CS7, 0, true, true},
      {"odd", [](DCB& d) { d.Parity = ODDPARITY; }, CS8 | PARENB | PARODD, 0, true, true},
      {"even", [](DCB& d) { d.Parity = EVENPARITY; }, CS8 | PARENB, 0, true, true},
      {"mark", [](DCB& d) { d.Parity = MARKPARITY; }, CS8 | PARENB | CMSPAR | PARODD, 0, true,
       true},
      {"space", [](DCB& d) { d.Parity = SPACEPARITY; }, CS8 | PARENB | CMSPAR, 0, true, true},
      {"2 stop bits", [](DCB& d) { d.StopBits = TWOSTOPBITS; }, CS8 | CSTOPB, 0, true, true},
      {"1.5 stop bits with 5 data bits",
       [](DCB& d) {
         d.StopBits = ONE5STOPBITS;
         d.ByteSize = 5;
       },
       CS5 | CSTOPB, 0, true, true},
      {"RTS/CTS", [](DCB& d) { d.Flags = 0x2015; }, CS8 | CRTSCTS, 0, true, false},
      {"XON/XOFF", [](DCB& d) { d.Flags = 0x0311; }, CS8, IXON | IXOFF, true, true},
      {"DTR held off", [](DCB& d) { d.Flags = 0x0001; }, CS8, 0, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DCB dcb = DefaultRecord();
    c.change(dcb);
    const auto line = TranslateRecord(dcb, CookedBase());
    ASSERT_TRUE(line.has_value());
    const termios& t = line->Attributes;
    EXPECT_EQ(t.c_cflag & kLineBits, c.cflagSet);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), c.iflagFlow);
    EXPECT_EQ(line->DtrOn, c.dtrOn);
    EXPECT_EQ(line->RtsOff, c.rtsOff);
    // Raw binary, whatever the setting.
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INPCK | ISTRIP | BRKINT), 0u);
    EXPECT_NE(t.c_cflag & CREAD, 0u);
    EXPECT_NE(t.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    EXPECT_EQ(t.c_cc[VSTART], 17);
    EXPECT_EQ(t.c_cc[VSTOP], 19);
  }
}

TEST(LineTermios, EveryRateOfTheTableIsCarried) {
  const std::vector<std::pair<std::uint32_t, speed_t>> standard = {
      {110, B110},     {300, B300},     {600, B600},      {1200, B1200},
      {2400, B2400},   {4800, B4800},   {9600, B9600},    {19200, B19200},
      {38400, B38400}, {57600, B57600}, {115200, B115200}};
  for (const auto& [bps, speed] : standard) {
    DCB dcb = DefaultRecord();
    dcb.BaudRate = bps;
    const auto line = TranslateRecord(dcb, CookedBase());
    ASSERT_TRUE(line.has_value()) << bps;
    EXPECT_EQ(cfgetospeed(&line->Attributes), speed) << bps;
    EXPECT_EQ(cfgetispeed(&line->Attributes), speed) << bps;
    EXPECT_EQ(line->CustomRate, 0u) << bps;
  }
  for (std::uint32_t bps : {14400u, 56000u}) {
    DCB dcb = DefaultRecord();
    dcb.BaudRate = bps;
    const auto line = TranslateRecord(dcb, CookedBase());
    ASSERT_TRUE(line.has_value()) << bps;
    EXPECT_EQ(line->CustomRate, bps);
  }
}

TEST(LineTermios, WhatTheLineCannotCarryIsRefused) {
  const std::vector<std::pair<std::string, std::function<void(DCB&)>>> cases = {
      {"unknown rate", [](DCB& d) { d.BaudRate = 12345; }},
      {"4 data bits", [](DCB& d) { d.ByteSize = 4; }},
      {"9 data bits", [](DCB& d) { d.ByteSize = 9; }},
      {"parity code 5", [](DCB& d) { d.Parity = 5; }},
      {"stop-bit code 3", [](DCB& d) { d.StopBits = 3; }},
      {"1.5 stop bits with 8 data bits", [](DCB& d) { d.StopBits = ONE5STOPBITS; }},
  };
  for (const auto& [name, change] : cases) {
    DCB dcb = DefaultRecord();
    change(dcb);
    EXPECT_FALSE(TranslateRecord(dcb, CookedBase()).has_value()) << name;
  }
}
