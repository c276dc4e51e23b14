// The write-off of virtual stock: what a purchase in-stock bill receives from receipt notices, or
// an other in-stock bill from type 6 bills, leaves the source's row in POInventory.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

inline constexpr int32_t kVirtualStockError = -200022;

// For a type 1 bill with entries sourced from types 72 or 702, or a type 10 bill with entries
// sourced from type 6, moves each source row's POInventory balance by -GetQtyDirection times the
// received quantities, then checks the changed virtual rows: base 0 with secondary not 0 (-1),
// opposite signs (-1), negative (-1 when "IC|UnderStock" is not 1; 1 with the tip when
// "IC|ShowUnderTip" is 1; accepted when re-check bit 1 is set). Any other type, or a bill without
// such entries, returns 0 untouched. Every failure votes abort; a run-time error returns -200022
// with its description unless a code and message were already set.
[[nodiscard]] int32_t UpdateSourceVirtualStock(frame::ClassFrame& frame, const std::string& sDsn,
                                               const db::Recordset& rsBillHead, std::string& sMsg,
                                               int32_t lOperateCode, int32_t lReCheck,
                                               const Dictionary& dictSysProfile,
                                               const std::string& sLanguage,
                                               const db::ConnectionPtr& connection);

}  // namespace cb::stock
