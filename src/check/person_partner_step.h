// The price-alert, same-person, customer and supplier guards as one step of CheckBill.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"

namespace cb::check {

// The price alert unless "ReCheck" has its bit set (its list becomes the call's item information),
// then, for a check or an uncheck, the same-person, customer and supplier guards; kRefuse at the
// first negative code, which stays in lRet.
[[nodiscard]] StepResult RunPersonAndPartnerGuards(CallState& state, CheckOutcome& outcome);

}  // namespace cb::check
