// Decimal arithmetic on 128-bit counts, with 256-bit intermediates for products and quotients.
#include "platform/variant/decimal.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

namespace cb {
namespace {

constexpr UInt128 kMaxMagnitude = (~UInt128{0}) >> 1;
constexpr UInt128 kTopBit = UInt128{1} << 127;

// The encoding is big-endian so that its bytes sort as the numbers do; every decimal a function
// reads or writes passes through these, so they move eight bytes at a time.
uint64_t LoadBigEndian(const unsigned char* bytes) {
  uint64_t word = 0;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  return word;
}

void StoreBigEndian(uint64_t word, unsigned char* bytes) {
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  std::memcpy(bytes, &word, sizeof word);
}

// 10^0 … 10^38, looked up: every written value and every product checks against one.
constexpr std::array<UInt128, Decimal::kMaxPrecision + 1> kPowersOf10 = [] {
  std::array<UInt128, Decimal::kMaxPrecision + 1> powers{};
  UInt128 value = 1;
  for (UInt128& power : powers) {
    power = value;
    value *= 10;
  }
  return powers;
}();

// A negative exponent (a type declaring more decimals than digits) counts as 10^0.
constexpr UInt128 Pow10(int n) {
  return kPowersOf10[static_cast<size_t>(std::clamp(n, 0, Decimal::kMaxPrecision))];
}

constexpr UInt128 kUnitsPerOne = Pow10(Decimal::kScale);

UInt128 Magnitude(Int128 units) {
  return units < 0 ? UInt128(0) - static_cast<UInt128>(units) : static_cast<UInt128>(units);
}

std::optional<Decimal> FromMagnitude(UInt128 magnitude, bool negative) {
  if (magnitude > kMaxMagnitude) return std::nullopt;
  Int128 units = static_cast<Int128>(magnitude);
  return Decimal::FromUnits(negative ? -units : units);
}

struct U256 {
  UInt128 hi = 0;
  UInt128 lo = 0;
};

U256 MultiplyWide(UInt128 a, UInt128 b) {
  const uint64_t a0 = static_cast<uint64_t>(a), a1 = static_cast<uint64_t>(a >> 64);
  const uint64_t b0 = static_cast<uint64_t>(b), b1 = static_cast<uint64_t>(b >> 64);
  const UInt128 p00 = UInt128{a0} * b0, p01 = UInt128{a0} * b1;
  const UInt128 p10 = UInt128{a1} * b0, p11 = UInt128{a1} * b1;
  const UInt128 mid = (p00 >> 64) + static_cast<uint64_t>(p01) + static_cast<uint64_t>(p10);
  return {p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64), (mid << 64) | static_cast<uint64_t>(p00)};
}

// n ÷ d rounded half away from zero; nullopt when the quotient passes kMaxMagnitude. d ≤ 2^127.
std::optional<UInt128> DivideRounded(U256 n, UInt128 d) {
  UInt128 quotient = 0;
  UInt128 remainder = 0;
  if (n.hi == 0) {
    // One 128-bit division: the remainder follows from the quotient by a multiplication.
    quotient = n.lo / d;
    remainder = n.lo - quotient * d;
  } else {
    UInt128 quotient_hi = 0;
    for (int i = 255; i >= 0; --i) {
      UInt128 bit = i >= 128 ? (n.hi >> (i - 128)) & 1 : (n.lo >> i) & 1;
      remainder = (remainder << 1) | bit;
      quotient_hi = (quotient_hi << 1) | (quotient >> 127);
      quotient <<= 1;
      if (remainder >= d) {
        remainder -= d;
        quotient |= 1;
      }
    }
    if (quotient_hi != 0) return std::nullopt;
  }
  if (remainder >= d - remainder) ++quotient;
  if (quotient > kMaxMagnitude) return std::nullopt;
  return quotient;
}

// A quotient at `scale` decimals, back in units of 10^-kScale.
std::optional<Decimal> AtScale(std::optional<UInt128> quotient, int scale, bool negative) {
  if (!quotient) return std::nullopt;
  U256 units = MultiplyWide(*quotient, Pow10(Decimal::kScale - scale));
  if (units.hi != 0) return std::nullopt;
  return FromMagnitude(units.lo, negative);
}

// A result's magnitude at `scale` decimals, rounded again to `then_scale` when that is narrower,
// back in units of 10^-kScale; nullopt when digits past kScale would be lost.
std::optional<Decimal> Held(std::optional<UInt128> magnitude, int scale, int then_scale,
                            bool negative) {
  if (!magnitude) return std::nullopt;
  UInt128 value = *magnitude;
  if (then_scale >= 0 && then_scale < scale) {
    value = *DivideRounded(U256{0, value}, Pow10(scale - then_scale));
    scale = then_scale;
  }
  if (scale > Decimal::kScale) {
    UInt128 step = Pow10(scale - Decimal::kScale);
    if (value % step != 0) return std::nullopt;
    value /= step;
    scale = Decimal::kScale;
  }
  return AtScale(value, scale, negative);
}

std::string MagnitudeDigits(UInt128 value) {
  char digits[40];
  char* start = digits + sizeof digits;
  do {
    *--start = static_cast<char>('0' + static_cast<int>(value % 10));
    value /= 10;
  } while (value != 0);
  return std::string(start, digits + sizeof digits);
}

}  // namespace

Decimal Decimal::FromInt(int64_t value) {
  return Decimal(static_cast<Int128>(value) * static_cast<Int128>(kUnitsPerOne));
}

