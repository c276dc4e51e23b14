// The check-flag step of CheckBill.
#include "check/check_flag_step.h"

#include "check/step_dictionaries.h"
#include "rules/update_check_flag.h"

namespace cb::check {

StepResult RunCheckFlagStep(CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.call.request;
  if (!IsCheckOrUnCheck(request.OperateCode)) return StepResult::kGoOn;
  state.steps.result = Dictionary::Create();
  state.steps.result->Write(kResultReturnString, "");
  state.steps.result->Write(kResultReturnCode, int32_t{0});
  // The request reader has already refused a Null "CheckDate": the date is always set here.
  outcome.lRet = rules::UpdateCheckFlag(*state.call.connection, *state.bill.head,
                                        state.call.checker_id, Variant::Date(request.CheckDate),
                                        request.OperateCode, outcome.sMsg, outcome.language);
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
