// The set-based balance update: update existing keys, drop them from #TempBill, insert the rest.
#include "stock/apply_temp_bill.h"

#include "frame/check_ado_error.h"
#include "frame/public_call.h"
#include "frame/shared_helpers.h"
#include "platform/variant/error.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

std::string ApplyBatch(const std::string& inv) {
  const std::string key_join =
      "ON t1.FItemID=u1.FItemID AND t1.FBatchNo=u1.FBatchNo AND t1.FAuxPropID=u1.FAuxPropID\r\n"
      "   AND t1.FStockID=u1.FStockID AND t1.FStockPlaceID=u1.FStockPlaceID \r\n"
      "   AND t1.FKFPeriod=u1.FKFPeriod AND t1.FKFDate=u1.FKFDate\r\n";
  std::string sql;
  sql += "UPDATE t1\r\n";
  sql += "SET t1.FQty=t1.FQty+u1.FQty,t1.FSecQty=t1.FSecQty+u1.FSecQty\r\n";
  sql += "FROM " + inv + " t1 INNER JOIN\r\n";
  sql += "(SELECT FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n";
  sql += "        ,SUM(FQty) AS FQty,SUM(FSecQty) AS FSecQty\r\n";
  sql += " FROM #TempBill\r\n";
  sql += " GROUP BY FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate\r\n";
  sql += ") u1\r\n";
  sql += key_join;
  sql += "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n";
  sql += "\r\n";
  sql += "DELETE u1\r\n";
  sql += "FROM " + inv + " t1 INNER JOIN #TempBill u1\r\n";
  sql += key_join;
  sql += "Inner Join T_Stock t On u1.FStockID=t.FItemID \r\n";
  sql += "\r\n";
  sql += "INSERT INTO " + inv +
         "(FBrNo,FItemID,FBatchNo,FAuxPropID,FStockID,FStockPlaceID,FKFPeriod,FKFDate,FQty,"
         "FSecQty)\r\n";
  sql +=
      "SELECT '',u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,"
      "u.FKFDate,SUM(u.FQty) AS FQty,SUM(u.FSecQty) AS FSecQty FROM #TempBill u \r\n";
  sql += "Inner Join T_Stock t On u.FStockID=t.FItemID \r\n";
  sql +=
      "GROUP BY u.FItemID,u.FBatchNo,u.FAuxPropID,u.FStockID,u.FStockPlaceID,u.FKFPeriod,"
      "u.FKFDate";
  return sql;
}

}  // namespace

bool ApplyTempBill(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTranType,
                   std::string& sMsg, const db::ConnectionPtr& connection) {
  try {
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
    conn->Execute(ApplyBatch(frame::GetInventoryTable(lTranType)));
    frame::CheckADOError(*conn, true);
    return false;
  } catch (...) {
    sMsg = frame::CurrentExceptionAsError().description();
    return true;
  }
}

}  // namespace cb::stock
