// The statements of the order write-backs, kept together so that each family reads as one text.
#include "stock/order_write_back_sql.h"

#include "frame/vocabulary/profile_keys.h"

namespace cb::stock {

namespace {

// Both SET expressions read the old FStockQty, so FAuxStockQty is the new base quantity in the
// entry's unit, rounded to the item's quantity decimals.
#define ORDER_WRITE_BACK(ENTRY_TABLE)                                                   \
  "IF EXISTS(SELECT FOrderInterID FROM ICStockBillEntry WHERE FOrderInterID>0 AND "     \
  "FInterID=##Bill##)\r\n"                                                              \
  " UPDATE u1\r\n"                                                                      \
  " SET u1.FStockQty=u1.FStockQty+##W##*u2.FStockQty\r\n"                               \
  "     ,u1.FAuxStockQty=ROUND((u1.FStockQty+##W##*u2.FStockQty)/t3.FCoefficient,"      \
  "t1.FQtyDecimal)\r\n"                                                                 \
  " FROM " ENTRY_TABLE                                                                  \
  " u1 \r\n"                                                                            \
  " INNER JOIN \r\n"                                                                    \
  " (SELECT FOrderInterID,FOrderEntryID,FItemID,SUM(FQty)AS FStockQty,SUM(FAuxQty) AS " \
  "FAuxStockQty\r\n"                                                                    \
  "  FROM ICStockBillEntry WHERE FInterID=##Bill##\r\n"                                 \
  "  GROUP BY FOrderInterID,FOrderEntryID,FItemID) u2\r\n"                              \
  " ON u1.FInterID=u2.FOrderInterID AND u1.FEntryID=u2.FOrderEntryID AND "              \
  "u1.FItemID=u2.FItemID"                                                               \
  " INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID"                                    \
  " INNER JOIN t_MeasureUnit t3 ON u1.FUnitID=t3.FItemID"

#define ORDER_LINES_OF_BILL(ENTRY_TABLE)                                \
  "FROM " ENTRY_TABLE                                                   \
  " p1 INNER JOIN ICStockBillEntry u1 ON u1.FOrderInterID=p1.FInterID " \
  "AND u1.FOrderEntryID=p1.FEntryID\r\n"

// The orders of the bill are closed together when, item by item over all their lines, nothing
// ordered is left uncommitted. Nothing here reopens an order.
#define CLOSE_ORDERS(HEAD_TABLE, ENTRY_TABLE)                                              \
  " IF NOT EXISTS (\r\n"                                                                   \
  "      Select 1 From (select  s1.FitemID,case when isnull(SUM(s1.FQty),0)<="             \
  "isnull(SUM(s1.FCommitQty),0) then 1 else 0 end as FStatus\r\n"                          \
  "      FROM  " ENTRY_TABLE                                                               \
  " s1\r\n"                                                                                \
  "      Where s1.FInterID in (select FOrderInterID from ICStockBillEntry Where FInterID " \
  "=##Bill##)\r\n"                                                                         \
  "      Group by s1.FitemID) t where t.FStatus=0\r\n"                                     \
  "   )\r\n"                                                                               \
  "  UPDATE m1 SET m1.FStatus=3\r\n"                                                       \
  "  FROM " HEAD_TABLE                                                                     \
  " m1 Where m1.FInterID in (select FOrderInterID from ICStockBillEntry "                  \
  "Where FInterID =##Bill##)"

#define FLAG_BY_QTY(ENTRY_TABLE)                                                                  \
  "UPDATE p1 \r\n"                                                                                \
  "SET p1.FMrpClosed=(CASE WHEN p1.FStockQty<p1.FQty THEN 0 ELSE 1 END)\r\n" ORDER_LINES_OF_BILL( \
      ENTRY_TABLE) "WHERE u1.FInterID=##Bill##"

}  // namespace

const OrderWriteBackSql kPurchaseOrderSql = {
    ORDER_WRITE_BACK("POOrderEntry"),
    "SELECT DISTINCT v1.FBillNo,u1.FEntryID,t1.FName,t1.FNumber \r\n"
    " FROM POOrder v1 INNER JOIN POOrderEntry u1 ON v1.FInterID=u1.FInterID\r\n"
    " INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID\r\n"
    " INNER JOIN ICStockBillEntry u2 ON u1.FInterID=u2.FOrderInterID AND "
    "u1.FEntryID=u2.FOrderEntryID AND u1.FItemID=u2.FItemID       \r\n"
    " WHERE u1.FStockQty<0 AND u2.FInterID=##Bill##",
    "SELECT u1.FEntryID,t1.FName AS FItemName,t1.FNumber\r\n" ORDER_LINES_OF_BILL(
        "POOrderEntry") "INNER JOIN t_ICItem t1 ON p1.FItemID=t1.FItemID\r\n"
                        "WHERE u1.FInterID=##Bill## AND "
                        "p1.FStockQty/p1.FQty>(1+t1.FOIHighLimit/100)",
    "UPDATE p1 \r\n"
    "SET p1.FMrpClosed=(CASE WHEN (p1.FStockQty/p1.FQty)<(1-t1.FOILowLimit/100) THEN 0 ELSE 1 "
    "END)\r\n" ORDER_LINES_OF_BILL("POOrderEntry") "INNER JOIN t_ICItem t1 ON "
                                                   "p1.FItemID=t1.FItemID\r\n"
                                                   "WHERE u1.FInterID=##Bill##",
    FLAG_BY_QTY("POOrderEntry"),
    CLOSE_ORDERS("POOrder", "POOrderEntry"),
    kProfilePOQtyLargeStock,
    "采购订单[%1]第[%2]条分录物料[%3]代码[%4]的入库数量为负!",
    "第[%1]条分录物料[%2]代码[%3]的入库数量超过其超收比例，不允许更新库存!",
};

const OrderWriteBackSql kSalesOrderSql = {
    ORDER_WRITE_BACK("SEOrderEntry"),
    "SELECT v1.FBillNo,u1.FEntryID,t1.FName,t1.FNumber \r\n"
    " FROM SEOrder v1 INNER JOIN SEOrderEntry u1 ON v1.FInterID=u1.FInterID\r\n"
    " INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID\r\n"
    " INNER JOIN ICStockBillEntry u2 ON u1.FInterID=u2.FOrderInterID AND "
    "u1.FEntryID=u2.FOrderEntryID AND u1.FItemID=u2.FItemID       \r\n"
    " WHERE u1.FStockQty<0 AND u2.FInterID=##Bill##",
    "SELECT u1.FEntryID,t1.FName AS FItemName,t1.FNumber,p1.FQty,p1.FStockQty,t1.FSOHighLimit\r\n"
    ORDER_LINES_OF_BILL("SEOrderEntry") "INNER JOIN t_ICItem t1 ON p1.FItemID=t1.FItemID\r\n"
                                        "WHERE u1.FInterID=##Bill## AND "
                                        "p1.FStockQty/p1.FQty>(1+t1.FSOHighLimit/100)",
    "UPDATE p1 \r\n"
    "SET p1.FMrpClosed=(CASE WHEN (p1.FStockQty/p1.FQty)<(1-t1.FSOLowLimit/100) THEN 0 ELSE 1 "
    "END)\r\n" ORDER_LINES_OF_BILL("SEOrderEntry") "INNER JOIN t_ICItem t1 ON "
                                                   "p1.FItemID=t1.FItemID\r\n"
                                                   "WHERE u1.FInterID=##Bill##",
    FLAG_BY_QTY("SEOrderEntry"),
    CLOSE_ORDERS("SEOrder", "SEOrderEntry"),
    kProfileOrdStockOutByProportion,
    "销售订单[%1]第[%2]条分录物料[%3]代码[%4]的出库数量为负!",
    "第[%1]条分录物料[%2]代码[%3]的出库数量超过其超交比例，不允许更新库存!",
};

}  // namespace cb::stock
