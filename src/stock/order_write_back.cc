// WriteBackPOOrderStock and WriteBackSEOrderStock: one algorithm on the purchase and the sales
// order tables.
#include "stock/order_write_back.h"

#include "frame/check_ado_error.h"
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/operate_code.h"
#include "platform/variant/error.h"
#include "stock/order_write_back_sql.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

// The limits are enforced only when the family's switch is exactly 1.
constexpr double kLimitSwitchOn = 1;

std::string Fill(std::string_view statement, int32_t bill, int32_t factor = 0) {
  return frame::SqlTemplate(statement).Number("Bill", bill).Number("W", factor).Sql();
}

void ExecuteChecked(db::Connection& connection, const std::string& statement) {
  connection.Execute(statement);
  frame::CheckADOError(connection, true);
}

// Appends one line per order line that went below 0; true when there was any.
bool ListNegativeLines(const OrderWriteBackSql& sql, db::Connection& connection, int32_t bill,
                       std::string& message, const std::string& language) {
  db::RecordsetPtr rows = connection.Execute(Fill(sql.negative_lines, bill));
  for (; !rows->Eof(); rows->MoveNext()) {
    message += messages::FormatString(sql.negative_message, language,
                                      {FieldText(*rows, "FBillNo"), rows->Field("FEntryID"),
                                       FieldText(*rows, "FName"), FieldText(*rows, "FNumber")});
    message += kCrLf;
  }
  return !message.empty();
}

// Replaces the message by one line per stock-bill entry past its limit; true when there was any.
bool ListOverLimitLines(const OrderWriteBackSql& sql, db::Connection& connection, int32_t bill,
                        std::string& message, const std::string& language) {
  db::RecordsetPtr rows = connection.Execute(Fill(sql.over_limit, bill));
  if (rows->Eof()) return false;
  message.clear();
  for (; !rows->Eof(); rows->MoveNext()) {
    message += messages::FormatString(
        sql.over_limit_message, language,
        {rows->Field("FEntryID"), FieldText(*rows, "FItemName"), FieldText(*rows, "FNumber")});
    message += kCrLf;
  }
  return true;
}

// The write-back and its checks; false on a refusal (the message says why). Database errors raise.
bool RunWriteBack(const OrderWriteBackSql& sql, db::Connection& connection,
                  const Dictionary& profile, int32_t operate_code, const db::Recordset& head,
                  int32_t recheck, std::string& message, const std::string& language) {
  const int32_t bill = head.Field("FInterID").ToInt32();
  const int32_t factor = OrderWriteBackFactor(head.Field("FROB"), operate_code);
  ExecuteChecked(connection, Fill(sql.write_back, bill, factor));
  // The user has accepted the stock rows as they are: only the quantities follow the bill.
  if (HasAnyBit(recheck, kReCheckStockRows)) return true;

  if (ListNegativeLines(sql, connection, bill, message, language)) return false;
  const bool limits_on = ProfileNumber(profile, sql.limit_switch) == kLimitSwitchOn;
  if (limits_on && ListOverLimitLines(sql, connection, bill, message, language)) return false;
  ExecuteChecked(connection, Fill(limits_on ? sql.flag_by_limit : sql.flag_by_qty, bill));
  ExecuteChecked(connection, Fill(sql.close_orders, bill));
  return true;
}

}  // namespace

int32_t OrderWriteBackFactor(const Variant& rob, int32_t lOperateCode) {
  if (rob.IsNull() || rob.IsEmpty()) return 0;
  const int32_t flag = rob.ToInt32();
  if (flag != 1 && flag != -1) return 0;
  if (Is(lOperateCode, OperateCode::kCheck) || Is(lOperateCode, OperateCode::kSave) ||
      Is(lOperateCode, OperateCode::kRestore)) {
    return 1;
  }
  if (Is(lOperateCode, OperateCode::kUnCheck) || Is(lOperateCode, OperateCode::kDelete) ||
      Is(lOperateCode, OperateCode::kVoid)) {
    return -1;
  }
  return 0;
}

int32_t WriteBackPOOrderStock(frame::ClassFrame& frame, db::Connection& connection,
                              const Dictionary& dictSysProfile, int32_t lOperateCode,
                              const db::Recordset& rsBillHead, int32_t lReCheck, std::string& sMsg,
                              const std::string& sLanguage) {
  sMsg.clear();
  try {
    if (RunWriteBack(kPurchaseOrderSql, connection, dictSysProfile, lOperateCode, rsBillHead,
                     lReCheck, sMsg, sLanguage)) {
      frame.VoteCommit();
      return 0;
    }
  } catch (const Error&) {
    // The purchase side ends a database error as a failure of its own, with the message so far.
  }
  frame.VoteAbort();
  return -1;
}

int32_t WriteBackSEOrderStock(frame::ClassFrame& frame, db::Connection& connection,
                              const Dictionary& dictSysProfile, int32_t lOperateCode,
                              const db::Recordset& rsBillHead, int32_t lReCheck, std::string& sMsg,
                              const std::string& sLanguage) {
  sMsg.clear();
  if (RunWriteBack(kSalesOrderSql, connection, dictSysProfile, lOperateCode, rsBillHead, lReCheck,
                   sMsg, sLanguage)) {
    return 0;
  }
  frame.VoteAbort();
  return -1;
}

}  // namespace cb::stock
