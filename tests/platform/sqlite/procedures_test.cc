// Tests of the suite's stored procedures as a connection runs them: period dates from the
// accounting calendar and the requisition hand-over.
#include <gtest/gtest.h>

#include "platform/db/command.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/date.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

class Procedures : public ::testing::Test {
 protected:
  cb::testing::TempDatabase dir_;
  std::shared_ptr<SqliteConnection> connection_ = OpenSqliteConnection(dir_.File("p.db"));
};

// The engine passes year 0 and a profile holding the year (a scenario checks that); without one
// the year is today's.
TEST_F(Procedures, PeriodWithoutAProfileYearIsOfTodaysYear) {
  const std::string today = std::to_string(CivilFromDayNumber(Now()).year);
  (void)connection_->Execute(
      "CREATE TABLE t_AccountingPeriod (FYear INT, FPeriod INT, FStartDate DATETIME, FEndDate "
      "DATETIME) CREATE TABLE t_SystemProfile (FCategory VARCHAR(30), FKey VARCHAR(50), FValue "
      "VARCHAR(255)) INSERT INTO t_AccountingPeriod VALUES (" +
      today + ", 7, '" + today + "-07-01', '" + today + "-07-31')");
  db::Command command(connection_, "getperiodstartend");
  auto& p = command.parameters();
  p.Append({"RETURN_VALUE", db::ParameterDirection::kReturnValue, {}});
  p.Append({"aYear", db::ParameterDirection::kInput, Variant(int32_t{0})});
  p.Append({"aPeriod", db::ParameterDirection::kInput, Variant(int32_t{7})});
  p.Append({"aPeriodStart", db::ParameterDirection::kOutput, {}});
  p.Append({"aPeriodEnd", db::ParameterDirection::kOutput, {}});
  command.Execute();
  EXPECT_TRUE(p.ReturnValue()->value == Variant(int32_t{0}));
  ASSERT_TRUE(p.Item("aPeriodStart").value.IsDate());
  EXPECT_EQ(FormatDate(p.Item("aPeriodStart").value.ToDate()), today + "-07-01");
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
