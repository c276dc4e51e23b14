// The first and last day of an accounting period, through the database's GetPeriodStartEnd
// procedure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::profile {

// Raised when the profile names no usable period.
inline constexpr int32_t kErrPeriodInfo = -200002;
inline constexpr std::string_view kPeriodInfoSource = "VellMCheckBill.CheckNow";
inline constexpr std::string_view kPeriodInfoDescription = "Get Period Info Error";

// Name of the stored procedure and of its parameters, in the order they are passed.
inline constexpr std::string_view kPeriodProcedure = "GetPeriodStartEnd";
inline constexpr std::string_view kParamYear = "aYear";
inline constexpr std::string_view kParamPeriod = "aPeriod";
inline constexpr std::string_view kParamPeriodStart = "aPeriodStart";
inline constexpr std::string_view kParamPeriodEnd = "aPeriodEnd";

// The period number the profile names: "IC|StartPeriod" when bGetStartPeriod is true, otherwise
// "IC|CurrentPeriod", each 0 when absent. Raises cb::Error when there is no profile or the value is
// not a 32-bit integer, and kErrPeriodInfo when the number is 0.
[[nodiscard]] int32_t PeriodNumberFromProfile(const DictionaryPtr& dictSysProfile,
                                              bool bGetStartPeriod);

struct PeriodDates {
  double start = 0;  // day numbers
  double end = 0;
};

// Calls the procedure on the connection with year 0 and the period number and answers its two
// output dates. Database errors reach the caller as cb::Error.
[[nodiscard]] PeriodDates CallPeriodProcedure(const db::ConnectionPtr& connection, int32_t period);

// GetPeriodStartEnd of CheckNow. Never raises and never votes: any error (no period in the profile,
// period 0, a failing procedure) answers false with the dates unchanged; the procedure
// is not called when the period number is 0. The connection is oConnection when it is set,
// otherwise the service's connection for sDsn. nYear is accepted and not used: the procedure always
// receives year 0. True when both dates were set.
[[nodiscard]] bool GetPeriodStartEnd(frame::ClassFrame& frame, const std::string& sDsn,
                                     const DictionaryPtr& dictSysProfile, int32_t nYear,
                                     double& dateStart, double& dateEnd, bool bGetStartPeriod,
                                     const db::ConnectionPtr& oConnection);

}  // namespace cb::profile
