// The guards CheckBill runs before anything is written.
#include "check/flow_guards.h"

#include "frame/profile/period.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/error.h"
#include "rules/period_guard.h"
#include "rules/status_guards.h"

namespace cb::check {

namespace {

// A sales out-stock bill in this status may be unchecked although its status refuses it.
constexpr int32_t kStatusExemptFromRefusal = 3;

int32_t FieldOrZero(const db::Recordset& head, std::string_view field) {
  const Variant value = head.Field(field);
  return value.IsNull() ? 0 : value.ToInt32();
}

}  // namespace

void LoadCurrentPeriod(frame::ClassFrame& frame, CallState& state) {
  // A false answer leaves the dates as they were (day 0): the period guard judges with those.
  static_cast<void>(profile::GetPeriodStartEnd(frame, state.call.request.PropString,
                                               state.bill.sys_profile, 0, state.period.start,
                                               state.period.end, false, state.call.connection));
}

StepResult RunOpeningGuards(const CallState& state, CheckOutcome& outcome) {
  // The guard is the profile's first reader: a table without the keys is an error here.
  if (state.bill.sys_profile == nullptr) {
    throw Error(kErrObjectRequired, "", "Object required: the system profile holds no switch");
  }
  outcome.lRet =
      rules::CheckPeriod(*state.bill.head, *state.bill.sys_profile, state.period.start,
                         state.period.end, outcome.operation_name, outcome.sMsg, outcome.language);
  if (outcome.lRet < 0) return StepResult::kRefuse;
  outcome.lRet = rules::CheckCancelled(*state.bill.head, state.call.request.OperateCode,
                                       outcome.sMsg, outcome.language);
  return GoOnIf(outcome.lRet >= 0);
}

StepResult RunBillStatusGuard(CallState& state, CheckOutcome& outcome) {
  // A type without an entry table has no entry rows for the guard to look at.
  db::Recordset no_entries;
  db::Recordset& entries = state.bill.entry ? *state.bill.entry : no_entries;
  outcome.lRet = rules::CheckBillStatus(*state.bill.head, entries, state.call.request.OperateCode,
                                        outcome.sMsg, outcome.language);
  if (outcome.lRet >= 0) return StepResult::kGoOn;
  if (Is(state.call.request.OperateCode, OperateCode::kCheck)) return StepResult::kRefuse;
  const bool exempt = FieldOrZero(*state.bill.head, "FStatus") == kStatusExemptFromRefusal &&
                      FieldOrZero(*state.bill.head, "FTranType") == SaleOutStock;
  // An exempt bill goes on as if the guard had passed: its refusal text is not the bill's message.
  if (exempt) outcome.sMsg.clear();
  return GoOnIf(exempt);
}

}  // namespace cb::check
