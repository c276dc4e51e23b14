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
  if (state.before_system_start_up || !IsStockMovingHead(*state.bill_head)) return false;
  const int32_t operation = state.request.OperateCode;
  return MovesStockOnSave(*state.bill_head) ? IsSaveDeleteVoidOrRestore(operation)
                                            : IsCheckOrUnCheck(operation);
}

bool RunStockWriteBacks(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  if (!WriteBacksApply(state)) return true;
  return RunStageHookStep(frame, hooks::kStageAfterWriteBack, state, outcome);
}

}  // namespace cb::check
