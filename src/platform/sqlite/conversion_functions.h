// SQL functions that give a value the server's meaning where SQLite would silently give another:
// text in integer arithmetic, and a scalar subquery that finds more than one row.
#pragma once

#include <sqlite3.h>

#include "platform/sqlite/sqlite_functions.h"

namespace cb::sqlite {

// Registers on the handle:
//   tsql_int(x)        x as the server converts it to int: blanks around digits are ignored, ''
//                      is 0, other text raises 245; numbers and NULL pass unchanged;
//   tsql_single(v, n)  v, unless n (the rows of the subquery that yields v) is more than 1, which
//                      raises 512.
// Errors land in `fault`. Returns an SQLite result code.
[[nodiscard]] int RegisterConversionFunctions(sqlite3* db, FunctionFault* fault);

}  // namespace cb::sqlite
