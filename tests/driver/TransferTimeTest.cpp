// The transfer time of a packet, exactly as the extended-precision computation gives it.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "TransferTime.h"

TEST(TransferTime, BitsPerSecondFollowTheRateTable) {
  const std::int32_t expected[] = {110,   300,   600,   1200,  2400,  4800,  9600,
                                   14400, 19200, 38400, 56000, 57600, 115200};
  for (int i = 0; i < kBaudRateCount; ++i) {
    EXPECT_EQ(BaudRateToBps(static_cast<TComPortBaudRate>(i)), expected[i]);
  }
  EXPECT_EQ(BaudRateToBps(static_cast<TComPortBaudRate>(13)), 0);
}

TEST(TransferTime, TableOfOneAndTenBytes) {
  struct Row {
    TComPortBaudRate rate;
    std::int32_t one, ten;
  };
  const Row rows[] = {{br110, 91, 909}, {br300, 33, 333}, {br600, 17, 167}, {br1200, 8, 83},
                      {br2400, 4, 42},  {br4800, 2, 21},  {br9600, 1, 10},  {br14400, 1, 7},
                      {br19200, 1, 5},  {br38400, 0, 3},  {br56000, 0, 2},  {br57600, 0, 2},
                      {br115200, 0, 1}};
  for (const Row& row : rows) {
    EXPECT_EQ(PacketTransferTime(row.rate, 1), row.one) << int(row.rate);
    EXPECT_EQ(PacketTransferTime(row.rate, 10), row.ten) << int(row.rate);
  }
}

TEST(TransferTime, HalvesGoToEvenAndExtendedRoundingDecides) {
  struct Case {
    TComPortBaudRate rate;
    std::int32_t count, ms;
  };
  const Case cases[] = {
      {br9600, 10, 10},        {br110, 1, 91}, {br115200, 1, 0},
      {br2400, 3, 12},      // 12.5 to the even neighbour
      {br2400, 9, 38},      // 37.5
      {br2400, 243, 1013},  // 243 / 240 in extended lies just above 1.0125
      {br110, 32767, 2978818}, {br2400, 0, 0}, {br2400, -3, -12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PacketTransferTime(c.rate, c.count), c.ms) << c.count << " @ " << int(c.rate);
  }
}

// Every rate against every count a packet can have, checked against the compiler's own
// 80-bit arithmetic where long double is that format.
TEST(TransferTime, MatchesExtendedPrecisionForEveryPacketSize) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the 80-bit extended format here";
  int mismatches = 0;
  for (int r = 0; r < kBaudRateCount; ++r) {
    const auto rate = static_cast<TComPortBaudRate>(r);
    const long double perMs = static_cast<long double>(kBaudRates[r]) / 10.0L;
    for (std::int32_t count = 1; count <= 32767; ++count) {
      volatile long double quotient = static_cast<long double>(count) / perMs;
      volatile long double ms = quotient * 1000.0L;
      const auto expected = static_cast<std::int32_t>(std::nearbyintl(ms));
      if (PacketTransferTime(rate, count) != expected && ++mismatches < 10) {
        ADD_FAILURE() << count << " bytes at " << kBaudRates[r] << ": "
                      << PacketTransferTime(rate, count) << " != " << expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}
