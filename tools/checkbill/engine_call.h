// Calls the engine's bill check from the tool: the data source string the engine gets, the checker
// a bill is checked by, and one call of CheckNow.CheckBill.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "checkbill/values.h"

namespace cb::tool {

// dsn with "UserID=user" appended when dsn names no user and user is given, and "Language=en" when
// it names no language. Raises UsageError for a "Language" no catalogue serves, and cb::Error for a
// string that cannot be read.
std::string EngineDsn(std::string_view dsn, std::optional<int32_t> user);

// The checker of a bill operation: user when given, otherwise the data source's "UserID". Raises
// UsageError unless that is a positive id: user 0 or a missing user would let a check be repeated
// and never undone.
int32_t CheckerOf(std::string_view dsn, std::optional<int32_t> user);

// Runs CheckNow.CheckBill on params (which it changes: the results are written into it). Raises
// cb::Error when the engine raises, i.e. before the bill's data source is open.
void CallCheckBill(DictionaryPtr& params);

// Today's date as 'YYYY-MM-DD' (UTC).
std::string TodayText();

}  // namespace cb::tool
