#include "TransferTime.h"

#include <bit>
#include <limits>

std::int32_t BaudRateToBps(TComPortBaudRate rate) {
  if (static_cast<int>(rate) >= kBaudRateCount) return 0;
  return static_cast<std::int32_t>(kBaudRates[rate]);
}

namespace {

using u128 = unsigned __int128;

// A positive number Significand * 2^Exponent with the top bit of Significand set: the
// extended format without its sign.
struct Extended {
  std::uint64_t Significand;
  int Exponent;
};

int BitLength(u128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  return high != 0 ? 128 - std::countl_zero(high)
                   : 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// Rounds value * 2^exponent (value > 0) to a 64-bit significand, to nearest with ties to
// even. sticky says that a non-zero remainder lies below value's lowest bit.
Extended Normalise(u128 value, int exponent, bool sticky) {
  const int shift = BitLength(value) - 64;
  if (shift <= 0) {
    return {static_cast<std::uint64_t>(value << -shift), exponent + shift};
  }
  const u128 dropped = value & ((u128{1} << shift) - 1);
  const u128 half = u128{1} << (shift - 1);
  u128 kept = value >> shift;
  const bool up = dropped > half || (dropped == half && (sticky || (kept & 1) != 0));
  if (up) ++kept;
  if (BitLength(kept) > 64) {
    kept >>= 1;
    return {static_cast<std::uint64_t>(kept), exponent + shift + 1};
  }
  return {static_cast<std::uint64_t>(kept), exponent + shift};
}

// count / divisor, rounded to the extended format.
Extended Divide(std::uint64_t count, std::uint64_t divisor) {
  const u128 numerator = u128{count} << 96;  // count <= 2^31: at least 82 quotient bits
  return Normalise(numerator / divisor, -96, numerator % divisor != 0);
}

// Rounds to a whole number, halves to even, and clamps to the signed 32-bit range.
std::int64_t RoundHalfEven(const Extended& x) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (x.Exponent >= 0) return kMax;  // at least 2^63
  const int fractionBits = -x.Exponent;
  if (fractionBits > 64) return 0;  // below one half
  const u128 value = x.Significand;
  const u128 whole = value >> fractionBits;
  const u128 fraction = value & ((u128{1} << fractionBits) - 1);
  const u128 half = u128{1} << (fractionBits - 1);
  const bool up = fraction > half || (fraction == half && (whole & 1) != 0);
  const u128 rounded = whole + (up ? 1 : 0);
  return rounded > static_cast<u128>(kMax) ? kMax : static_cast<std::int64_t>(rounded);
}

}  // namespace

std::int32_t PacketTransferTime(TComPortBaudRate rate, std::int32_t count) {
  const std::int32_t bps = BaudRateToBps(rate);
  if (bps <= 0 || count == 0) return 0;
  const std::uint64_t magnitude =
      count < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(count))
                : static_cast<std::uint64_t>(count);
  // Every rate is a multiple of 10, so bytes per second is exact.
  const Extended perByte = Divide(magnitude, static_cast<std::uint64_t>(bps / 10));
  const Extended ms = Normalise(u128{perByte.Significand} * 1000u, perByte.Exponent, false);
  const std::int64_t rounded = RoundHalfEven(ms);
  return static_cast<std::int32_t>(count < 0 ? -rounded : rounded);
}
