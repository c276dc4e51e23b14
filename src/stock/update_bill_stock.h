// UpdateBillStock: the stock update driver that CheckBill runs for stock bills. It moves the bill's
// quantities into ICInventory or POInventory and runs the stock checks around that move.
#pragma once

#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/variant.h"

namespace cb::stock {

// Reads from dictStepParams "OperateCode", "InterID", "TransType", "ReCheck", "PropString" (the
// data source used for every step, in place of sDsn), "DictSysProfile", "rsBillHead", "Language"
// and, when present, "YesWhenStockWarnTip", "YesWhenUnderTip" and "vectDeleteItem".
//
// A check or uncheck of a bill that moves stock on save, or a save, delete, void or un-void of one
// that does not, changes nothing and succeeds. Otherwise, in order: #TempBill, the safety-stock
// alert (unless ReCheck has bit 2 or 8), the stock rows for "vectDeleteItem" (ReCheck bit 8), the
// lookups, the pre-update check (unless bit 8), the balance update, lock stock (when in use: the
// check unless bit 4, else the release unless bit 8), the virtual-stock write-off and the removed-
// rows check.
//
// dictResult gets "vectDeleteItem" (the stock rows, or Nothing), "ShowStockWarnTip" and
// "ShowUnderTip" (each only when dictResult already holds it) and "ReturnCode" 0 on success; on a
// refusal or error "ReturnCode" (the step's code, -1 after a run-time error), "ReturnString" (the
// steps' message; after a run-time error followed by CR LF CR LF and the description) and
// "VectItemInfo" (the alert's rows, Nothing when it did not run). Votes commit on success and abort
// on failure; #TempBill is dropped on both. Rs, when given, receives the pre-update check's result
// rows. Returns true on success. Nothing raises.
[[nodiscard]] bool UpdateBillStock(frame::ClassFrame& frame, const std::string& sDsn,
                                   Dictionary& dictStepParams, Dictionary& dictResult,
                                   const db::ConnectionPtr& connection, Variant* Rs);

}  // namespace cb::stock
