// The hook steps of CheckBill.
#include "check/flow_hooks.h"

#include "check/step_dictionaries.h"
#include "frame/hooks/bill_hooks.h"
#include "frame/hooks/hook_stage.h"
#include "frame/hooks/third_party_components.h"

namespace cb::check {

StepResult RunBillHookStep(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  state.hooks.dict_hook = BuildHookDictionary(state.call.request, state.bill.head);
  hooks::RunThirdPartyHooks(frame, state.call.request.PropString, hooks::kHookTypeBill,
                            state.call.request.TransType, hooks::kWhichComponentSrv,
                            state.hooks.dict_hook, outcome.lRet, outcome.sMsg);
  return GoOnIf(outcome.lRet >= 0);
}

StepResult RunStageHookStep(frame::ClassFrame& frame, int32_t stage, CallState& state,
                            CheckOutcome& outcome) {
  outcome.lRet = hooks::RunHookStage(frame, stage, state.hooks.dict_hook, outcome.sMsg,
                                     state.call.connection, outcome.language);
  if (stage == hooks::kStageBeforeSuccess) return GoOnIf(outcome.lRet == 0);
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
