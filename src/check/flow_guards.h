// The guards CheckBill runs before anything is written: the current period, the period and
// voided-bill guards, and the bill-status guard.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// Reads the current period (year 0, the current rather than the start period) into the state. A
// profile that names no usable period leaves both dates at day 0; that is not a refusal.
void LoadCurrentPeriod(frame::ClassFrame& frame, CallState& state);

// The period guard, then the voided-bill guard; kRefuse at the first negative code, which
// stays in lRet. Raises cb::Error (object required) when the system profile holds none of the keys
// (an empty t_SystemProfile): CheckBill takes its error exit.
[[nodiscard]] StepResult RunOpeningGuards(const CallState& state, CheckOutcome& outcome);

// The bill-status guard. A negative code refuses a check always; any other operation goes on only
// for a sales out-stock bill (head FTranType 21) in status 3 (Null read as 0 for both), and then
// without the guard's refusal text.
[[nodiscard]] StepResult RunBillStatusGuard(CallState& state, CheckOutcome& outcome);

}  // namespace cb::check
