// The write-backs of stock bills.
#include "check/stock_write_backs.h"

#include "check/flow_hooks.h"
#include "frame/hooks/hook_stage.h"
#include "frame/vocabulary/trans_types.h"

namespace cb::check {

namespace {

bool IsStockMovingHead(const db::Recordset& head) {
  const Variant tran_type = head.Field("FTranType");
  if (tran_type.IsNull()) return false;
  return kStockMovingHeadTypes.Contains(tran_type.ToInt32());
}

bool MovesStockOnSave(const db::Recordset& head) {
  const Variant flag = head.Field("FUpStockWhenSave");
  return !flag.IsNull() && flag.ToBool();
}

}  // namespace

bool WriteBacksApply(const CallState& state) {
  if (state.steps.before_system_start_up || !IsStockMovingHead(*state.bill.head)) return false;
  const int32_t operation = state.call.request.OperateCode;
  return MovesStockOnSave(*state.bill.head) ? IsSaveDeleteVoidOrRestore(operation)
                                            : IsCheckOrUnCheck(operation);
}

StepResult RunStockWriteBacks(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  if (!WriteBacksApply(state)) return StepResult::kGoOn;
  return RunStageHookStep(frame, hooks::kStageAfterWriteBack, state, outcome);
}

}  // namespace cb::check
