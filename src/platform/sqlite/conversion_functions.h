// SQL functions that give a value the server's meaning where SQLite would silently give another:
// text in integer arithmetic, a scalar subquery that finds more than one row, and values written to
// character, bit and date columns.
#pragma once

#include <sqlite3.h>

#include "platform/sqlite/sqlite_functions.h"

namespace cb::sqlite {

// Registers on the handle:
//   tsql_int(x)        x as the server converts it to int: blanks around digits are ignored, ''
//                      is 0, other text raises 245; numbers and NULL pass unchanged;
//   tsql_single(v, n)  v, unless n (the rows of the subquery that yields v) is more than 1, which
//                      raises 512;
//   tsql_text(x, n)    text x for a column of n characters: trailing blanks past n are cut, any
//                      other excess raises 8152; other values pass unchanged;
//   tsql_text(x, n, 1) the same for a CHAR(n) column: shorter text is padded with blanks to n;
//   tsql_bit(x)        x as a bit: non-zero numbers are 1, 'true'/'false' in any case 1/0, text
//                      digits by their value, other text raises 245;
//   tsql_datetime(x)   x in the stored date form (stored_datetime.h): text as the server reads a
//                      date literal (241 for other text, 242 outside the type's years), a number
//                      as days after 1900-01-01 (8115 outside the type's range).
// Errors land in `fault`. Returns an SQLite result code.
[[nodiscard]] int RegisterConversionFunctions(sqlite3* db, FunctionFault* fault);

}  // namespace cb::sqlite
