// The collation and SQL functions every connection registers so that SQLite compares, rounds and
// divides the way the suite's database does.
#pragma once

#include <sqlite3.h>

#include <span>
#include <string_view>

#include "platform/db/database_error.h"

namespace cb::sqlite {

// The collation name the dialect layer puts on every text column.
inline constexpr std::string_view kCollationName = "TSQLCI";

// Compares two texts ignoring ASCII case and trailing blanks: 'B1', 'b1' and 'B1 ' are equal.
// Returns <0, 0 or >0 as the collation callback must.
int CompareCaseInsensitiveTrimmed(std::string_view a, std::string_view b);

// An error a registered function raised while a statement ran: the statement's error is then
// reported with this kind and native code instead of the generic ones.
struct FunctionFault {
  bool raised = false;
  db::DbErrorKind kind = db::DbErrorKind::kOther;
  int native_error = 0;
};

// A deterministic scalar function: its SQL name, argument count and body.
struct ScalarFunction {
  const char* name;
  int argc;
  void (*body)(sqlite3_context*, int, sqlite3_value**);
};

// Registers each function with `fault` as its user data, stopping at the first failure. Returns an
// SQLite result code.
[[nodiscard]] int RegisterScalarFunctions(sqlite3* db, FunctionFault* fault,
                                          std::span<const ScalarFunction> functions);

// Registers TSQLCI, tsql_div(a,b), getdate(), the decimal functions (decimal_functions.h) and the
// conversion functions (conversion_functions.h) on the handle. `fault` receives the
// details of errors the functions raise; it must outlive the handle. Returns an SQLite result code.
[[nodiscard]] int RegisterFunctions(sqlite3* db, FunctionFault* fault);

}  // namespace cb::sqlite
