// Tests of the suite's stored procedures: period dates from the accounting calendar and the
// requisition hand-over.
#include <gtest/gtest.h>

#include "platform/db/command.h"
#include "platform/sqlite/procedures/get_period_start_end.h"
#include "platform/sqlite/procedures/po_request_to_mrp_result.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/date.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

class Procedures : public ::testing::Test {
 protected:
  void SetUp() override {
    (void)connection_->Execute(
        "CREATE TABLE t_AccountingPeriod (FYear INT NOT NULL, FPeriod INT NOT NULL, "
        "FStartDate DATETIME NOT NULL, FEndDate DATETIME NOT NULL, PRIMARY KEY (FYear, "
        "FPeriod))\r\n"
        "CREATE TABLE t_SystemProfile (FCategory VARCHAR(30) NOT NULL, FKey VARCHAR(50) NOT NULL, "
        "FValue VARCHAR(255))\r\n"
        "INSERT INTO t_AccountingPeriod (FYear, FPeriod, FStartDate, FEndDate) "
        "VALUES (2023, 3, '2023-03-01', '2023-03-31')\r\n"
        "INSERT INTO t_AccountingPeriod (FYear, FPeriod, FStartDate, FEndDate) "
        "VALUES (2024, 2, '2024-02-01', '2024-02-29')");
  }

  // Calls GetPeriodStartEnd as the engine does; returns the two output dates.
  std::pair<Variant, Variant> PeriodDates(int32_t year, int32_t period) {
    db::Command command(connection_, "getperiodstartend");
    command.parameters().Append({"RETURN_VALUE", db::ParameterDirection::kReturnValue, {}});
    command.parameters().Append({"aYear", db::ParameterDirection::kInput, Variant(year)});
    command.parameters().Append({"aPeriod", db::ParameterDirection::kInput, Variant(period)});
    command.parameters().Append({"aPeriodStart", db::ParameterDirection::kOutput, {}});
    command.parameters().Append({"aPeriodEnd", db::ParameterDirection::kOutput, {}});
    command.Execute();
    EXPECT_TRUE(command.parameters().ReturnValue()->value == Variant(int32_t{0}));
    return {command.parameters().Item("aPeriodStart").value,
            command.parameters().Item("aPeriodEnd").value};
  }

  cb::testing::TempDatabase dir_;
  std::shared_ptr<SqliteConnection> connection_ = OpenSqliteConnection(dir_.File("p.db"));
};

TEST_F(Procedures, PeriodOfAGivenYearComesFromTheCalendar) {
  auto [start, end] = PeriodDates(2023, 3);
  ASSERT_TRUE(start.IsDate());
  EXPECT_EQ(FormatDate(start.ToDate()), "2023-03-01");
  EXPECT_EQ(FormatDate(end.ToDate()), "2023-03-31");
}

TEST_F(Procedures, YearZeroMeansTheProfileCurrentYear) {
  (void)connection_->Execute(
      "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('GL', 'CurrentYear', '2023') "
      "INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('IC', 'CurrentYear', '2024')");
  auto [start, end] = PeriodDates(0, 2);
  EXPECT_EQ(FormatDate(start.ToDate()), "2024-02-01");
  EXPECT_EQ(FormatDate(end.ToDate()), "2024-02-29");
}

TEST_F(Procedures, YearZeroWithoutProfileRowMeansTodaysYear) {
  int year = CivilFromDayNumber(Now()).year;
  (void)connection_->Execute(
      "INSERT INTO t_AccountingPeriod (FYear, FPeriod, FStartDate, FEndDate) VALUES (" +
      std::to_string(year) + ", 7, '" + std::to_string(year) + "-07-01', '" + std::to_string(year) +
      "-07-31')");
  auto [start, end] = PeriodDates(0, 7);
  EXPECT_EQ(FormatDate(start.ToDate()), std::to_string(year) + "-07-01");
}

TEST_F(Procedures, MissingPeriodIsAnErrorThroughErrors) {
  EXPECT_THROW((void)PeriodDates(2023, 13), Error);
  ASSERT_EQ(connection_->errors().Count(), 1u);
  EXPECT_EQ(connection_->errors().Item(0).description,
            "Accounting period 13 of year 2023 does not exist.");
}

TEST_F(Procedures, MissingParameterIsReportedByName) {
  db::Command command(connection_, "GetPeriodStartEnd");
  command.parameters().Append({"aYear", db::ParameterDirection::kInput, Variant(int32_t{2023})});
  EXPECT_THROW(command.Execute(), Error);
  ASSERT_EQ(connection_->errors().Count(), 1u);
  EXPECT_EQ(connection_->errors().Item(0).native_error, 201);
  EXPECT_NE(connection_->errors().Item(0).description.find("@aPeriod"), std::string::npos);
}

TEST_F(Procedures, RequisitionHandOverAcceptsKnownRequisitionsOnly) {
  (void)connection_->Execute(
      "CREATE TABLE PORequest (FInterID INT NOT NULL PRIMARY KEY, FStatus SMALLINT) "
      "INSERT INTO PORequest (FInterID, FStatus) VALUES (1001, 1)");
  struct Case {
    int32_t inter_id, type, status, code;
    bool empty_text;
  };
  const Case cases[] = {
      {1001, 1, 0, 0, true},  {1001, 1, 1, 0, true},  {9999, 1, 0, 1, false},
      {1001, 2, 0, 1, false}, {1001, 1, 5, 1, false},
  };
  for (const Case& c : cases) {
    db::Command command(connection_, "PORequest2ICMrpResult");
    auto& p = command.parameters();
    p.Append({"RETURN_VALUE", db::ParameterDirection::kReturnValue, {}});
    p.Append({"@lInterID", db::ParameterDirection::kInput, Variant(c.inter_id)});
    p.Append({"@iType", db::ParameterDirection::kInput, Variant(c.type)});
    p.Append({"@iStatus", db::ParameterDirection::kInput, Variant(c.status)});
    p.Append({"@strReturn", db::ParameterDirection::kInputOutput, Variant("")});
    command.Execute();
    EXPECT_EQ(p.ReturnValue()->value.ToInt32(), c.code)
        << c.inter_id << "/" << c.type << "/" << c.status;
    EXPECT_EQ(p.Item("@strReturn").value.ToString().empty(), c.empty_text);
  }
  db::RecordsetPtr unchanged = connection_->Execute("SELECT FStatus FROM PORequest");
  EXPECT_EQ(unchanged->Field("FStatus").ToInt32(), 1);
}

}  // namespace
}  // namespace cb::sqlite
