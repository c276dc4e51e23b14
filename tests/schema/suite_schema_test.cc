// Installing the suite's schema: refusal to overwrite, the seed rows and the bill registry, and
// what bills and the engine's partial inserts can rely on.
#include "schema/suite_schema.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "installed_schema.h"
#include "platform/variant/date.h"
#include "platform/variant/error.h"
#include "schema/suite_scripts.h"
#include "support/fault_injecting_connection.h"

namespace cb::schema::testing {
namespace {

using cb::testing::TempDatabase;

TEST(SuiteSchema, InstallJoinsTheCallersTransactionAndRollsBackWithIt) {
  TempDatabase database;
  auto connection = sqlite::OpenSqliteConnection(database.path());
  connection->BeginTrans();
  InstallSuiteSchema(*connection);
  EXPECT_TRUE(IsSuiteSchemaInstalled(*connection));
  EXPECT_TRUE(connection->InTransaction());
  connection->RollbackTrans();
  EXPECT_FALSE(IsSuiteSchemaInstalled(*connection));
}

// The embedded scripts (the suite's and the demo's) are exactly the schema folder's .sql files.
TEST(SuiteScripts, EmbedEverySqlFileOfTheSchemaFolderOnceAsItStandsOnDisk) {
  const std::filesystem::path folder = std::filesystem::path(CHECKBILL_SOURCE_DIR) / "schema";
  std::set<std::string> on_disk;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() == ".sql") on_disk.insert(file.path().filename().string());
  }
  std::set<std::string> embedded;
  for (const auto& scripts : {SuiteScripts(), DemoScripts()}) {
    for (const SuiteScript& script : scripts) {
      EXPECT_TRUE(embedded.insert(std::string(script.name)).second) << script.name;
      std::ifstream in(folder / std::string(script.name), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      EXPECT_EQ(script.text, text.str()) << script.name;
    }
  }
  EXPECT_EQ(embedded, on_disk);
}

// Statements of an install: the probe, one batch per script, the calendar's DELETE, one batch per
// year.
TEST(SuiteSchema, AnyFailingStatementLeavesNoSchemaBehind) {
  const int64_t scripts = static_cast<int64_t>(SuiteScripts().size());
  const int64_t years = kLastCalendarYear - kFirstCalendarYear + 1;
  for (int64_t fail_at :
       {int64_t{1}, int64_t{2}, scripts + 1, scripts + 2, scripts + 3, scripts + 2 + years}) {
    SCOPED_TRACE("failing statement " + std::to_string(fail_at));
    TempDatabase database;
    auto inner = sqlite::OpenSqliteConnection(database.path());
    cb::testing::FaultInjectingConnection faulty(inner, fail_at);
    try {
      InstallSuiteSchema(faulty);
      ADD_FAILURE() << "install succeeded";
    } catch (const Error& error) {
      if (fail_at >= 2 && fail_at <= scripts + 1) {
        std::string script(SuiteScripts()[static_cast<size_t>(fail_at - 2)].name);
        EXPECT_NE(error.description().find(script), std::string::npos) << error.description();
      }
    }
    EXPECT_EQ(faulty.statement_count(), fail_at);
    EXPECT_FALSE(inner->InTransaction());
    EXPECT_FALSE(IsSuiteSchemaInstalled(*inner));
    EXPECT_THROW(inner->Execute("SELECT COUNT(*) FROM t_ICItem"), Error);
  }
}

TEST_F(InstalledSchema, SecondInstallIsRefusedAndChangesNothing) {
  connection().Execute(
      "UPDATE t_SystemProfile SET FValue='7' WHERE FCategory='IC' AND FKey='CurrentPeriod'");
  connection().Execute("DELETE FROM t_AccountingPeriod WHERE FYear=2001");
  int32_t types = Count("SELECT COUNT(*) FROM ICTransactionType");

  EXPECT_THROW(InstallSuiteSchema(connection()), Error);

  EXPECT_FALSE(connection().InTransaction());
  EXPECT_EQ(Scalar("SELECT FValue FROM t_SystemProfile WHERE FCategory='IC' AND "
                   "FKey='CurrentPeriod'")
                .ToString(),
            "7");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod WHERE FYear=2001"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ICTransactionType"), types);
}

// The accounting calendar: one period per calendar month, leap years included, for exactly the
// century from 2000.
TEST_F(InstalledSchema, CalendarPeriodsAreTheCalendarMonthsOfTheCentury) {
  struct Period {
    int year;
    int period;
    int last_day;
  };
  const Period months[] = {
      {2024, 2, 29}, {2023, 2, 28}, {2000, 2, 29}, {2024, 4, 30}, {2099, 12, 31},
  };
  for (const Period& p : months) {
    SCOPED_TRACE(std::to_string(p.year) + "/" + std::to_string(p.period));
    db::RecordsetPtr row = connection().Execute(
        "SELECT FStartDate,FEndDate FROM t_AccountingPeriod WHERE FYear=" + std::to_string(p.year) +
        " AND FPeriod=" + std::to_string(p.period));
    ASSERT_EQ(row->RecordCount(), 1);
    EXPECT_EQ(row->Field("FStartDate").ToDate(), DayNumberFromCivil(p.year, p.period, 1));
    EXPECT_EQ(row->Field("FEndDate").ToDate(), DayNumberFromCivil(p.year, p.period, p.last_day));
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod"), 1200);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod WHERE FYear BETWEEN 2000 AND 2099 "
                  "AND FPeriod BETWEEN 1 AND 12"),
            1200);
}

