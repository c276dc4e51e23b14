// The write-backs of stock bills that follow the check flag: the customer-BOM batch binding, the
// order write-backs and the stage-200002 hooks.
#pragma once

#include "check/call_state.h"
#include "check/check_outcome.h"
#include "frame/class_frame.h"

namespace cb::check {

// True when the write-backs apply: the head's FTranType moves stock, the system had started up
// before the bill's date, and the operation is the one that moves the bill's stock (a save,
// delete, void or restore when the head's FUpStockWhenSave is true; a check or uncheck when it is
// false).
[[nodiscard]] bool WriteBacksApply(const CallState& state);

// Tests whether the batch trace is in force; then, when the write-backs apply, runs the batch
// binding (when in force), the order write-backs and the stage-200002 hooks; kRefuse on a negative
// code.
[[nodiscard]] StepResult RunStockWriteBacks(frame::ClassFrame& frame, CallState& state,
                                            CheckOutcome& outcome);

}  // namespace cb::check
