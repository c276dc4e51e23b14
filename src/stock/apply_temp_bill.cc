// The set-based balance update: update existing keys, drop them from #TempBill, insert the rest.
#include "stock/apply_temp_bill.h"

#include "frame/check_ado_error.h"
#include "frame/public_call.h"
#include "frame/shared_helpers.h"
#include "frame/sql_template.h"
#include "platform/variant/error.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

// Adds the per-key sums to the rows that exist, removes those keys from #TempBill, and inserts the
// keys that remain; stocks missing from T_Stock take part in none of the three.
constexpr std::string_view kApplyBatch =
    "UPDATE t1\r\n"
    "SET t1.FQty=t1.FQty+u1.FQty,t1.FSecQty=t1.FSecQty+u1.FSecQty\r\n"
    "FROM ##Inventory## t1 INNER JOIN\r\n"
    "(SELECT FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n"
    "        ,SUM(FQty) AS FQty,SUM(FSecQty) AS FSecQty\r\n"
    " FROM #TempBill\r\n"
    " GROUP BY FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n"
    ") u1\r\n"
    "##KeyJoin##"
    "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n"
    "\r\n"
    "DELETE u1\r\n"
    "FROM ##Inventory## t1 INNER JOIN #TempBill u1\r\n"
    "##KeyJoin##"
    "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n"
    "\r\n"
    "INSERT INTO ##Inventory##(FBrNo,FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,"
    "FKFDate,FQty,FSecQty)\r\n"
    "SELECT '',u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,"
    "u.FKFDate,SUM(u.FQty) AS FQty,SUM(u.FSecQty) AS FSecQty FROM #TempBill u \r\n"
    "Inner Join T_Stock t On u.FStockID=t.FItemID \r\n"
    "GROUP BY u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,"
    "u.FKFDate";

// The seven key columns of an inventory row, matched between t1 and u1.
constexpr std::string_view kKeyJoin =
    "ON t1.FItemID=u1.FItemID AND t1.FBatchNo=u1.FBatchNo AND t1.FAuxPropID=u1.FAuxPropID\r\n"
    "   AND t1.FStockID=u1.FStockID AND t1.FStockPlaceID=u1.FStockPlaceID \r\n"
    "   AND t1.FKFPeriod=u1.FKFPeriod AND t1.FKFDate=u1.FKFDate\r\n";

}  // namespace

bool ApplyTempBill(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType,
                   std::string& sMsg, const db::ConnectionPtr& connection) {
  try {
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
    conn->Execute(frame::SqlTemplate(kApplyBatch)
                      .Fragment("KeyJoin", kKeyJoin)
                      .Fragment("Inventory", frame::GetInventoryTable(lTranType))
                      .Sql());
    frame::CheckADOError(*conn, true);
    return false;
  } catch (...) {
    sMsg = frame::CurrentExceptionAsError().description();
    return true;
  }
}

}  // namespace cb::stock
