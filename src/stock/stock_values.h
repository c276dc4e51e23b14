// Small readers shared by the stock steps: profile switches, re-check bits, trimmed field texts and
// the way numbers are spliced into statements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

// Lines of one batch are joined by CR LF.
inline constexpr std::string_view kCrLf = "\r\n";

// Bits of "ReCheck" that the stock steps read.
inline constexpr int32_t kReCheckNegativeAccepted = 1;  // a negative balance was accepted
inline constexpr int32_t kReCheckSkipAlert = 2;
inline constexpr int32_t kReCheckSkipLock = 4;
inline constexpr int32_t kReCheckRemovedRows = 8;

[[nodiscard]] inline bool HasBit(int32_t flags, int32_t bit) {
  return (flags & bit) != 0;
}

// The numeric value of a profile entry ("1", 1, True …); default_value when the profile lacks the
// key or the value is Null or not a number.
[[nodiscard]] double ProfileNumber(const Dictionary& profile, std::string_view key,
                                   double default_value = 0);

// A value of a by-name Dictionary entry as a 32-bit integer; default_value when absent, Empty or
// Null.
[[nodiscard]] int32_t ReadInt(const Dictionary& dictionary, std::string_view key,
                              int32_t default_value = 0);

// The current row's field as text with leading and trailing blanks removed; "" for Null.
[[nodiscard]] std::string FieldText(const db::Recordset& rows, std::string_view name);

// The current row's field as a number; default_value for Null.
[[nodiscard]] double FieldNumber(const db::Recordset& rows, std::string_view name,
                                 double default_value = 0);

// Text without leading and trailing blanks.
[[nodiscard]] std::string Trim(std::string_view text);

// A string literal for a statement: the text in single quotes, inner quotes doubled.
[[nodiscard]] std::string QuoteText(std::string_view text);

}  // namespace cb::stock
