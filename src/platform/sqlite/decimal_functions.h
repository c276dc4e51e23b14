// The SQL functions through which SQLite stores, adds, multiplies, divides, rounds and sums DECIMAL
// values exactly: each value is a 16-byte blob (Decimal::Encode) that sorts as the numbers do.
#pragma once

#include <sqlite3.h>

#include <optional>

#include "platform/sqlite/sqlite_functions.h"
#include "platform/variant/decimal.h"

namespace cb::sqlite {

// The decimal a stored value stands for: a decimal blob, an integer, a real (its shortest decimal
// form) or numeric text; nullopt for NULL and for text or blobs that are not numbers.
std::optional<Decimal> ValueAsDecimal(sqlite3_value* value);

// Registers on the handle (every argument may be a decimal blob, an integer, a real or text):
//   dec(x)                  x as a decimal;
//   dec(x, p, s)            x converted to DECIMAL(p,s): rounded half away from zero, 8115 when it
//                           has more than p - s integer digits;
//   dec_add(a, b), dec_sub(a, b), dec_mul(a, b, s), dec_div(a, b, s)   the result at scale s
//                           (8134 for a zero divisor, 8115 on overflow and for a result with
//                           digits past the 10 decimals a value holds); with two more arguments
//                           (p, s) the result is also written to DECIMAL(p,s) as dec(x, p, s) does,
//                           a product or quotient rounded from its own scale to the column's;
//   dec_neg(a), dec_abs(a), dec_round(a, n)   sign change, magnitude, ROUND;
//   dec_float(a), dec_int(a), dec_text(a, s)  a decimal as a real, as an integer (truncated, 8115
//                           beyond 64 bits) and as text with s decimals;
//   dec_sum(x), dec_avg(x, s)                 aggregates over decimals (NULLs skipped).
// Text that is not a number raises 8114. Errors land in `fault`. Returns an SQLite result code.
[[nodiscard]] int RegisterDecimalFunctions(sqlite3* db, FunctionFault* fault);

}  // namespace cb::sqlite