// The profile's current period must exist in the calendar, or no bill date can be placed.
TEST_F(InstalledSchema, CurrentAndStartPeriodsExistInTheCalendar) {
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AccountingPeriod p, t_SystemProfile y, t_SystemProfile c "
                  "WHERE y.FCategory='IC' AND y.FKey='CurrentYear' AND c.FCategory='IC' "
                  "AND c.FKey IN ('CurrentPeriod','StartPeriod') "
                  "AND p.FYear=CAST(y.FValue AS INT) AND p.FPeriod=CAST(c.FValue AS INT)"),
            2);
}

// Lines without stock place or auxiliary property join place 0 and property 0; BOMs are active
// through the 'zt01' status.
TEST_F(InstalledSchema, LookupRowsThatInnerJoinsNeedArePresent) {
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_StockPlace WHERE FSPID=0"), 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_AuxItem WHERE FItemID=0"), 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM T_submessage WHERE FID='ZT01'"), 1);
}

// Loading a bill reads the head by FInterID and FTranType and the lines by FInterID, and the guards
// read the same head columns for every type; a registered table without them breaks every check.
TEST_F(InstalledSchema, EveryRegisteredTableHoldsTheColumnsBillLoadingReads) {
  db::RecordsetPtr types =
      connection().Execute("SELECT FID,FHeadTable,FEntryTable FROM ICTransactionType");
  int heads = 0;
  for (; !types->Eof(); types->MoveNext()) {
    std::string head = types->Field("FHeadTable").ToString();
    std::string entry = types->Field("FEntryTable").ToString();
    SCOPED_TRACE("type " + types->Field("FID").ToString());
    if (!head.empty()) {
      ++heads;
      EXPECT_NO_THROW(connection().Execute(
          "SELECT FInterID,FTranType,FBillNo,FDate,FCancelLation,FStatus,FCheckerID,FBillerID "
          "FROM " +
          head + " WHERE FInterID=0 AND FTranType=0"));
    }
    if (!entry.empty()) {
      EXPECT_NO_THROW(connection().Execute("SELECT * FROM " + entry + " WHERE FInterID=0"));
    }
  }
  EXPECT_GT(heads, 50);
}

// Types the check-flag writer reaches through the registry must stay unregistered when the suite
// has no bills of theirs, so that the writer fails instead of updating some other table.
TEST_F(InstalledSchema, TypesWithoutBillsAreNotRegistered) {
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ICTransactionType WHERE FID IN (0,3,79)"), 0);
}

// Every inspection request type carries lines with the quantity already taken into inspection
// bills.
TEST_F(InstalledSchema, InspectionRequestLinesRecordTheirRelatedQuantity) {
  db::RecordsetPtr types = connection().Execute(
      "SELECT FID,FEntryTable FROM ICTransactionType WHERE FID IN (701,702,703,704,705,706,717)");
  EXPECT_EQ(types->RecordCount(), 7);
  for (; !types->Eof(); types->MoveNext()) {
    SCOPED_TRACE("type " + types->Field("FID").ToString());
    EXPECT_NO_THROW(connection().Execute("SELECT FAuxRelateQty FROM " +
                                         types->Field("FEntryTable").ToString() +
                                         " WHERE FInterID=0"));
  }
}

// The engine inserts into these tables naming only some columns (its inventory inserts run in the
// scenarios); the others must fill themselves, batch trace ids counting up.
TEST_F(InstalledSchema, PartialInsertsTheEngineSendsSucceed) {
  connection().Execute(
      "INSERT INTO ICPlanHistory(FBrNo,FItemID,FInterID,FPlanPrice,FDate,FNewPlanPrice) "
      "VALUES('0',5,1003,10,'2024-03-05',12)\r\n"
      "INSERT INTO ICOrderBatchTrace(FItemID,FBatchNo,FCustBomID,FOrderInterID) VALUES "
      "(5,'B1',9,0)\r\n"
      "INSERT INTO ICOrderBatchTrace(FItemID,FBatchNo,FCustBomID,FOrderInterID) VALUES "
      "(5,'B2',9,0)");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ICOrderBatchTrace WHERE FForbid=0 AND "
                  "((FBatchNo='B1' AND FTraceID=1) OR (FBatchNo='B2' AND FTraceID=2))"),
            2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ICPlanHistory WHERE FInterID=1003"), 1);
}

// Batch numbers compare as the suite's database compares text: blind to case and trailing blanks,
// so one inventory key cannot be stored twice under two spellings.
TEST_F(InstalledSchema, InventoryKeyIsUniqueUnderCaseInsensitiveBatchNumbers) {
  const std::string columns =
      "INSERT INTO "
      "POInventory(FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate,"
      "FQty,FSecQty) VALUES ";
  connection().Execute(columns + "(5,'Lot-A',0,2,0,0,'2024-01-02',1,0)");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM POInventory WHERE FBatchNo='LOT-a '"), 1);
  EXPECT_THROW(connection().Execute(columns + "(5,'lot-a ',0,2,0,0,'2024-01-02',1,0)"), Error);
  EXPECT_NO_THROW(connection().Execute(columns + "(5,'lot-a',0,2,0,0,'',1,0)"));
}

}  // namespace
}  // namespace cb::schema::testing
