// Maps SQLite result codes and messages to the database errors the engine sees: a kind, the native
// code the suite's database would report, and its description.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/database_error.h"

namespace cb::sqlite {

// The source every error of this backend carries.
inline constexpr std::string_view kErrorSource = "SQLite";

// Builds the error for an extended result code and SQLite's own message, for the native statement
// `statement`. Known failures get the suite database's numbers and texts (no such table -> 208
// "Invalid object name 'X'.", ambiguous column -> 209, NOT NULL -> 515, duplicate key -> 2627,
// locked -> kBusy 1222 …); any other statement failure is kOther 50000 with a description naming
// only the native code, so no SQLite text reaches a caller. Open failures keep SQLite's message.
db::DbError MapSqliteError(int extended_code, std::string_view message, std::string_view statement);

}  // namespace cb::sqlite
