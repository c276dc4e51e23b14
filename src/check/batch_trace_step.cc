// The customer-BOM batch trace step of CheckBill.
#include "check/batch_trace_step.h"

#include "batch/batch_trace.h"

namespace cb::check {

bool BatchTraceInUse(frame::ClassFrame& frame, const CallState& state) {
  // The profile is never missing here: the opening guards refuse a call without one.
  return batch::IsBatchTraceInUse(frame, state.call.request.PropString, *state.bill.sys_profile,
                                  state.call.connection);
}

StepResult RunBatchTraceBinding(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  std::string message;
  outcome.lRet = batch::BindCustomerBomBatch(frame, state.call.connection, *state.steps.params,
                                             *state.steps.result, message);
  outcome.sMsg += message;
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
