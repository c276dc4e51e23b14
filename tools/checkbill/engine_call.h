// Calls the engine's bill check from the tool: data source strings for the engine and one call of
// CheckNow.CheckBill.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "checkbill/values.h"

namespace cb::tool {

// The user the tool's bill verbs act as when neither --user nor the data source names one.
inline constexpr int32_t kDefaultUserID = 16;

// dsn with "UserID" (user_id, else kDefaultUserID) and "Language=en" appended when it names
// neither; a UserID or Language already in dsn is kept. Raises cb::Error for a string that cannot
// be read.
std::string EngineDsn(std::string_view dsn, std::optional<int32_t> user_id);

// Runs CheckNow.CheckBill on params (which it changes: the results are written into it). Raises
// cb::Error when the engine raises, i.e. before the bill's data source is open.
void CallCheckBill(DictionaryPtr& params);

// Today's date as 'YYYY-MM-DD' (UTC).
std::string TodayText();

}  // namespace cb::tool
