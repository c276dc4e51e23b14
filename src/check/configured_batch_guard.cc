// The configured-item batch guard of CheckBill.
#include "check/configured_batch_guard.h"

#include "stock/configured_batch_check.h"

namespace cb::check {

namespace {

int32_t HeadNumber(const db::Recordset& head, std::string_view field) {
  const Variant value = head.Field(field);
  return value.IsNull() ? 0 : value.ToInt32();
}

}  // namespace

StepResult RunConfigItemBatchGuard(frame::ClassFrame& frame, CallState& state,
                                   CheckOutcome& outcome) {
  const db::Recordset& head = *state.bill.head;
  outcome.lRet = stock::CheckConfigItemBatch(
      frame, state.call.request.PropString, HeadNumber(head, "FInterID"),
      HeadNumber(head, "FTranType"), outcome.sMsg, outcome.language, state.call.connection);
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
