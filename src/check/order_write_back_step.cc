// The order write-back step of CheckBill.
#include "check/order_write_back_step.h"

#include "frame/vocabulary/trans_types.h"
#include "stock/order_write_back.h"

namespace cb::check {

StepResult RunOrderWriteBack(frame::ClassFrame& frame, CallState& state, CheckOutcome& outcome) {
  const Variant tran_type_field = state.bill.head->Field("FTranType");
  const int32_t tran_type = tran_type_field.IsNull() ? 0 : tran_type_field.ToInt32();
  const bool purchase = kPurchaseOrderWriteBackTypes.Contains(tran_type);
  if (!purchase && !kSalesOrderWriteBackTypes.Contains(tran_type)) return StepResult::kGoOn;

  // The write-back's own message starts empty; its lines join what the call has said so far.
  std::string message;
  const auto write_back = purchase ? stock::WriteBackPOOrderStock : stock::WriteBackSEOrderStock;
  // The profile is never missing here: the opening guards refuse a call without one.
  outcome.lRet = write_back(frame, *state.call.connection, *state.bill.sys_profile,
                            state.call.request.OperateCode, *state.bill.head,
                            state.call.request.ReCheck, message, outcome.language);
  outcome.sMsg += message;
  return GoOnIf(outcome.lRet >= 0);
}

}  // namespace cb::check
