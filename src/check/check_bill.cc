// CheckBill's sequence of steps, its refusals and its error exit.
#include "check/check_bill.h"

#include "check/check_outcome.h"
#include "check/check_request.h"
#include "check/check_result.h"
#include "check/load_bill_rows.h"
#include "check/step_dictionaries.h"
#include "frame/hooks/bill_hooks.h"
#include "frame/hooks/hook_stage.h"
#include "frame/hooks/third_party_components.h"
#include "frame/messages/messages.h"
#include "frame/not_available.h"
#include "frame/profile/system_profile.h"

namespace cb::check {

namespace {

// What the steps share during one call.
struct CallState {
  CheckRequest request;
  db::ConnectionPtr connection;
  int32_t checker_id = 0;
  DictionaryPtr sys_profile;
  db::RecordsetPtr bill_head;
  db::RecordsetPtr bill_entry;
  DictionaryPtr dict_hook;
};

// Steps that may refuse answer true to go on; false leaves the refusal code in outcome.lRet.
bool RunSteps(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
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

  state.dict_hook = BuildHookDictionary(request, state.bill_head);
  hooks::RunThirdPartyHooks(frame, request.PropString, hooks::kHookTypeBill, request.TransType,
                            hooks::kWhichComponentSrv, state.dict_hook, outcome.lRet, outcome.sMsg);
  if (outcome.lRet < 0) return false;

  outcome.lRet = hooks::RunHookStage(frame, hooks::kStageAfterLoad, state.dict_hook, outcome.sMsg,
                                     state.connection, outcome.language);
  if (outcome.lRet < 0) return false;

  // The guards, the type-specific step and the write-backs follow here once they are built.
  frame::RaiseNotAvailable("CheckNow.CheckBill");
}

}  // namespace

int32_t CheckBill(frame::ClassFrame& frame, DictionaryPtr& DictParams, Variant& /*Rs*/) {
  if (DictParams == nullptr) throw Error(kErrObjectRequired, "", "Object required: DictParams");
  CallState state;
  CheckOutcome outcome;
  state.request = ReadCheckRequest(*DictParams);
  state.connection = frame.GetConnection(state.request.PropString, false, nullptr);
  outcome.language = frame.security_info()->UserLanguage();
  state.checker_id = ResolveCheckerID(*DictParams, frame.security_info()->UserID());

  try {
    if (!RunSteps(frame, state, outcome)) WriteFailure(frame, outcome, *DictParams);
  } catch (...) {
    WriteError(frame, outcome, *DictParams);
  }
  return 0;
}

}  // namespace cb::check
