// The check-flag step of CheckBill: records checker, date and status for a check or an uncheck.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"

namespace cb::check {

// For a check or an uncheck: dictResult becomes a new Dictionary ("ReturnString" "", "ReturnCode"
// 0) and the head's check flag is written with the checker and "CheckDate". kRefuse on a
// negative code. Other operations pass untouched.
[[nodiscard]] StepResult RunCheckFlagStep(CallState& state, CheckOutcome& outcome);

}  // namespace cb::check
