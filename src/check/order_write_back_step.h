// The order write-backs among the write-backs of stock bills.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// For a head FTranType of 1 or 10 the purchase-order write-back, for 21 or 29 the sales-order one;
// nothing for other types. Their texts follow sMsg; a negative code refuses with it in lRet.
[[nodiscard]] StepResult RunOrderWriteBack(frame::ClassFrame& frame, CallState& state,
                                           CheckOutcome& outcome);

}  // namespace cb::check
