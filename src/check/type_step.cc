// The type-specific step of CheckBill: a table from transaction-type sets to their handlers.
#include "check/type_step.h"

#include <cmath>

#include "check/step_dictionaries.h"
#include "frame/messages/messages.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/return_code.h"
#include "frame/vocabulary/trans_types.h"
#include "stock/update_bill_stock.h"

namespace cb::check {

namespace {

// Refusal text of a type whose handler this build does not have; %1 is the transaction type.
constexpr std::string_view kTextHandlerNotBuilt = "事务类型%1的单据处理尚未提供，不能继续!";

// The head's FDate as a day number; a Null date reads as the platform's earliest date.
double BillDate(const db::Recordset& head) {
  const Variant date = head.Field("FDate");
  return std::floor(date.IsNull() ? Variant("1900-01-01").ToDate() : date.ToDate());
}

bool RunStockDriver(frame::ClassFrame& frame, CallState& state, const CheckOutcome& /*outcome*/) {
  const bool ok = stock::UpdateBillStock(frame, state.request.PropString, *state.step_params,
                                         *state.step_result, state.connection, state.Rs);
  for (std::string_view key : {kResultShowUnderTip, kResultShowStockWarnTip}) {
    if (state.step_result->Exists(key)) state.DictParams->Write(key, state.step_result->Read(key));
  }
  return ok;
}

// A type whose handler has not been built is refused rather than checked without its rules.
bool RefuseHandlerNotBuilt(frame::ClassFrame& /*frame*/, CallState& state,
                           const CheckOutcome& outcome) {
  Dictionary& result = *state.step_result;
  result.Write(kResultReturnCode, ToInt(ReturnCode::kFailed));
  result.Write(kResultReturnString, messages::FormatString(kTextHandlerNotBuilt, outcome.language,
                                                           {Variant(state.request.TransType)}));
  return false;
}

struct TypeHandler {
  bool (*handles)(int32_t tran_type);
  bool (*run)(frame::ClassFrame& frame, CallState& state, const CheckOutcome& outcome);
};

// The handlers by transaction type, first match wins. Types not listed (85, 87 and every other)
// have no handler by the rules and succeed as they are.
constexpr TypeHandler kTypeHandlers[] = {
    {[](int32_t type) { return kStockBillTypes.Contains(type); }, RunStockDriver},
    {[](int32_t type) { return type == ChangePrice; }, RefuseHandlerNotBuilt},
    {[](int32_t type) { return kInspectionBillTypes.Contains(type); }, RefuseHandlerNotBuilt},
    {[](int32_t type) { return type == PurchaseOrder; }, RefuseHandlerNotBuilt},
    {[](int32_t type) { return kInvoiceTypes.Contains(type); }, RefuseHandlerNotBuilt},
};

bool RunHandlerOf(frame::ClassFrame& frame, CallState& state, const CheckOutcome& outcome) {
  for (const TypeHandler& handler : kTypeHandlers) {
    if (handler.handles(state.request.TransType)) return handler.run(frame, state, outcome);
  }
  return true;
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

  const bool ok = RunHandlerOf(frame, state, outcome);

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
