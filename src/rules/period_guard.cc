// Earlier-period, initialisation and closed-period rules of the period guard.
#include "rules/period_guard.h"

#include <cmath>

#include "frame/messages/messages.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "platform/variant/date.h"

namespace cb::rules {
namespace {

int32_t Refuse(std::string_view format, const std::string& operation_name, std::string& message,
               std::string_view language) {
  message = messages::FormatString(format, language, {Variant(operation_name)});
  return kPeriodRefused;
}

}  // namespace

int32_t CheckPeriod(const db::Recordset& head, const Dictionary& profile, double period_start,
                    double period_end, const std::string& operation_name, std::string& message,
                    std::string_view language) {
  message.clear();
  const services::Foundation& foundation = services::Foundation::Current();
  // The bill's day, without its time; a bill without a date counts as dated 1900-01-01.
  const double bill_day =
      std::floor(foundation.NullToDefault(head.Field("FDate"), Variant("1900-01-01")).ToDate());
  const int32_t tran_type = foundation.NullToDefault(head.Field("FTranType"), int32_t{0}).ToInt32();
  const bool initialised = ProfileSwitch(profile, kProfileICClosed);
  const bool period_closed = ProfileSwitch(profile, kProfileBillStatus);
  const bool may_change_after_close = ProfileSwitch(profile, kProfileIsOkToModAfterClose);

  if (bill_day < period_start) {
    if (initialised) {
      if (kEarlierPeriodTypes.Contains(tran_type)) {
        return Refuse("不能%1以前会计期间的单据!", operation_name, message, language);
      }
    } else if (!kInitialisationTypes.Contains(tran_type)) {
      return Refuse("系统还未完成初始化，不能实现%1功能!", operation_name, message, language);
    }
  } else if (!initialised) {
    return Refuse("系统还未完成初始化，不能%1以后期间的单据!", operation_name, message, language);
  }

  if (period_closed && bill_day < period_end && !may_change_after_close &&
      kClosedPeriodTypes.Contains(tran_type)) {
    return Refuse("当前期间已经关账，不能%1当前单据", operation_name, message, language);
  }
  return 0;
}

}  // namespace cb::rules
