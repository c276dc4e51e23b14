// GetPeriodStartEnd over t_SystemProfile and t_AccountingPeriod.
#include "platform/sqlite/procedures/get_period_start_end.h"

#include <string>

#include "platform/sqlite/procedures/procedure_parameters.h"
#include "platform/variant/date.h"

namespace cb::sqlite {
namespace {

constexpr char kName[] = "GetPeriodStartEnd";

int32_t CurrentYear(db::Connection& connection) {
  db::RecordsetPtr profile = connection.Execute(
      "SELECT FValue FROM t_SystemProfile WHERE FCategory='IC' AND FKey='CurrentYear'");
  if (!profile->Eof()) {
    Variant value = profile->Field(size_t{0});
    if (!value.IsNull()) {
      try {
        return value.ToInt32();
      } catch (const Error&) {
        RaiseProcedureError("The system profile IC/CurrentYear holds '" + value.ToString() +
                            "', which is not a year.");
      }
    }
  }
  return CivilFromDayNumber(Now()).year;
}

// Dates arrive as date values from DATETIME columns; text is accepted for hand-made tables.
Variant AsDate(const Variant& value) {
  return Variant::Date(value.ToDate());
}

}  // namespace

void GetPeriodStartEnd(db::Connection& connection, db::Parameters& parameters) {
  int32_t year = IntegerParameter(parameters, kName, "aYear");
  int32_t period = IntegerParameter(parameters, kName, "aPeriod");
  db::Parameter& start = RequiredParameter(parameters, kName, "aPeriodStart");
  db::Parameter& end = RequiredParameter(parameters, kName, "aPeriodEnd");
  if (year == 0) year = CurrentYear(connection);
  db::RecordsetPtr row = connection.Execute(
      "SELECT FStartDate, FEndDate FROM t_AccountingPeriod WHERE FYear=" + std::to_string(year) +
      " AND FPeriod=" + std::to_string(period));
  if (row->Eof()) {
    RaiseProcedureError("Accounting period " + std::to_string(period) + " of year " +
                        std::to_string(year) + " does not exist.");
  }
  start.value = AsDate(row->Field("FStartDate"));
  end.value = AsDate(row->Field("FEndDate"));
  SetReturnValue(parameters, 0);
}

}  // namespace cb::sqlite
