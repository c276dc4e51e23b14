// The hook steps of CheckBill.
#include "check/flow_hooks.h"

#include "check/step_dictionaries.h"
#include "frame/hooks/bill_hooks.h"
#include "frame/hooks/hook_stage.h"
#include "frame/hooks/third_party_components.h"

namespace cb::check {

bool RunBillHookStep(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  state.dict_hook = BuildHookDictionary(state.request, state.bill_head);
  hooks::RunThirdPartyHooks(frame, state.request.PropString, hooks::kHookTypeBill,
                            state.request.TransType, hooks::kWhichComponentSrv, state.dict_hook,
                            outcome.lRet, outcome.sMsg);
  return outcome.lRet >= 0;
}

bool RunStageHookStep(frame::ClassFrame& frame, int32_t stage, CallState& state,
                      CheckOutcome& outcome) {
  outcome.lRet = hooks::RunHookStage(frame, stage, state.dict_hook, outcome.sMsg, state.connection,
                                     outcome.language);
  if (stage == hooks::kStageBeforeSuccess) return outcome.lRet == 0;
  return outcome.lRet >= 0;
}

}  // namespace cb::check
