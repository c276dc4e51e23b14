// Decimal: an exact decimal number held as a 128-bit count of 10^-10, the value type of DECIMAL
// columns and of the arithmetic the database layer does on them.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cb {

__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

class Decimal {
 public:
  // Every value is a whole number of units of 10^-kScale: the finest scale a stored DECIMAL has.
  static constexpr int kScale = 10;
  // The largest number of digits a DECIMAL type may declare.
  static constexpr int kMaxPrecision = 38;
  // Bytes of the encoding that sorts as the numbers do (Encode).
  static constexpr size_t kEncodedSize = 16;

  Decimal() = default;
  static Decimal FromUnits(Int128 units) { return Decimal(units); }
  static Decimal FromInt(int64_t value);
  // The double's shortest decimal form, rounded half away from zero to kScale decimals; nullopt for
  // infinities, NaN and magnitudes beyond the range.
  static std::optional<Decimal> FromDouble(double value);
  // Text with optional blanks around, an optional sign, digits and an optional point with digits
  // ('1', '-0.5', '.5', '2.'); more than kScale decimals round half away from zero. nullopt for any
  // other text (exponents included) and for magnitudes beyond the range.
  static std::optional<Decimal> Parse(std::string_view text);

  Int128 units() const { return units_; }
  bool IsZero() const { return units_ == 0; }
  bool IsNegative() const { return units_ < 0; }
  double ToDouble() const;
  // The shortest exact text: no trailing zeros, no point for whole numbers ('0.3', '-2', '0').
  std::string ToString() const;
  // The value truncated toward zero, when it fits 64 bits.
  std::optional<int64_t> TruncatedInt() const;

  // Sums and products; nullopt when the result leaves the range (about ±1.7e28).
  static std::optional<Decimal> Add(Decimal a, Decimal b);
  static std::optional<Decimal> Subtract(Decimal a, Decimal b);
  // a × b and a ÷ b rounded half away from zero to `scale` decimals (up to 38), then, when
  // 0 <= then_scale < scale, rounded again to `then_scale` decimals (a write to a narrower column).
  // A result with non-zero digits past kScale is not held: nullopt, as for one beyond the range.
  // Division by zero is the caller's to refuse.
  static std::optional<Decimal> Multiply(Decimal a, Decimal b, int scale, int then_scale = -1);
  static std::optional<Decimal> Divide(Decimal a, Decimal b, int scale, int then_scale = -1);
  Decimal Negated() const { return Decimal(-units_); }
  // Rounded half away from zero to `scale` decimals; a negative scale rounds to tens, hundreds …
  std::optional<Decimal> Rounded(int scale) const;
  // Truncated toward zero to `scale` decimals.
  Decimal Truncated(int scale) const;
  // True when the value has at most precision - scale digits before the point.
  bool FitsIntegerDigits(int precision, int scale) const;

  // Big-endian bytes of the count with the sign bit flipped: byte-wise comparison of two encodings
  // orders them as the numbers.
  std::array<unsigned char, kEncodedSize> Encode() const;
  static Decimal Decode(const unsigned char* bytes);

  friend auto operator<=>(const Decimal&, const Decimal&) = default;

 private:
  explicit Decimal(Int128 units) : units_(units) {}
  Int128 units_ = 0;
};

}  // namespace cb
