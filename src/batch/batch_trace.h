// The customer-BOM batch trace: whether it is in force, and the binding of a stock bill's batches
// of configured items to their customer bills of materials.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::batch {

// The refusal code of BindCustomerBomBatch.
inline constexpr int32_t kBatchTraceRefused = -200024;

// True when ICOrderBatchTrace holds any row; otherwise whether "IC|UseOrderBatchTrace" (default 0)
// is on. The connection comes from GetConnection; database errors raise cb::Error.
[[nodiscard]] bool IsBatchTraceInUse(frame::ClassFrame& frame, const std::string& sDsn,
                                     const Dictionary& dictSysProfile,
                                     const db::ConnectionPtr& connection);

// Binds the configured-item lines (item class 7) of the bill named by dictStepParams ("InterID",
// "TransType", "rsBillHead" for FROB, "Language") to their customer BOMs:
//  - receipts, issues, counts and transfers (1, 10, 29, 40, 41, 43): every batch must have an
//    active trace row;
//  - product and process receipts (2, 5): a blue bill registers the bindings its production orders
//    and sales-order lines make (re-enabling disabled ones) after refusing batches bound to another
//    customer BOM; every other line, and every line of a red bill, must have an active binding;
//  - sales deliveries (21): every line must have a binding, and one not linked to an order an
//    active one.
// Returns 0 (also for a bill without configured items and for other types), -200024 on a refusal
// (the message names the first offending row's item), -1 on a database error (the message is the
// error's description). sMsg starts empty; dictResult gets "ReturnCode" and "ReturnString".
[[nodiscard]] int32_t BindCustomerBomBatch(frame::ClassFrame& frame,
                                           const db::ConnectionPtr& connection,
                                           const Dictionary& dictStepParams, Dictionary& dictResult,
                                           std::string& sMsg);

}  // namespace cb::batch
