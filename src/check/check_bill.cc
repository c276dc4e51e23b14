// CheckBill's sequence of steps: each step lives in its own file; this one only orders them and
// chooses the exit.
#include "check/check_bill.h"

#include <functional>

#include "check/call_state.h"
#include "check/check_flag_step.h"
#include "check/check_outcome.h"
#include "check/check_request.h"
#include "check/configured_batch_guard.h"
#include "check/credit_step.h"
#include "check/flow_guards.h"
#include "check/flow_hooks.h"
#include "check/load_bill_rows.h"
#include "check/person_partner_step.h"
#include "check/stock_write_backs.h"
#include "check/type_step.h"
#include "check/uncheck_steps.h"
#include "frame/hooks/hook_stage.h"
#include "frame/messages/messages.h"
#include "frame/profile/system_profile.h"
#include "platform/services/call_scope.h"
#include "platform/variant/error.h"

namespace cb::check {

namespace {

void LoadBill(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.call.request;
  outcome.operation_name = messages::GetOperationName(request.OperateCode, outcome.language);
  state.bill.sys_profile =
      profile::GetSystemProfile(frame, request.PropString, state.call.connection);
  const DictionaryPtr rows = LoadBillRows(frame, request.PropString, request.TransType,
                                          request.InterID, state.call.connection);
  state.bill.head = rows->Read(kRowsHead).As<db::Recordset>();
  state.bill.entry = rows->Read(kRowsEntry).As<db::Recordset>();
  if (state.bill.head == nullptr) {
    throw Error(kErrObjectRequired, "", "Object required: the bill has no head row");
  }
  outcome.bill_no = state.bill.head->Field("FBillNo").ToString();
}

// The steps in their order. A step that does not go on ends the call: a refusal keeps its code in
// outcome.lRet, a finished call takes the step's own success exit. Every step that writes comes
// after every guard, so a later refusal discards the earlier writes through the abort vote.
//
// Places of the steps this build does not have yet:
//  - after the configured-item batch check: the multi-level check (which may end the call with its
//    own success exit, code 3);
//  - between the uncheck guards and the estimated-price guard: the inspection-request guard;
//  - in the type step: the plan-price (65), item-inspection (46, 707-715), purchase-order affirm
//    (71) and invoice (75, 76, 80, 86, 77, 78) handlers, whose types the type step refuses
//    meanwhile;
//  - after the credit step: the sale and order price update;
//  - after the write-backs: the child-bill update (87), the ATP step (81), WriteBackStockProcess
//    (43, 40, 6, 26), WriteBackICMrpResult (70) and the purchase-request MRP close (71).
StepResult RunSteps(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  LoadBill(frame, state, outcome);
  const std::function<StepResult()> steps[] = {
      [&] { return RunBillHookStep(frame, state, outcome); },
      [&] { return RunStageHookStep(frame, hooks::kStageAfterLoad, state, outcome); },
      [&] {
        LoadCurrentPeriod(frame, state);
        return RunOpeningGuards(state, outcome);
      },
      [&] { return RunConfigItemBatchGuard(frame, state, outcome); },
      [&] { return RunBillStatusGuard(state, outcome); },
      [&] { return RunPersonAndPartnerGuards(state, outcome); },
      [&] { return RunUncheckGuards(frame, state, outcome); },
      // The inspection-request guard takes its place here.
      [&] { return RunEstimatedGuard(frame, state, outcome); },
      [&] {
        PrepareStepDictionaries(state, outcome);
        return RunTypeStep(frame, state, outcome);
      },
      [&] { return RunCreditStep(frame, state, outcome); },
      [&] { return RunCheckFlagStep(state, outcome); },
      [&] { return RunStockWriteBacks(frame, state, outcome); },
      [&] { return RunStageHookStep(frame, hooks::kStageBeforeSuccess, state, outcome); },
  };
  for (const std::function<StepResult()>& step : steps) {
    const StepResult result = step();
    if (result != StepResult::kGoOn) return result;
  }
  return StepResult::kGoOn;
}

}  // namespace

int32_t CheckBill(frame::ClassFrame& frame, DictionaryPtr& DictParams, Variant& Rs) {
  if (DictParams == nullptr) throw Error(kErrObjectRequired, "", "Object required: DictParams");
  CallState state;
  CheckOutcome outcome;
  state.call.request = ReadCheckRequest(*DictParams);
  state.call.DictParams = DictParams.get();
  state.call.Rs = &Rs;
  state.call.connection = frame.GetConnection(state.call.request.PropString, false, nullptr);
  outcome.language = frame.security_info()->UserLanguage();
  state.call.checker_id = ResolveCheckerID(*DictParams, frame.security_info()->UserID());

  try {
    switch (RunSteps(frame, state, outcome)) {
      case StepResult::kGoOn:
        WriteSuccess(frame, outcome, *DictParams);
        break;
      case StepResult::kRefuse:
        WriteFailure(frame, outcome, *DictParams);
        break;
      case StepResult::kFinished:  // only the multi-level check finishes a call early
        WriteMultiLevelSuccess(frame, outcome, *DictParams);
        break;
    }
    // The result stands only once the call's work is committed: a failed commit is an error.
    services::CallScope::EndOutermost();
  } catch (...) {
    WriteError(frame, outcome, *DictParams);
  }
  return 0;
}

}  // namespace cb::check
