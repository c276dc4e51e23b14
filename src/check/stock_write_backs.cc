// The write-backs of stock bills.
#include "check/stock_write_backs.h"

#include "check/batch_trace_step.h"
#include "check/flow_hooks.h"
#include "check/order_write_back_step.h"
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
  const bool batch_trace = BatchTraceInUse(frame, state);
  if (!WriteBacksApply(state)) return StepResult::kGoOn;
  if (batch_trace && RunBatchTraceBinding(frame, state, outcome) != StepResult::kGoOn) {
    return StepResult::kRefuse;
  }
  if (RunOrderWriteBack(frame, state, outcome) != StepResult::kGoOn) return StepResult::kRefuse;
  return RunStageHookStep(frame, hooks::kStageAfterWriteBack, state, outcome);
}

}  // namespace cb::check
