// Reads the period number from the profile and asks the database for the period's dates.
#include "frame/profile/period.h"

#include <exception>

#include "frame/vocabulary/profile_keys.h"
#include "platform/db/command.h"
#include "platform/variant/error.h"

namespace cb::profile {

int32_t PeriodNumberFromProfile(const DictionaryPtr& dictSysProfile, bool bGetStartPeriod) {
  if (dictSysProfile == nullptr) {
    throw Error(kErrObjectRequired, std::string(kPeriodInfoSource), "Object required");
  }
  const std::string_view key = bGetStartPeriod ? kProfileStartPeriod : kProfileCurrentPeriod;
  const int32_t period = Variant(ProfileNumber(*dictSysProfile, key, 0)).ToInt32();
  if (period == 0) {
    throw Error(kErrPeriodInfo, std::string(kPeriodInfoSource),
                std::string(kPeriodInfoDescription));
  }
  return period;
}

PeriodDates CallPeriodProcedure(const db::ConnectionPtr& connection, int32_t period) {
  db::Command command(connection, std::string(kPeriodProcedure));
  db::Parameters& parameters = command.parameters();
  // The procedure always receives year 0: the database answers for its current year.
  parameters.Append({std::string(kParamYear), db::ParameterDirection::kInput, Variant(int32_t{0})});
  parameters.Append({std::string(kParamPeriod), db::ParameterDirection::kInput, Variant(period)});
  parameters.Append({std::string(kParamPeriodStart), db::ParameterDirection::kOutput, Variant()});
  parameters.Append({std::string(kParamPeriodEnd), db::ParameterDirection::kOutput, Variant()});
  command.Execute();
  PeriodDates dates;
  dates.start = parameters.Item(kParamPeriodStart).value.ToDate();
  dates.end = parameters.Item(kParamPeriodEnd).value.ToDate();
  return dates;
}

bool GetPeriodStartEnd(frame::ClassFrame& frame, const std::string& sDsn,
                       const DictionaryPtr& dictSysProfile, int32_t /*nYear*/, double& dateStart,
                       double& dateEnd, bool bGetStartPeriod,
                       const db::ConnectionPtr& oConnection) {
  try {
    const int32_t period = PeriodNumberFromProfile(dictSysProfile, bGetStartPeriod);
    const db::ConnectionPtr connection = frame.GetConnection(sDsn, false, oConnection);
    const PeriodDates dates = CallPeriodProcedure(connection, period);
    dateStart = dates.start;
    dateEnd = dates.end;
    return true;
  } catch (const std::exception&) {
    // The lookup's own handler: every failure is the answer false, nothing more.
    return false;
  }
}

}  // namespace cb::profile
