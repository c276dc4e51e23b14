// The columns the check-flag writer and the stock driver use exist on the tables they name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installed_schema.h"

namespace cb::schema::testing {
namespace {

struct FlagWrite {
  const char* table;
  const char* assignments;
};

// Each head table receives its checker, status and date columns (and the extra columns some reset)
// with the values of an uncheck.
TEST_F(InstalledSchema, CheckFlagColumnsExistOnEveryHeadTheWriterUpdates) {
  const char* kCommon = "FCheckerID=Null,FStatus=0,FCheckDate=Null";
  const std::vector<FlagWrite> writes = {
      {"ICStockBill", kCommon},
      {"ZPStockBill", kCommon},
      {"ICQCBill", kCommon},
      {"ICPlanAdjPrice", kCommon},
      {"PORequest", "FCheckerID=Null,FStatus=0,FCheckTime=Null"},
      {"POOrder",
       "FAlterID=0,FAlterDate=Null,FCheckerID=Null,FStatus=0,FCheckDate=Null,"
       "FOrderAffirm=(CASE WHEN FOrderAffirm=2 THEN 0 ELSE FOrderAffirm END)"},
      {"POInstock", kCommon},
      {"POStockBill", kCommon},
      {"ICPurchase", kCommon},
      {"ICExpenses", kCommon},
      {"ICSale", kCommon},
      {"SEOrder", "FAlterID=0,FAlterDate=Null,FCheckerID=Null,FStatus=0,FCheckDate=Null"},
      {"SEOutStock", kCommon},
      {"PORFQ", kCommon},
      {"ICMO", kCommon},
      {"ICApportionFee", kCommon},
      {"PPBOM", kCommon},
      {"ICSTJGBill", kCommon},
      {"QMSaleCkRequest", kCommon},
      {"QMINQCReq", kCommon},
      {"QMOtCkRequest", kCommon},
      {"QMIcmoCkRequest", kCommon},
  };
  for (const FlagWrite& write : writes) {
    SCOPED_TRACE(write.table);
    EXPECT_NO_THROW(connection().Execute(std::string("UPDATE ") + write.table + " SET " +
                                         write.assignments + " WHERE FInterID=0"));
  }
}

struct StockSource {
  int type;
  const char* entry_table;
  const char* stock_column;
  const char* place_column;
};

// The stock driver turns each line into rows keyed by item, batch, property, stock, place and shelf
// life, taking stock and place from the columns of the bill's type.
TEST_F(InstalledSchema, StockSourceColumnsExistOnEveryStockBillsEntryTable) {
  const std::vector<StockSource> sources = {
      {1, "ICStockBillEntry", "FDCStockID", "FDCSPID"},
      {21, "ICStockBillEntry", "FDCStockID", "FDCSPID"},
      {24, "ICStockBillEntry", "FSCStockID", "FDCSPID"},
      {41, "ICStockBillEntry", "FSCStockID", "FSCSPID"},
      {6, "ZPStockBillEntry", "FDCStockID", "FDCSPID"},
      {26, "ZPStockBillEntry", "FDCStockID", "FDCSPID"},
      {74, "POStockBillEntry", "FDCStockID", "FDCSPID"},
      {74, "POStockBillEntry", "FSCStockID", "FSCSPID"},
      {72, "POInstockEntry", "FStockID", "FDCSPID"},
      {702, "POInstockEntry", "FStockID", "FDCSPID"},
      {92, "ICSTJGBillEntry", "FDCStockID", "FDCSPID"},
      {137, "ICSTJGBillEntry", "FSCStockID", "FDCSPID"},
  };
  for (const StockSource& source : sources) {
    SCOPED_TRACE("type " + std::to_string(source.type));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM ICTransactionType WHERE FID=" +
                    std::to_string(source.type) + " AND FEntryTable='" + source.entry_table + "'"),
              1);
    EXPECT_NO_THROW(connection().Execute(
        std::string("SELECT u1.FInterID,u1.FEntryID,u1.FItemID,ISNULL(u1.FBatchNo,'') AS FBatchNo,"
                    "u1.FAuxPropID,ISNULL(u1.") +
        source.stock_column + ",0) AS FStockID,ISNULL(u1." + source.place_column +
        ",0) AS FStockPlaceID,ISNULL(u1.FKFPeriod,0) AS FKFPeriod,"
        "LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate,"
        "1*u1.FQty AS FQty,1*u1.FSecQty AS FSecQty FROM " +
        source.entry_table + " u1 WHERE u1.FInterID=0"));
  }
}

}  // namespace
}  // namespace cb::schema::testing
