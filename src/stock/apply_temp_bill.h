// Adds the signed rows of #TempBill into the inventory table of the bill's transaction type.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"

namespace cb::stock {

// One batch on GetInventoryTable(lTranType): adds the per-key sums of #TempBill to the existing
// inventory rows, removes those #TempBill rows, and inserts the remaining keys as new rows (FBrNo
// ''). Rows whose stock is not in t_Stock change nothing and stay in #TempBill. Returns true when
// it FAILED, with the error's description in sMsg; false on success.
[[nodiscard]] bool ApplyTempBill(frame::ClassFrame& frame, const std::string& sDsn,
                                 int32_t lTranType, std::string& sMsg,
                                 const db::ConnectionPtr& connection);

}  // namespace cb::stock
