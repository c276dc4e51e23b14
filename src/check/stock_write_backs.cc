// The write-backs of stock bills.
#include "check/stock_write_backs.h"

#include <algorithm>
#include <array>

#include "check/flow_hooks.h"
#include "frame/hooks/hook_stage.h"

namespace cb::check {

namespace {

constexpr std::array<int32_t, 12> kStockMovingHeads = {1,  2,  5,  10, 21, 24,
                                                       28, 29, 40, 41, 43, 137};

bool IsStockMovingHead(const db::Recordset& head) {
  const Variant tran_type = head.Field("FTranType");
  if (tran_type.IsNull()) return false;
  return std::find(kStockMovingHeads.begin(), kStockMovingHeads.end(), tran_type.ToInt32()) !=
         kStockMovingHeads.end();
}

bool MovesStockOnSave(const db::Recordset& head) {
  const Variant flag = head.Field("FUpStockWhenSave");
  return !flag.IsNull() && flag.ToBool();
}

}  // namespace

bool WriteBacksApply(const CallState& state) {
  if (state.before_system_start_up || !IsStockMovingHead(*state.bill_head)) return false;
  const int32_t operation = state.request.OperateCode;
  const bool save_like = operation == 32 || operation == 8 || operation == 4 || operation == 16;
  return MovesStockOnSave(*state.bill_head) ? save_like : IsCheckOrUnCheck(operation);
}

bool RunStockWriteBacks(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  if (!WriteBacksApply(state)) return true;
  return RunStageHookStep(frame, hooks::kStageAfterWriteBack, state, outcome);
}

}  // namespace cb::check
