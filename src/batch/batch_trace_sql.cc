// The statements of the customer-BOM batch trace, each written out as one text.
#include "batch/batch_trace_sql.h"

namespace cb::batch {

const std::string_view kConfiguredLinesSql =
    "SELECT * FROM ICStockBillEntry u1 INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID WHERE "
    "u1.FInterID=##Bill## AND t1.FErpClsID=7";

const std::string_view kUntracedBatchesSql =
    "SELECT DISTINCT FName,FItemID,FBatchNo \r\n"
    "FROM (SELECT v1.FItemID,v1.FBatchNo,t1.FName,v2.FItemID AS FItemID1,v2.FBatchNo AS FBatchNo1 "
    "\r\n"
    "FROM ICStockBillEntry v1 INNER JOIN t_ICItem t1 ON t1.FItemID=v1.FItemID AND t1.FErpClsID=7 "
    "\r\n"
    "LEFT JOIN ICOrderBatchTrace v2 ON v1.FItemID=v2.FItemID and v1.FBatchNo=v2.FBatchNo AND "
    "v2.FForbid=0\r\n"
    "WHERE v1.FInterID=##Bill##) m1 \r\n"
    "Where FItemID1 Is Null Or FBatchNo1 Is Null \r\n";

// Lines produced for a production order take its customer BOM and sales order; lines linked to a
// sales-order line take that line's customer BOM; the other configured-item lines take none.
const std::string_view kProductionLinksSql =
    "SET NOCOUNT ON\r\n"
    "DECLARE @InterID INT\r\n"
    "DECLARE @ROB INT\r\n"
    "\r\n"
    "SET @InterID=##Bill##\r\n"
    "SET @ROB=##ROB##\r\n"
    "\r\n"
    "CREATE TABLE #OrderBOM( \r\n"
    "   FID INT IDENTITY(1,1), \r\n"
    "   FEntryID INT DEFAULT(0), \r\n"
    "   FItemID INT DEFAULT(0), \r\n"
    "   FBatchNo VARCHAR(200) DEFAULT(''), \r\n"
    "   FCustBOMID INT DEFAULT(0), \r\n"
    "   FOrderInterID INT DEFAULT(0), \r\n"
    "   FICMOInterID INT DEFAULT(0), \r\n"
    "   FROB INT DEFAULT(0) ) \r\n"
    "##ProductionOrderLines##\r\n"
    "IF EXISTS(SELECT t1.* FROM ICMO t1 INNER JOIN ICStockBillEntry u1 ON "
    "t1.FInterID=u1.FSourceInterID AND u1.FSourceTranType=85 WHERE u1.FInterID=@InterID)\r\n"
    " INSERT INTO #OrderBOM(FEntryID,FItemID,FBatchNo,FCustBOMID,FOrderInterID,FICMOInterID,FROB) "
    "\r\n"
    " SELECT u1.FEntryID,u1.FItemID,u1.FBatchNo,t1.FBOMInterID,ISNULL(t1.FOrderInterID,0) AS "
    "FOrderInterID,t1.FInterID,@ROB \r\n"
    " FROM  ICStockBillEntry u1 \r\n"
    " INNER JOIN ICMO t1 ON u1.FSourceInterID=t1.FInterID AND u1.FSourceTranType=85 AND "
    "u1.FItemID=t1.FItemID\r\n"
    " INNER JOIN t_ICItem t2 ON u1.FItemID=t2.FItemID\r\n"
    " WHERE t2.FErpClsID=7 AND u1.FInterID=@InterID\r\n"
    " AND u1.FSourceInterID>0\r\n"
    "##SalesOrderLines##\r\n"
    "IF EXISTS(SELECT u2.* FROM SEOrderEntry u2 INNER JOIN ICStockBillEntry u1 ON "
    "u1.FOrderInterID=u2.FInterID WHERE u1.FInterID=@InterID)\r\n"
    " INSERT INTO #OrderBOM(FEntryID,FItemID,FBatchNo,FCustBOMID,FOrderInterID,FICMOInterID,FROB) "
    "\r\n"
    " SELECT u1.FEntryID,u1.FItemID,u1.FBatchNo,u2.FBOMInterID,u2.FInterID,0,@ROB \r\n"
    " FROM ICStockBillEntry u1 \r\n"
    " INNER JOIN SEOrderEntry u2 ON u1.FOrderInterID=u2.FInterID AND u1.FOrderEntryID=u2.FEntryID "
    "AND u1.FItemID=u2.FItemID\r\n"
    " INNER JOIN t_ICItem t2 ON u1.FItemID=t2.FItemID\r\n"
    " WHERE t2.FErpClsID=7 AND u1.FInterID=@InterID\r\n"
    "INSERT INTO #OrderBOM(FEntryID,FItemID,FBatchNo,FCustBOMID,FOrderInterID,FICMOInterID,FROB) "
    "\r\n"
    "SELECT u1.FEntryID,u1.FItemID,u1.FBatchNo,0,0,0,@ROB \r\n"
    "FROM ICStockBillEntry u1 \r\n"
    "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID \r\n"
    "WHERE t1.FErpClsID=7 AND u1.FInterID=@InterID \r\n"
    "  AND u1.FItemID NOT IN (SELECT DISTINCT FItemID FROM #OrderBOM WHERE FEntryID=u1.FEntryID) "
    "\r\n"
    "SELECT DISTINCT M1.FItemID,t1.FName,m1.FBatchNo,m1.FCustBomID,m1.FOrderInterID,"
    "m1.FICMOInterID,m1.FROB \r\n"
    "FROM #OrderBOM M1 INNER JOIN t_ICItem t1 ON M1.FItemID=t1.FItemID \r\n"
    "ORDER BY m1.FItemID,m1.FBatchNo,m1.FCustBOMID\r\n"
    "\r\n"
    "DROP TABLE #OrderBOM\r\n";

const std::string_view kSalesLinksSql =
    "SET NOCOUNT ON\r\n"
    "DECLARE @InterID INT\r\n"
    "\r\n"
    "SET @InterID=##Bill##\r\n"
    "\r\n"
    "CREATE TABLE #OrderBOM( \r\n"
    "   FID INT IDENTITY(1,1), \r\n"
    "   FEntryID INT DEFAULT(0), \r\n"
    "   FItemID INT DEFAULT(0), \r\n"
    "   FBatchNo VARCHAR(200) DEFAULT(''), \r\n"
    "   FCustBOMID INT DEFAULT(0), \r\n"
    "   FOrderInterID INT DEFAULT(0) )\r\n"
    "##LinkedLines##\r\n"
    "IF EXISTS(SELECT u1.FInterID FROM ICStockBillEntry u1 INNER JOIN SEOrderEntry u2 ON "
    "u1.FOrderInterID=u2.FInterID AND u1.FOrderEntryID=u2.FEntryID AND u1.FItemID=u2.FItemID \r\n"
    "          WHERE u1.FInterID=@InterID)\r\n"
    " INSERT INTO #OrderBOM(FEntryID,FItemID,FBatchNo,FCustBOMID,FOrderInterID) \r\n"
    " SELECT u1.FEntryID,u1.FItemID,u1.FBatchNo,ISNULL(u2.FBOMInterID,0) AS FBOMInterID,"
    "u2.FInterID \r\n"
    " FROM ICStockBillEntry u1 INNER JOIN t_ICItem t1 ON t1.FItemID=u1.FItemID \r\n"
    " INNER JOIN SEOrderEntry u2 ON u1.FOrderInterID=u2.FInterID AND u1.FOrderEntryID=u2.FEntryID "
    "AND u1.FItemID=u2.FItemID\r\n"
    " WHERE t1.FErpClsID=7 AND u1.FInterID=@InterID\r\n"
    "##UnlinkedLines##\r\n"
    "INSERT INTO #OrderBOM(FEntryID,FItemID,FBatchNo,FCustBOMID,FOrderInterID) \r\n"
    "SELECT u1.FEntryID,u1.FItemID,u1.FBatchNo,0,0 \r\n"
    "FROM ICStockBillEntry u1 \r\n"
    "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID \r\n"
    "WHERE t1.FErpClsID=7 AND u1.FInterID=@InterID \r\n"
    "  AND u1.FItemID NOT IN (SELECT DISTINCT FItemID FROM #OrderBOM WHERE FEntryID=u1.FEntryID) "
    "\r\n"
    "SELECT DISTINCT M1.FItemID,t1.FName,m1.FBatchNo,m1.FCustBomID,m1.FOrderInterID \r\n"
    "FROM #OrderBOM M1 INNER JOIN t_ICItem t1 ON M1.FItemID=t1.FItemID\r\n"
    "DROP TABLE #OrderBOM\r\n";

// The comment lines of the two batches, each a text of its own.
const std::string_view kProductionOrderLinesComment = "--与生产任务单直接关联";
const std::string_view kSalesOrderLinesComment = "--与销售订单直接关联";
const std::string_view kLinkedLinesComment = "--处理与销售订单的关联";
const std::string_view kUnlinkedLinesComment = "--处理未关联的分录";

const std::string_view kMissingOrDisabled =
    "物料[%1]的批号在客户BOM和批号的对应表中不存在或已被禁用，不能更新库存!";
const std::string_view kBoundElsewhere =
    "物料[%1]的当前批号已经与其他的客户BOM号关联，单据更新库存不成功。";
const std::string_view kBoundElsewhereInTable =
    "物料[%1]]的当前批号已经与其他的客户BOM号关联，单据更新库存不成功。";
const std::string_view kMissing = "物料[%1]的批号在客户BOM和批号的对应表中不存在，不能更新库存!";
const std::string_view kDisabled = "物料[%1]的批号在客户BOM和批号的对应表中已被禁用，不能更新库存!";

}  // namespace cb::batch
