// IsLockStockInUse and CheckLockStock.
#include "stock/lock_stock.h"

#include "frame/check_ado_error.h"
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/temp_table_guard.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/error.h"
#include "stock/qty_direction.h"
#include "stock/stock_lookups.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kTempLockInfo = "#TempLockInfo";
// The stocks that hold locks on the bill's items.
constexpr std::string_view kFillTempLockInfo =
    "INSERT INTO #TempLockInfo(FItemID,FStockID)\r\n"
    "SELECT DISTINCT t1.FItemID,t1.FStockID\r\n"
    "FROM t_LockStock t1 INNER JOIN ICStockBillEntry u1\r\n"
    "ON u1.FItemID=t1.FItemID\r\n"
    "WHERE u1.FInterID=##Bill##";
constexpr std::string_view kLockedAboveStock =
    "物料[%1]代码[%2]在仓库[%3]中有锁库，当前操作会导致库存不足锁库!";
constexpr std::string_view kLockedNegative =
    "物料[%1]代码[%2]在仓库[%3]中有锁库，且会造成库存为负！不能更新库存!";

// The reservation update of the bill's type and the flag refresh that follows it; both empty for
// types that consume no reservation.
struct Adjustment {
  std::string reservations;
  std::string flags;
};

// Sales deliveries give back the reservations of their order lines, never above the quantity first
// reserved; ##Factor## is the direction factor, ##Bill## the bill.
constexpr std::string_view kSalesReservations =
    "UPDATE t1\r\n"
    "SET t1.FQty=CASE WHEN((t1.FQty+##Factor##*u1.FQty)>=t1.FOrgQty) THEN t1.FOrgQty ELSE "
    "(t1.FQty+##Factor##*u1.FQty) END\r\n"
    "FROM t_LockStock t1 INNER JOIN\r\n"
    "(SELECT FOrderInterID,FOrderEntryID,FItemID,SUM(FQty) AS FQty \r\n"
    "FROM ICStockBillEntry \r\n"
    "WHERE FInterID=##Bill##\r\n"
    "GROUP BY FOrderInterID,FOrderEntryID,FItemID) u1\r\n"
    "ON  u1.FOrderInterID=t1.FInterID AND u1.FOrderEntryID=t1.FEntryID AND "
    "u1.FItemID=t1.FItemID";
constexpr std::string_view kSalesFlags =
    "UPDATE P1 SET P1.FLockFlag=(CASE WHEN ISNULL(t1.FQty,0)<=0 THEN 0 ELSE 1 END)\r\n"
    "FROM SEOrderEntry P1 \r\n"
    "INNER JOIN ICStockBillEntry u1 ON u1.FOrderInterID=P1.FInterID AND "
    "u1.FOrderEntryID=P1.FEntryID AND u1.FItemID=P1.FItemID\r\n"
    "LEFT OUTER JOIN t_LockStock t1 ON P1.FInterID=t1.FInterID AND P1.FEntryID=t1.FEntryID "
    "AND t1.FTranType=81\r\n"
    "WHERE u1.FInterID=##Bill##";

// Production issues consume the reservations of their BOM lines, without a cap.
constexpr std::string_view kProductionReservations =
    "UPDATE t1\r\n"
    "SET t1.FQty=t1.FQty+##Factor##*u1.FQty \r\n"
    "FROM t_LockStock t1 INNER JOIN\r\n"
    "(SELECT u3.FInterID,u3.FEntryID,u3.FItemID,SUM(u2.FQty) AS FQty \r\n"
    "FROM ICStockBillEntry u2 INNER JOIN PPBOMEntry u3 \r\n"
    "ON u2.FSourceInterID=u3.FICMOInterID AND u2.FSourceEntryID=u3.FEntryID AND "
    "u2.FItemID=u3.FItemID \r\n"
    "WHERE u2.FInterID=##Bill##\r\n"
    "GROUP BY u3.FInterID,u3.FEntryID,u3.FItemID) u1\r\n"
    "ON  u1.FInterID=t1.FInterID AND u1.FEntryID=t1.FEntryID AND u1.FItemID=t1.FItemID";
constexpr std::string_view kProductionFlags =
    "UPDATE P1 SET P1.FLockFlag=(CASE WHEN ISNULL(t1.FQty,0)<=0 THEN 0 ELSE 1 END)\r\n"
    "FROM PPBOMEntry P1 \r\n"
    "INNER JOIN ICStockBillEntry u1 ON u1.FSourceInterID=P1.FICMOInterID AND "
    "u1.FSourceEntryID=P1.FEntryID AND u1.FItemID=P1.FItemID\r\n"
    "LEFT OUTER JOIN t_LockStock t1 ON P1.FInterID=t1.FInterID AND P1.FEntryID=t1.FEntryID "
    "AND t1.FTranType=88\r\n"
    "WHERE u1.FInterID=##Bill##";

Adjustment AdjustmentOf(int32_t tran_type, int32_t bill, int32_t factor) {
  auto fill = [bill, factor](std::string_view statement) {
    return frame::SqlTemplate(statement).Number("Factor", factor).Number("Bill", bill).Sql();
  };
  if (tran_type == SaleOutStock) return {fill(kSalesReservations), fill(kSalesFlags)};
  if (kProductionIssueTypes.Contains(tran_type)) {
    return {fill(kProductionReservations), fill(kProductionFlags)};
  }
  return {};
}

