// The type-specific step of CheckBill.
#include "check/type_step.h"

#include <cmath>

#include "check/step_dictionaries.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/trans_types.h"
#include "stock/update_bill_stock.h"

namespace cb::check {

namespace {

// The head's FDate as a day number; a Null date reads as the platform's earliest date.
double BillDate(const db::Recordset& head) {
  const Variant date = head.Field("FDate");
  return std::floor(date.IsNull() ? Variant("1900-01-01").ToDate() : date.ToDate());
}

bool RunStockDriver(frame::ClassFrame& frame, CallState& state) {
  const bool ok = stock::UpdateBillStock(frame, state.request.PropString, *state.step_params,
                                         *state.step_result, state.connection, state.Rs);
  for (std::string_view key : {kResultShowUnderTip, kResultShowStockWarnTip}) {
    if (state.step_result->Exists(key)) state.DictParams->Write(key, state.step_result->Read(key));
  }
  return ok;
}

}  // namespace

bool IsStockBillType(int32_t tran_type) {
  return kStockBillTypes.Contains(tran_type);
}

void PrepareStepDictionaries(CallState& state, const CheckOutcome& outcome) {
  state.before_system_start_up =
      IsBeforeSystemStartUp(state.sys_profile, BillDate(*state.bill_head), state.period_start);
  StepContext context;
  context.language = outcome.language;
  context.checker_id = state.checker_id;
  context.before_system_start_up = state.before_system_start_up;
  context.bill_head = state.bill_head;
  context.bill_entry = state.bill_entry;
  context.period_start = state.period_start;
  context.period_end = state.period_end;
  context.sys_profile = state.sys_profile;
  state.step_params = BuildStepParams(state.request, context, *state.DictParams);
  state.step_result = NewStepResult();
}

bool RunTypeStep(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const bool initialised = ProfileSwitch(*state.sys_profile, kProfileICClosed);
  if (initialised && BillDate(*state.bill_head) < state.period_start) return true;

  // Types without a handler of their own (85, 87 and every type not listed) succeed as they are.
  const bool ok = IsStockBillType(state.request.TransType) ? RunStockDriver(frame, state) : true;

  const Dictionary& result = *state.step_result;
  outcome.lRet = result.Read(kResultReturnCode).ToInt32();
  outcome.sMsg = result.Read(kResultReturnString).ToString() + outcome.sMsg;
  outcome.item_info = result.Read(kResultVectItemInfo).As<Vector>();
  state.DictParams->Write(kOutVectDeleteItem, result.Exists(kResultVectDeleteItem)
                                                  ? result.Read(kResultVectDeleteItem)
                                                  : Variant(ObjectPtr()));
  return ok;
}

}  // namespace cb::check
