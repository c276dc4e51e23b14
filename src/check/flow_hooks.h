// The hook steps of CheckBill: the bill hooks of the transaction type and the stage hooks.
#pragma once

#include <cstdint>

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// Builds dictHook and runs the type-9 hooks with the transaction type as detail. kRefuse
// when lRet ends negative.
[[nodiscard]] StepResult RunBillHookStep(frame::ClassFrame& frame, CallState& state,
                                         CheckOutcome& outcome);

// Runs the type-2 hooks of `stage`; lRet takes the stage's code. Refuses on a negative
// code, and at the last stage (200003) on any code other than 0.
[[nodiscard]] StepResult RunStageHookStep(frame::ClassFrame& frame, int32_t stage, CallState& state,
                                          CheckOutcome& outcome);

}  // namespace cb::check
