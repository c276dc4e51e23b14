// The configured-item batch check among CheckBill's opening guards.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// Runs CheckConfigItemBatch with the head's FInterID and FTranType (Null read as 0); kRefuse on a
// negative code, which stays in lRet.
[[nodiscard]] StepResult RunConfigItemBatchGuard(frame::ClassFrame& frame, CallState& state,
                                                 CheckOutcome& outcome);

}  // namespace cb::check
