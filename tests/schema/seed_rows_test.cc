// The rows a fresh schema brings: the system profile and the lookup rows that inner joins rely on.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "installed_schema.h"
#include "platform/variant/error.h"

namespace cb::schema::testing {
namespace {

// A fresh database: initialised, period 1 of 2024 open, every switch off.
TEST_F(InstalledSchema, ProfileHoldsEveryKeyTheEngineReadsWithFreshDefaults) {
  // "Category|Key=Value" for every row.
  std::istringstream expected(
      "IC|StartPeriod=1 IC|CurrentPeriod=1 IC|CurrentYear=2024 IC|ICClosed=1 IC|BillStatus=0 "
      "IC|IsOkToModAfterClose=0 IC|UseShortNumber=0 IC|WorkCalendarset=0 IC|ISUseMultiCheck=0 "
      "IC|UseOrderBatchTrace=0 IC|UseHighInv=0 IC|UseLowInv=0 IC|UseSafeInv=0 IC|UseInvMgr=0 "
      "IC|UseLockStock=0 IC|UnderStock=0 IC|ShowUnderTip=0 IC|AutoUpdateSP=0 IC|AutoUpdatePP=0 "
      "IC|AlertSELowPrice=0 IC|AlertSELowPriceWhenCheck=0 IC|AlertPOMaxPrice=0 "
      "IC|AlertHighPriceWhenCheck=0 IC|SameUserApprovalAndUnApproval=0 IC|POQtyLargeStock=0 "
      "IC|CQtyLargerSEQty=0 IC|OrdStockOutByProportion=0 IC|SInvoiceDecimal=2 "
      "IC|SEOrderTaxInPrice=0 IC|POOrderTaxInPrice=0 General|SingleMan=0");
  int32_t rows = 0;
  for (std::string row; expected >> row; ++rows) {
    SCOPED_TRACE(row);
    const size_t bar = row.find('|');
    const size_t equals = row.find('=');
    db::RecordsetPtr found = connection().Execute(
        "SELECT FValue FROM t_SystemProfile WHERE FCategory='" + row.substr(0, bar) +
        "' AND FKey='" + row.substr(bar + 1, equals - bar - 1) + "'");
    ASSERT_EQ(found->RecordCount(), 1);
    EXPECT_EQ(found->Field("FValue").ToString(), row.substr(equals + 1));
  }
  EXPECT_EQ(Count("SELECT COUNT(*) FROM t_SystemProfile"), rows);
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

struct Reference {
  const char* table;
  const char* columns;
};

// Tables with the columns the engine joins on, reads and writes: reference tables, the heads the
// check-flag writer updates and the lines the stock driver reads.
TEST_F(InstalledSchema, TablesHoldTheColumnsTheEngineReadsAndWrites) {
  const char* kLine =
      "FInterID,FEntryID,FItemID,FBatchNo,FAuxPropID,FKFPeriod,FKFDate,FQty,FSecQty,";
  std::vector<Reference> expected = {
      {"t_ThirdPartyComponent", "FTypeID,FTypeDetailID,FIndex,FComponentSrv,FComponentName"},
      {"t_ICItem",
       "FItemID,FNumber,FName,FShortNumber,FModel,FPlanPrice,FUnitID,FLowLimit,FHighLimit,FSecInv,"
       "FQtyDecimal,FPriceDecimal,FISKFPeriod,FKFPeriod,FInspectionLevel,FErpClsID,FOIHighLimit,"
       "FOILowLimit,FSOHighLimit,FSOLowLimit,FSalePriceFixingType,FPriceFixingType,FSoLowPrc,"
       "FSOLowPrcMnyType,FPOHighPrice,FPOHghPrcMnyType,FWWHghPrc,FWWHghPrcMnyType"},
      {"t_ICItemCore", "FItemID,FOrderPrice"},
      {"t_ICItemMaterial", "FItemID,FSalePrice,FPriceDecimal"},
      {"t_MeasureUnit", "FItemID,FMeasureUnitID,FCoefficient,FScale,FName,FNumber"},
      {"t_Currency", "FCurrencyID,FName,FExchangeRate,FOperator,FScale"},
      {"t_Stock", "FItemID,FNumber,FName,FIsStockMgr,FTypeID"},
      {"t_Cust", "FCustID,FItemID,FSELowPrice,FCurrencyID"},
      {"t_Supply", "FSupID,FItemID,FPOHighPrice,FCurrencyID,FPType"},
      {"t_LockStock", "FInterID,FEntryID,FTranType,FItemID,FStockID,FQty,FOrgQty"},
      {"QMIcmoCkRequest", "FInterID,FICMOInterID,FICMORptID"},
      {"QMReject", "FCheckBillID"},
      {"SHProcRpt",
       "FInterID,FEntryID,FAuxQtyFinish,FAuxQtyLost,FAuxQtyScrap,FAuxQtyForItem,"
       "FAuxQtyPass"},
      {"SHICMORpt", "FInterID,FICMOInterID"},
      {"ICMORptEntry",
       "FInterID,FEntryID,FUnitID,FAuxQtyPass,FAuxQtyForItem,FAuxQtyScrap,FQtyPass,"
       "FQtyForItem,FQtyScrap"},
      {"ICInvBal", "FItemID,FYear,FPeriod,FBegQty,FBegDiff"},
      {"ICBal", "FItemID,FYear,FPeriod,FBegQty,FBegDiff"},
      {"ICClientVer", "FDInterID,FSInterID"},
      {"ICHookRelations", "FGroupNo,FHookType,FIBTag,FIBInterID,FIBNo,FEquityHook,FTranType"},
      {"ICChange", "FID,FClassTypeID,FStatus"},
      {"T_MAKEVOUCHTEMP", "FVchInterID,FSCBillInterID"},
      {"ICStockCheckProcess", "FID,FStatus"},
      {"ICBOM", "FInterID,FItemID,FUseStatus,FStatus"},
      {"ICBOMChild", "FInterID,FItemID,FUnitID"},
      {"QMSaleCkRequestEntry", "FSerialID"},
      {"QMIcmoCkRequestEntry", "FSourceEntryID"},
      {"ICApportionFeeEntry", "FSourceInterID,FSourceEntryID"},
      {"PPBOMEntry", "FInterID,FEntryID,FICMOInterID,FItemID,FLockFlag"},
      {"PORequest", "FCheckerID,FStatus,FCheckTime"},
      {"POOrder", "FAlterID,FAlterDate,FCheckerID,FStatus,FCheckDate,FOrderAffirm"},
      {"SEOrder", "FAlterID,FAlterDate,FCheckerID,FStatus,FCheckDate"},
  };
  for (const char* head : {"ICStockBill", "ZPStockBill", "ICQCBill", "ICPlanAdjPrice", "POInstock",
                           "POStockBill", "ICPurchase", "ICExpenses", "ICSale", "SEOutStock",
                           "PORFQ", "ICMO", "ICApportionFee", "PPBOM", "ICSTJGBill",
                           "QMSaleCkRequest", "QMINQCReq", "QMOtCkRequest", "QMIcmoCkRequest"}) {
    expected.push_back({head, "FInterID,FCheckerID,FStatus,FCheckDate"});
  }
  const std::string lines[][2] = {
      {"ICStockBillEntry", "FDCStockID,FSCStockID,FDCSPID,FSCSPID"},
      {"ZPStockBillEntry", "FDCStockID,FDCSPID"},
      {"POStockBillEntry", "FDCStockID,FSCStockID,FDCSPID,FSCSPID"},
      {"POInstockEntry", "FStockID,FDCSPID"},
      {"ICSTJGBillEntry", "FDCStockID,FSCStockID,FDCSPID"},
  };
  std::vector<std::string> line_columns;  // kept alive for the pointers in `expected`
  for (const auto& [table, stock_columns] : lines) line_columns.push_back(kLine + stock_columns);
  for (size_t i = 0; i < line_columns.size(); ++i) {
    expected.push_back({lines[i][0].c_str(), line_columns[i].c_str()});
  }
  for (const Reference& row : expected) {
    SCOPED_TRACE(row.table);
    EXPECT_NO_THROW(connection().Execute(std::string("SELECT ") + row.columns + " FROM " +
                                         row.table + " WHERE 1=0"));
  }
}

// One write-back names FInterID unqualified while joined to the unit table.
TEST_F(InstalledSchema, UnitTableHasNoBillIdColumn) {
  EXPECT_THROW(connection().Execute("SELECT FInterID FROM t_MeasureUnit"), Error);
}

}  // namespace
}  // namespace cb::schema::testing
