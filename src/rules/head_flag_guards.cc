// The uncheck guards that judge the head row alone: backflush, linked bills, split, voucher.
#include "frame/messages/messages.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "rules/guard_reads.h"
#include "rules/uncheck_guards.h"

namespace cb::rules {

int32_t CheckBackflush(const db::Recordset& head, std::string& message, std::string_view language) {
  // Only receipts carry the backflush flag: other heads are not asked for it.
  if (!kBackflushReceiptTypes.Contains(IntOrZero(head, "FTranType"))) return 0;
  if (IntOrZero(head, "FBackFlushed") != 1) return 0;
  return Refuse(messages::LoadLocalString("入库单有倒冲，不能反审核该单据", language),
                kReceiptBackflushed, message);
}

int32_t CheckLinked(const db::Recordset& head, int32_t operate_code, std::string& message,
                    std::string_view language) {
  if (!head.HasField("FChildren") || !Is(operate_code, OperateCode::kUnCheck)) return 0;
  const Variant children =
      services::Foundation::Current().NullToDefault(head.Field("FChildren"), "");
  if (children.ToInt32() < 1) return 0;
  return Refuse(messages::LoadLocalString("该单已被其他单据关联，不能反审核该单据", language),
                kBillLinked, message);
}

int32_t CheckSplit(const db::Recordset& head, int32_t operate_code, std::string& message,
                   std::string_view language) {
  if (!kSplitBillTypes.Contains(IntOrZero(head, "FTranType")) ||
      !Is(operate_code, OperateCode::kUnCheck)) {
    return 0;
  }
  const int32_t origin = IntOrZero(head, "FOrgBillInterID");
  if (origin > 0) {
    return Refuse(messages::LoadLocalString("该单是拆分单据，不能反审核该单据", language),
                  kBillSplit, message);
  }
  if (origin < 0) {
    return Refuse(messages::LoadLocalString("该单已经被拆分，不能反审核该单据", language),
                  kBillSplit, message);
  }
  return 0;
}

int32_t CheckVouchered(const db::Recordset& head, int32_t operate_code, std::string& message,
                       std::string_view language) {
  if (!kVoucheredBillTypes.Contains(IntOrZero(head, "FTranType")) ||
      !Is(operate_code, OperateCode::kUnCheck)) {
    return 0;
  }
  if (IntOrZero(head, "FVchInterID") == 0) return 0;
  return Refuse(
      messages::LoadLocalString("该单据已经记账。", language) +
          messages::LoadLocalString("请先删除相应的记账凭证,才能反审核该单据。", language),
      kBillVouchered, message);
}

}  // namespace cb::rules
