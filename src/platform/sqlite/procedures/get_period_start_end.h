// GetPeriodStartEnd: the first and last day of an accounting period, from the accounting calendar.
#pragma once

#include "platform/db/connection.h"

namespace cb::sqlite {

// Parameters: "aYear" (0 means the current year: t_SystemProfile IC/CurrentYear, or today's
// calendar year when that row is missing), "aPeriod", "aPeriodStart" and "aPeriodEnd" (outputs,
// dates), and the return value 0. Reads t_AccountingPeriod(FYear, FPeriod, FStartDate, FEndDate). A
// period with no row raises a database error naming the year and period.
void GetPeriodStartEnd(db::Connection& connection, db::Parameters& parameters);

}  // namespace cb::sqlite
