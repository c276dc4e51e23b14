// CheckBill's places of the uncheck guards: the eight that run for a check or an uncheck after the
// person and partner guards, and the estimated-price guard of purchase receipts.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// For operations 1 and 2 only: the backflush, linked-bill, split-bill, vouchered,
// hooked-or-verified, order-affirm, verification and assembly guards in this order; kRefuse at the
// first negative code, which stays in lRet with the guard's text in sMsg.
[[nodiscard]] StepResult RunUncheckGuards(frame::ClassFrame& frame, const CallState& state,
                                          CheckOutcome& outcome);

// For a purchase receipt (head FTranType 1), whatever the operation: the estimated-price guard,
// which obtains its own connection from "PropString".
[[nodiscard]] StepResult RunEstimatedGuard(frame::ClassFrame& frame, const CallState& state,
                                           CheckOutcome& outcome);

}  // namespace cb::check