std::optional<Decimal> Decimal::FromDouble(double value) {
  char text[400];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (ec != std::errc()) return std::nullopt;
  return Parse(std::string_view(text, static_cast<size_t>(end - text)));
}

std::optional<Decimal> Decimal::Parse(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  UInt128 whole = 0;
  UInt128 fraction = 0;
  int fraction_digits = 0;
  bool round_up = false;
  bool any_digit = false;
  bool after_point = false;
  for (char c : text) {
    if (c == '.' && !after_point) {
      after_point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    any_digit = true;
    int digit = c - '0';
    if (!after_point) {
      if (whole > kMaxMagnitude / kUnitsPerOne) return std::nullopt;
      whole = whole * 10 + static_cast<UInt128>(digit);
    } else if (fraction_digits < kScale) {
      fraction = fraction * 10 + static_cast<UInt128>(digit);
      ++fraction_digits;
    } else if (fraction_digits == kScale) {
      round_up = digit >= 5;
      ++fraction_digits;
    }
  }
  if (!any_digit) return std::nullopt;
  for (int i = fraction_digits; i < kScale; ++i) fraction *= 10;
  if (whole > kMaxMagnitude / kUnitsPerOne) return std::nullopt;
  return FromMagnitude(whole * kUnitsPerOne + fraction + (round_up ? 1 : 0), negative);
}

double Decimal::ToDouble() const {
  std::string text = ToString();
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::string Decimal::ToString() const {
  UInt128 magnitude = Magnitude(units_);
  std::string text = units_ < 0 ? "-" : "";
  text += MagnitudeDigits(magnitude / kUnitsPerOne);
  UInt128 fraction = magnitude % kUnitsPerOne;
  if (fraction == 0) return text;
  // The fraction's digits with its leading zeros, then without its trailing ones.
  std::string digits = MagnitudeDigits(fraction + kUnitsPerOne);
  size_t end = digits.find_last_not_of('0') + 1;
  text += '.';
  text.append(digits, 1, end - 1);
  return text;
}

std::optional<int64_t> Decimal::TruncatedInt() const {
  Int128 whole = units_ / static_cast<Int128>(kUnitsPerOne);
  if (whole < std::numeric_limits<int64_t>::min() || whole > std::numeric_limits<int64_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int64_t>(whole);
}

std::optional<Decimal> Decimal::Add(Decimal a, Decimal b) {
  Int128 sum = 0;
  if (__builtin_add_overflow(a.units_, b.units_, &sum) ||
      sum == -static_cast<Int128>(kMaxMagnitude) - 1) {
    return std::nullopt;
  }
  return Decimal(sum);
}

std::optional<Decimal> Decimal::Subtract(Decimal a, Decimal b) {
  return Add(a, b.Negated());
}

std::optional<Decimal> Decimal::Multiply(Decimal a, Decimal b, int scale, int then_scale) {
  // The product is exact at 2 × kScale decimals; a wider scale only adds zeros.
  scale = std::clamp(scale, 0, 2 * kScale);
  U256 product = MultiplyWide(Magnitude(a.units_), Magnitude(b.units_));
  auto magnitude = DivideRounded(product, Pow10(2 * kScale - scale));
  return Held(magnitude, scale, then_scale, (a.units_ < 0) != (b.units_ < 0));
}

std::optional<Decimal> Decimal::Divide(Decimal a, Decimal b, int scale, int then_scale) {
  scale = std::clamp(scale, 0, kMaxPrecision);
  U256 dividend = MultiplyWide(Magnitude(a.units_), Pow10(scale));
  auto magnitude = DivideRounded(dividend, Magnitude(b.units_));
  return Held(magnitude, scale, then_scale, (a.units_ < 0) != (b.units_ < 0));
}

std::optional<Decimal> Decimal::Rounded(int scale) const {
  if (scale >= kScale) return *this;
  if (scale < kScale - 38) return Decimal();
  UInt128 step = Pow10(kScale - scale);
  auto quotient = DivideRounded(U256{0, Magnitude(units_)}, step);
  U256 units = MultiplyWide(*quotient, step);
  if (units.hi != 0) return std::nullopt;
  return FromMagnitude(units.lo, units_ < 0);
}

Decimal Decimal::Truncated(int scale) const {
  if (scale >= kScale) return *this;
  if (scale < kScale - 38) return Decimal();
  Int128 step = static_cast<Int128>(Pow10(kScale - scale));
  return Decimal(units_ / step * step);
}

bool Decimal::FitsIntegerDigits(int precision, int scale) const {
  int digits = precision - scale + kScale;
  if (digits >= 39) return true;
  return Magnitude(units_) < Pow10(digits);
}

std::array<unsigned char, Decimal::kEncodedSize> Decimal::Encode() const {
  const UInt128 bits = static_cast<UInt128>(units_) ^ kTopBit;
  std::array<unsigned char, kEncodedSize> bytes{};
  StoreBigEndian(static_cast<uint64_t>(bits >> 64), bytes.data());
  StoreBigEndian(static_cast<uint64_t>(bits), bytes.data() + 8);
  return bytes;
}

Decimal Decimal::Decode(const unsigned char* bytes) {
  const UInt128 bits =
      (static_cast<UInt128>(LoadBigEndian(bytes)) << 64) | LoadBigEndian(bytes + 8);
  return Decimal(static_cast<Int128>(bits ^ kTopBit));
}

}  // namespace cb
