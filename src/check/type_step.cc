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
  const bool ok = stock::UpdateBillStock(frame, state.call.request.PropString, *state.steps.params,
                                         *state.steps.result, state.call.connection, state.call.Rs);
  for (std::string_view key : {kResultShowUnderTip, kResultShowStockWarnTip}) {
    if (state.steps.result->Exists(key))
      state.call.DictParams->Write(key, state.steps.result->Read(key));
  }
  return ok;
}

// A type whose handler has not been built is refused rather than checked without its rules.
bool RefuseHandlerNotBuilt(frame::ClassFrame& /*frame*/, CallState& state,
                           const CheckOutcome& outcome) {
  Dictionary& result = *state.steps.result;
  result.Write(kResultReturnCode, ToInt(ReturnCode::kFailed));
  result.Write(kResultReturnString,
               messages::FormatString(kTextHandlerNotBuilt, outcome.language,
                                      {Variant(state.call.request.TransType)}));
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
    if (handler.handles(state.call.request.TransType)) return handler.run(frame, state, outcome);
  }
  return true;
}

}  // namespace

void PrepareStepDictionaries(CallState& state, const CheckOutcome& outcome) {
  state.steps.before_system_start_up =
      IsBeforeSystemStartUp(state.bill.sys_profile, BillDate(*state.bill.head), state.period.start);
  StepContext context;
  context.language = outcome.language;
  context.checker_id = state.call.checker_id;
  context.before_system_start_up = state.steps.before_system_start_up;
  context.bill_head = state.bill.head;
  context.bill_entry = state.bill.entry;
  context.period_start = state.period.start;
  context.period_end = state.period.end;
  context.sys_profile = state.bill.sys_profile;
  state.steps.params = BuildStepParams(state.call.request, context, *state.call.DictParams);
  state.steps.result = NewStepResult();
}

StepResult RunTypeStep(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const bool initialised = ProfileSwitch(*state.bill.sys_profile, kProfileICClosed);
  if (initialised && BillDate(*state.bill.head) < state.period.start) return StepResult::kGoOn;

  const bool ok = RunHandlerOf(frame, state, outcome);

  const Dictionary& result = *state.steps.result;
  outcome.lRet = result.Read(kResultReturnCode).ToInt32();
  outcome.sMsg = result.Read(kResultReturnString).ToString() + outcome.sMsg;
  outcome.item_info = result.Read(kResultVectItemInfo).As<Vector>();
  state.call.DictParams->Write(kOutVectDeleteItem, result.Exists(kResultVectDeleteItem)
                                                       ? result.Read(kResultVectDeleteItem)
                                                       : Variant(ObjectPtr()));
  return GoOnIf(ok);
}

}  // namespace cb::check
