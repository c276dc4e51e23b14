// The customer-BOM batch trace among the write-backs of stock bills.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// Whether the batch trace is in force for this call (IsBatchTraceInUse).
[[nodiscard]] bool BatchTraceInUse(frame::ClassFrame& frame, const CallState& state);

// BindCustomerBomBatch with dictStepParams and dictResult; its text follows sMsg, and a negative
// code refuses with it in lRet.
[[nodiscard]] StepResult RunBatchTraceBinding(frame::ClassFrame& frame, CallState& state,
                                              CheckOutcome& outcome);

}  // namespace cb::check
