// Runs the check-flag UPDATE and turns any failure into the writer's refusal.
#include "rules/update_check_flag.h"

#include <cmath>

#include "frame/messages/messages.h"
#include "frame/public_call.h"
#include "frame/shared_helpers.h"
#include "frame/vocabulary/operate_code.h"
#include "platform/services/foundation.h"
#include "rules/check_flag_statement.h"

namespace cb::rules {
namespace {

constexpr double kNoDate = 1;  // 1899-12-31 stands for "no date"

CheckFlagValues ChooseValues(db::Connection& connection, int32_t checker_id,
                             const Variant& check_date, int32_t operation) {
  CheckFlagValues values;
  values.operation = operation;
  if (!Is(operation, OperateCode::kCheck)) {
    values.status = 0;
    values.checker_id = 0;
    values.check_day = kNoDate;
    return values;
  }
  const Variant date = check_date.IsNull() ? Variant(frame::GetServerDate(connection)) : check_date;
  values.status = 1;
  values.checker_id = checker_id;
  values.check_day = std::floor(date.ToDate());
  return values;
}

}  // namespace

int32_t UpdateCheckFlag(db::Connection& connection, const db::Recordset& head, int32_t checker_id,
                        const Variant& check_date, int32_t operation, std::string& message,
                        std::string_view language) {
  message.clear();
  try {
    const services::Foundation& foundation = services::Foundation::Current();
    const int32_t inter_id = foundation.NullToDefault(head.Field("FInterID"), int32_t{0}).ToInt32();
    const int32_t tran_type =
        foundation.NullToDefault(head.Field("FTranType"), int32_t{0}).ToInt32();
    const CheckFlagValues values = ChooseValues(connection, checker_id, check_date, operation);
    const std::string head_table = HasFixedCheckFlagTable(tran_type)
                                       ? std::string()
                                       : frame::GetHeadTable(tran_type, connection);
    connection.Execute(BuildCheckFlagUpdate(tran_type, head_table, values, inter_id));
    return 0;
  } catch (...) {
    // Whatever failed, the writer answers with its code and the cause in the message.
    const Error error = frame::CurrentExceptionAsError();
    message = messages::LoadLocalString("更新审核的标志时出错。", language) + error.description();
    return kCheckFlagFailed;
  }
}

}  // namespace cb::rules