// Runs the adjustment; true when it changed at least one reservation. The flag refresh runs as a
// batch of its own so that @@RowCount counts reservations only.
bool AdjustReservations(db::Connection& conn, const Adjustment& adjustment) {
  if (adjustment.reservations.empty()) return false;
  db::RecordsetPtr count = conn.Execute("SET NOCOUNT ON\r\n" + adjustment.reservations +
                                        "\r\nSELECT @@RowCount AS FRowCount");
  const bool changed = !count->Eof() && FieldNumber(*count, "FRowCount") > 0;
  conn.Execute(adjustment.flags);
  frame::CheckADOError(conn, true);
  return changed;
}

// The two lock checks on #TempLockInfo; raises cb::Error(code, message) on a refusal.
void CheckLockedStock(db::Connection& conn, bool changed, const Dictionary& stocks,
                      const std::string& language) {
  db::RecordsetPtr rows = conn.Execute(
      "SELECT m1.FItemID,m1.FStockID,t3.FName AS FItemName,t3.FNumber AS FItemNumber,"
      "ISNULL(t4.FName,'') AS FStockName,ISNULL(t4.FNumber,'') AS FStockNumber\r\n"
      "FROM \r\n"
      "(SELECT t1.FItemID,t1.FStockID,SUM(t1.FQty) AS FLockQty \r\n"
      "FROM t_LockStock t1 INNER JOIN #TempLockInfo t2\r\n"
      "ON t1.FItemID=t2.FItemID AND t1.FStockID=t2.FStockID\r\n"
      "GROUP BY t1.FItemID,t1.FStockID) m1\r\n"
      "LEFT OUTER JOIN\r\n"
      "(SELECT v1.FItemID,v1.FStockID,SUM(v1.FQty) AS FInvQty\r\n"
      "FROM ICInventory v1 INNER JOIN #TempLockInfo t2\r\n"
      "ON v1.FItemID=t2.FItemID AND v1.FStockID=t2.FStockID\r\n"
      "GROUP BY v1.FItemID,v1.FStockID) m2 \r\n"
      "ON m1.FItemID=m2.FItemID AND m1.FStockID=m2.FStockID\r\n"
      "INNER JOIN t_ICItem t3 ON m1.FItemID=t3.FItemID\r\n"
      "LEFT OUTER JOIN t_Stock t4 ON m1.FStockID=t4.FItemID\r\n"
      "WHERE m1.FLockQty>m2.FInvQty");
  if (!rows->Eof()) {
    throw Error(
        changed ? kLockShortChanged : kLockShort, "",
        messages::FormatString(kLockedAboveStock, language,
                               {FieldText(*rows, "FItemName"), FieldText(*rows, "FItemNumber"),
                                FieldText(*rows, "FStockName")}));
  }
  rows = conn.Execute(
      "SELECT v1.FItemID,t2.FNumber,t2.FName,v1.FStockID,v1.FStockPlaceID,v1.FBatchNo,"
      "v1.FAuxPropID,v1.FKFDate,v1.FKFPeriod,\r\n"
      "SUM(v1.FQty) AS FInvQty\r\n"
      "FROM ICInventory v1 INNER JOIN \r\n"
      "#TempLockInfo t1 ON v1.FItemID=t1.FItemID AND v1.FStockID=t1.FStockID\r\n"
      "INNER JOIN t_ICItem t2 ON v1.FItemID=t2.FItemID\r\n"
      "INNER JOIN t_Stock t3 ON v1.FStockID=t3.FItemID\r\n"
      "GROUP BY v1.FItemID,t2.FNumber,t2.FName,v1.FStockID,v1.FStockPlaceID,v1.FBatchNo,"
      "v1.FAuxPropID,v1.FKFDate,v1.FKFPeriod\r\n"
      "HAVING SUM(v1.FQty)<0");
  if (!rows->Eof()) {
    const DictionaryPtr stock = LookupEntry(stocks, rows->Field("FStockID"));
    throw Error(kLockNegative, "",
                messages::FormatString(kLockedNegative, language,
                                       {FieldText(*rows, "FName"), FieldText(*rows, "FNumber"),
                                        LookupText(stock, kLookupName)}));
  }
}

}  // namespace

bool IsLockStockInUse(const std::string& /*sDsn*/, const Dictionary& dictSysProfile,
                      db::Connection& connection) {
  const bool profile_on = ProfileSwitch(dictSysProfile, kProfileUseLockStock);
  db::RecordsetPtr any = connection.Execute("SELECT TOP 1 * FROM t_LockStock");
  return !any->Eof() || profile_on;
}

int32_t CheckLockStock(frame::ClassFrame& frame, const std::string& sDsn,
                       const db::Recordset& rsBillHead, int32_t lOperateCode, int32_t lReCheck,
                       const Dictionary& dictStocks, std::string& sMsg,
                       const std::string& sLanguage, const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  try {
    const int32_t bill = rsBillHead.Field("FInterID").ToInt32();
    const int32_t tran_type = rsBillHead.Field("FTranType").ToInt32();
    const int32_t factor = GetQtyDirection(tran_type, lOperateCode);
    const bool changed = AdjustReservations(*conn, AdjustmentOf(tran_type, bill, factor));
    if (HasAnyBit(lReCheck, kReCheckStockRows)) return 0;

    frame.DropTempTable(sDsn, std::string(kTempLockInfo), conn);
    conn->Execute("CREATE TABLE #TempLockInfo(FItemID INT, FStockID INT)");
    frame::TempTableGuard lock_info(frame, sDsn, std::string(kTempLockInfo), conn);
    conn->Execute(frame::SqlTemplate(kFillTempLockInfo).Number("Bill", bill).Sql());
    CheckLockedStock(*conn, changed, dictStocks, sLanguage);
    lock_info.Drop();
    return 0;
  } catch (const Error& error) {
    sMsg = error.description();
    return error.number() != 0 ? error.number() : -1;
  }
}

}  // namespace cb::stock
