// CheckBill's sequence of steps: each step lives in its own file; this one only orders them and
// chooses the exit.
#include "check/check_bill.h"

#include "check/call_state.h"
#include "check/check_flag_step.h"
#include "check/check_outcome.h"
#include "check/check_request.h"
#include "check/credit_step.h"
#include "check/flow_guards.h"
#include "check/flow_hooks.h"
#include "check/load_bill_rows.h"
#include "check/stock_write_backs.h"
#include "check/type_step.h"
#include "frame/hooks/hook_stage.h"
#include "frame/messages/messages.h"
#include "frame/profile/system_profile.h"
#include "platform/services/call_scope.h"
#include "platform/variant/error.h"

namespace cb::check {

namespace {

void LoadBill(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const CheckRequest& request = state.request;
  outcome.operation_name = messages::GetOperationName(request.OperateCode, outcome.language);
  state.sys_profile = profile::GetSystemProfile(frame, request.PropString, state.connection);
  const DictionaryPtr rows =
      LoadBillRows(frame, request.PropString, request.TransType, request.InterID, state.connection);
  state.bill_head = rows->Read(kRowsHead).As<db::Recordset>();
  state.bill_entry = rows->Read(kRowsEntry).As<db::Recordset>();
  if (state.bill_head == nullptr) {
    throw Error(kErrObjectRequired, "", "Object required: the bill has no head row");
  }
  outcome.bill_no = state.bill_head->Field("FBillNo").ToString();
}

// The steps in their order. A step answering false refuses: its code stays in outcome.lRet. Every
// step that writes comes after every guard, so a later refusal discards the earlier writes through
// the abort vote.
//
// Places of the steps this build does not have yet:
//  - after the opening guards: the configured-item batch check, then the multi-level check (which
//    may end the call with its own success exit, code 3);
//  - after the bill-status guard: the price alert (unless "ReCheck" bit 32), then for a check or
//    an uncheck the same-person, customer and supplier guards, the uncheck guards (backflush,
//    linked, split, vouchered, hooked or verified, order affirm, verification, change bill) and the
//    inspection-request guard; then for type 1 the estimated-price voucher guard;
//  - in the type step: the plan-price (65), item-inspection (46, 707-715), purchase-order affirm
//    (71) and invoice (75, 76, 80, 86, 77, 78) handlers;
//  - after the credit step: the sale and order price update;
//  - in the stock write-backs: the batch-trace binding and the purchase and sales order
//    write-backs, before the stage-200002 hooks;
//  - after the write-backs: the child-bill update (87), the ATP step (81), WriteBackStockProcess
//    (43, 40, 6, 26), WriteBackICMrpResult (70) and the purchase-request MRP close (71).
bool RunSteps(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  LoadBill(frame, state, outcome);
  if (!RunBillHookStep(frame, state, outcome)) return false;
  if (!RunStageHookStep(frame, hooks::kStageAfterLoad, state, outcome)) return false;
  LoadCurrentPeriod(frame, state);
  if (!RunOpeningGuards(state, outcome)) return false;
  if (!RunBillStatusGuard(state, outcome)) return false;
  PrepareStepDictionaries(state, outcome);
  if (!RunTypeStep(frame, state, outcome)) return false;
  if (!RunCreditStep(frame, state, outcome)) return false;
  if (!RunCheckFlagStep(state, outcome)) return false;
  if (!RunStockWriteBacks(frame, state, outcome)) return false;
  return RunStageHookStep(frame, hooks::kStageBeforeSuccess, state, outcome);
}

}  // namespace

int32_t CheckBill(frame::ClassFrame& frame, DictionaryPtr& DictParams, Variant& Rs) {
  if (DictParams == nullptr) throw Error(kErrObjectRequired, "", "Object required: DictParams");
  CallState state;
  CheckOutcome outcome;
  state.request = ReadCheckRequest(*DictParams);
  state.DictParams = DictParams.get();
  state.Rs = &Rs;
  state.connection = frame.GetConnection(state.request.PropString, false, nullptr);
  outcome.language = frame.security_info()->UserLanguage();
  state.checker_id = ResolveCheckerID(*DictParams, frame.security_info()->UserID());

  try {
    if (RunSteps(frame, state, outcome)) {
      WriteSuccess(frame, outcome, *DictParams);
    } else {
      WriteFailure(frame, outcome, *DictParams);
    }
    // The result stands only once the call's work is committed: a failed commit is an error.
    services::CallScope::EndOutermost();
  } catch (...) {
    WriteError(frame, outcome, *DictParams);
  }
  return 0;
}

}  // namespace cb::check
