// The check-flag writer: records the checker, the check date and the status in the bill's head row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/variant.h"

namespace cb::rules {

inline constexpr int32_t kCheckFlagFailed = -200028;

// Operation 1 writes status 1, the checker (Null for 0) and the day of `check_date` (the server's
// date when it is Null); any other operation writes status 0 and clears checker and date. Reads
// FInterID and FTranType from the head's current row. Returns 0, or kCheckFlagFailed with `message`
// = the localised "error while updating the check flag" followed by the error's description. Does
// not test how many rows changed.
int32_t UpdateCheckFlag(db::Connection& connection, const db::Recordset& head, int32_t checker_id,
                        const Variant& check_date, int32_t operation, std::string& message,
                        std::string_view language);

}  // namespace cb::rules
