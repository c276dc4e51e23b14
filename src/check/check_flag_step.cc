// The check-flag step of CheckBill.
#include "check/check_flag_step.h"

#include "check/step_dictionaries.h"
#include "rules/update_check_flag.h"

namespace cb::check {

bool RunCheckFlagStep(CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.request;
  if (!IsCheckOrUnCheck(request.OperateCode)) return true;
  state.step_result = Dictionary::Create();
  state.step_result->Write(kResultReturnString, "");
  state.step_result->Write(kResultReturnCode, int32_t{0});
  // The request reader has already refused a Null "CheckDate": the date is always set here.
  outcome.lRet = rules::UpdateCheckFlag(*state.connection, *state.bill_head, state.checker_id,
                                        Variant::Date(request.CheckDate), request.OperateCode,
                                        outcome.sMsg, outcome.language);
  return outcome.lRet >= 0;
}

}  // namespace cb::check
