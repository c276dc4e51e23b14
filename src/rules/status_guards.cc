// Rules on the bill's own state: voided, checked, executed, closed, locked, affirmed, generated.
#include "rules/status_guards.h"

#include "frame/messages/messages.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "rules/guard_reads.h"

namespace cb::rules {
namespace {

// Step of the status guard for a check: a bill is checked once and never once closed.
int32_t CheckOfCheckedOrClosed(int32_t checker_id, int32_t status, std::string& message,
                               std::string_view language) {
  if (checker_id > 0) {
    return Refuse(messages::LoadLocalString("该单已被审核!", language), kBillStatusRefused,
                  message);
  }
  if (status == 3) {
    return Refuse(messages::LoadLocalString("该单已关闭!", language), kBillStatusRefused, message);
  }
  return 0;
}

// Step of the status guard for an uncheck: only a checked bill that is neither executed nor closed.
int32_t UncheckOfOpenBill(int32_t checker_id, int32_t status, std::string& message,
                          std::string_view language) {
  if (checker_id == 0) {
    return Refuse(messages::LoadLocalString("该单还未被审核。", language), kBillStatusRefused,
                  message);
  }
  if (status == 2) {
    return Refuse(messages::LoadLocalString("该单已经执行。", language), kBillStatusRefused,
                  message);
  }
  if (status == 3) {
    return Refuse(messages::LoadLocalString("该单已经关闭!", language), kBillStatusRefused,
                  message);
  }
  return 0;
}

bool HasLockedEntry(db::Recordset& entries) {
  if (entries.RecordCount() > 0) entries.MoveFirst();
  for (; !entries.Eof(); entries.MoveNext()) {
    // The flag is 1 while the entry holds locked stock; no other value is a lock.
    const Variant flag =
        services::Foundation::Current().NullToDefault(entries.Field("FLockFlag"), int32_t{0});
    if (flag.ToDouble() == 1) return true;
  }
  return false;
}

}  // namespace

int32_t CheckCancelled(const db::Recordset& head, int32_t operate_code, std::string& message,
                       std::string_view language) {
  message.clear();
  const std::string operation_name = messages::GetOperationName(operate_code, language);
  const Variant voided =
      services::Foundation::Current().NullToDefault(head.Field("FCancelLation"), false);
  if (voided.ToBool()) {
    return Refuse(messages::FormatString("当前单据已作废，不能%1", language, {operation_name}),
                  kBillVoided, message);
  }
  return 0;
}

int32_t CheckBillStatus(const db::Recordset& head, db::Recordset& entries, int32_t operate_code,
                        std::string& message, std::string_view language) {
  message.clear();
  const std::string operation_name = messages::GetOperationName(operate_code, language);
  const int32_t checker_id = IntOrZero(head, "FCheckerID");
  const int32_t status = IntOrZero(head, "FStatus");
  const int32_t tran_type = IntOrZero(head, "FTranType");

  int32_t code = 0;
  if (Is(operate_code, OperateCode::kCheck))
    code = CheckOfCheckedOrClosed(checker_id, status, message, language);
  if (Is(operate_code, OperateCode::kUnCheck))
    code = UncheckOfOpenBill(checker_id, status, message, language);
  if (code != 0) return code;

  const bool uncheck = Is(operate_code, OperateCode::kUnCheck);
  const bool gives_up_order =
      uncheck || Is(operate_code, OperateCode::kDelete) || Is(operate_code, OperateCode::kVoid);
  if (gives_up_order && tran_type == SaleOrder && HasLockedEntry(entries)) {
    return Refuse(messages::FormatString("该单已经锁库，不能%1。", language, {operation_name}),
                  kBillStockLocked, message);
  }
  if (uncheck && (tran_type == PurchaseOrder || tran_type == SaleOrder) &&
      IntOrZero(head, "FOrderAffirm") == 1) {
    const Variant bill_no = head.Field("FBillNo");
    return Refuse(
        messages::FormatString("当前单据%1已被分销确认，不能反审核!", language, {bill_no}),
        kBillAffirmed, message);
  }
  if (uncheck && tran_type == AdjustAmount && IntOrZero(head, "FHookInterID") != 0) {
    return Refuse(
        messages::FormatString("该金额调整单由外购入库核算自动生成，不得反审核!", language, {}),
        kGeneratedAdjustment, message);
  }
  return 0;
}

}  // namespace cb::rules
