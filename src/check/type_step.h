// The type-specific step of CheckBill: the dictionaries the handlers share, and the handler chosen
// by the transaction type.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// Works out "bBeforeSystemStartUp" and builds dictStepParams and dictResult into the state.
void PrepareStepDictionaries(CallState& state, const CheckOutcome& outcome);

// Runs the handler of the transaction type: the stock driver for stock bills (copying
// "ShowUnderTip" and "ShowStockWarnTip" of dictResult to DictParams when dictResult holds them).
// The plan-price (65), item-inspection (46, 707-715), purchase-order affirm (71) and invoice (75,
// 76, 77, 78, 80, 86) handlers are not built yet: those types are refused with code -1 and a text
// naming the type. Every type without a handler by the rules (85, 87, any other) counts as
// succeeded. Skipped, as succeeded, when the system is
// initialised (IC|ICClosed) and the bill is dated before the current period. After a handler:
// lRet := dictResult "ReturnCode", its "ReturnString" goes in front of sMsg, the item information
// becomes its "VectItemInfo", and DictParams "vectDeleteItem" its "vectDeleteItem" (Nothing when
// absent). kRefuse when the handler answered false.
[[nodiscard]] StepResult RunTypeStep(frame::ClassFrame& frame, CallState& state,
                                     CheckOutcome& outcome);

}  // namespace cb::check
