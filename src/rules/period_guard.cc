// Earlier-period, initialisation and closed-period rules of the period guard.
#include "rules/period_guard.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "frame/messages/messages.h"
#include "platform/services/foundation.h"
#include "platform/variant/date.h"

namespace cb::rules {
namespace {

// Types refused for an earlier period once the system is initialised.
constexpr std::array<int32_t, 24> kEarlierPeriodTypes = {
    1, 2, 5, 6, 10, 21, 24, 26, 28, 29, 40, 41, 43, 46, 65, 72, 73, 74, 85, 92, 100, 137, 702, -8};
// Types refused in a closed period.
constexpr std::array<int32_t, 27> kClosedPeriodTypes = {1,  2,  5,  6,  10, 21, 24,  26,  28,
                                                        29, 40, 41, 43, 72, 73, 74,  75,  76,
                                                        77, 78, 80, 85, 86, 92, 100, 137, 702};
// Types that may be checked before the start period while the system is being initialised.
constexpr std::array<int32_t, 4> kInitialisationTypes = {1, 5, 21, 28};

template <size_t N>
bool Contains(const std::array<int32_t, N>& types, int32_t type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

bool Switch(const Dictionary& profile, std::string_view key) {
  const Variant value = profile.Read(key);
  return !value.IsEmpty() && !value.IsNull() && value.ToBool();
}

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
  const bool initialised = Switch(profile, "IC|ICClosed");
  const bool period_closed = Switch(profile, "IC|BillStatus");
  const bool may_change_after_close = Switch(profile, "IC|IsOkToModAfterClose");

  if (bill_day < period_start) {
    if (initialised) {
      if (Contains(kEarlierPeriodTypes, tran_type)) {
        return Refuse("不能%1以前会计期间的单据!", operation_name, message, language);
      }
    } else if (!Contains(kInitialisationTypes, tran_type)) {
      return Refuse("系统还未完成初始化，不能实现%1功能!", operation_name, message, language);
    }
  } else if (!initialised) {
    return Refuse("系统还未完成初始化，不能%1以后期间的单据!", operation_name, message, language);
  }

  if (period_closed && bill_day < period_end && !may_change_after_close &&
      Contains(kClosedPeriodTypes, tran_type)) {
    return Refuse("当前期间已经关账，不能%1当前单据", operation_name, message, language);
  }
  return 0;
}

}  // namespace cb::rules
