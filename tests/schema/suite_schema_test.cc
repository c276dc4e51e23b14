// Installing the suite's schema: all or nothing, refusal to overwrite, and the seed rows and bill
// registry that bills rely on.
#include "schema/suite_schema.h"

#include <gtest/gtest.h>

#include <string>

#include "installed_schema.h"
#include "platform/variant/date.h"
#include "platform/variant/error.h"
#include "schema/suite_scripts.h"
#include "support/fault_injecting_connection.h"

namespace cb::schema::testing {
namespace {

using cb::testing::TempDatabase;

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
