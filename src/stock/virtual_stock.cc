// UpdateSourceVirtualStock: the virtual-stock write-off of receiving bills and its three checks.
#include "stock/virtual_stock.h"

#include <optional>

#include "frame/check_ado_error.h"
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/temp_table_guard.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/error.h"
#include "stock/qty_direction.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kTempPOBill = "#TempPOBill";

constexpr std::string_view kZeroBaseWithPlaces =
    "更新仓库[%1]代码[%2]仓位[%3]仓位代码[%4]库存数据时物料[%5]物料代码[%6]辅助属性[%7]批号[%8]"
    "的基本计量单位数量为0，辅助计量的数量不为0，更新库存不成功!";
constexpr std::string_view kZeroBaseWithoutPlaces =
    "更新仓库[%1]代码[%2]库存数据时物料[%3]代码[%4]辅助属性[%5]批号[%6]"
    "的基本计量单位数量为0，辅助计量的数量不为0，更新库存不成功!";
constexpr std::string_view kSignWithPlaces =
    "更新仓库[%1]代码[%2]仓位[%3]仓位代码[%4]库存数据时物料[%5]物料代码[%6]辅助属性[%7]批号[%8]"
    "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!";
constexpr std::string_view kSignWithoutPlaces =
    "更新仓库[%1]代码[%2]库存数据时物料[%3]代码[%4]辅助属性[%5]批号[%6]"
    "的基本计量单位数量与辅助计量数量出现正负差异，更新库存不成功!";
constexpr std::string_view kTipWithPlaces =
    "更新仓库[%1]代码[%2]仓位[%3]仓位代码[%4]库存数据时物料[%5]物料代码[%6]辅助属性[%7]批号[%8]"
    "出现负结存!";
constexpr std::string_view kTipWithoutPlaces =
    "更新仓库[%1]代码[%2]库存数据时物料[%3]代码[%4]辅助属性[%5]批号[%6]出现负结存!";
constexpr std::string_view kNegativeRefused =
    "物料[%1]代码[%2]库存数量不允许负数！如果要允许负库存，请修改系统参数[是否允许负库存]项。";

// The parts that differ between receipts from notices (type 1) and from type 6 bills (type 10).
struct SourceShape {
  std::string probe_types;   // FSourceTranType IN (...)
  std::string table;         // source entry table
  std::string stock_column;  // source stock column
  std::string update_filter;
  std::string temp_filter;
};

std::optional<SourceShape> ShapeOf(int32_t tran_type) {
  if (tran_type == PurchaseInStock) {
    return SourceShape{"72,702", "POInstockEntry", "FStockID",
                       " AND ((u2.FSourceTranType=72 AND t3.FTypeID=503) OR "
                       "(u2.FSourceTranType=702 AND t3.FTypeID=501))",
                       "  AND ((u1.FSourceTranType=72 AND t2.FTypeID=503) OR "
                       "(u1.FSourceTranType=702 AND t2.FTypeID=501))"};
  }
  if (tran_type == OtherInStock) {
    return SourceShape{"6", "ZPStockBillEntry", "FDCStockID", " AND t3.FTypeID IN (501,502,503) ",
                       "  AND (u1.FSourceTranType=6 AND t2.FTypeID IN (501,502,503)) "};
  }
  return std::nullopt;
}

// Moves the source documents' virtual stock by the bill's quantities; ##Move## is the factor.
constexpr std::string_view kWriteOff =
    "UPDATE m1 SET m1.FQty = m1.FQty +(##Move##)*m2.FQty \r\n"
    "             ,m1.FSecQty = m1.FSecQty +(##Move##)*m2.FSecQty \r\n"
    "FROM POInventory m1 INNER JOIN \r\n"
    "(SELECT u1.FItemID,u1.FAuxPropID,ISNULL(u1.FBatchNo,'') AS FBatchNo,##Stock## AS FStockID "
    ",ISNULL(u1.FDCSPID,0) AS FStockPlaceID\r\n"
    ",LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate,"
    "isnull(u1.FKFPeriod,0) AS FKFPeriod\r\n"
    ",t3.FTypeID AS FStockTypeID,SUM(u2.FQty) AS FQty,SUM(u2.FSecQty) AS FSecQty\r\n"
    "FROM ##SourceTable## u1 INNER JOIN ICStockBillEntry u2 ON "
    "u1.FInterID=u2.FSourceInterID AND u1.FEntryID=u2.FSourceEntryID\r\n"
    "INNER JOIN t_Stock t3 ON ##Stock## = t3.FItemID\r\n"
    "WHERE u2.FInterID=##Bill####Filter##\r\n"
    "GROUP BY u1.FItemID,u1.FAuxPropID,u1.FBatchNo,##Stock##,u1.FDCSPID,u1.FKFDate,u1.FKFPeriod,"
    "t3.FTypeID) m2\r\n"
    "ON m1.FItemID=m2.FItemID AND m1.FAuxPropID=m2.FAuxPropID AND m1.FBatchNo=m2.FBatchNo \r\n"
    "AND m1.FStockID=m2.FStockID AND m1.FStockPlaceID=m2.FStockPlaceID AND "
    "m1.FKFDate=m2.FKFDate\r\n"
    "AND m1.FKFPeriod=m2.FKFPeriod";

// The source rows of the bill whose virtual stock the checks look at.
constexpr std::string_view kFillTempPOBill =
    "SELECT t1.FItemID,t1.FAuxPropID,t1.FBatchNo,ISNULL(t1.##StockColumn##,0) AS FStockID,"
    "ISNULL(t1.FDCSPID,0) AS FSPID\r\n"
    ",LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate, "
    "ISNULL(t1.FKFPeriod,0) AS FKFPeriod\r\n"
    "INTO #TempPOBill\r\n"
    "FROM ##SourceTable## t1 INNER JOIN ICStockBillEntry u1 \r\n"
    "ON u1.FSourceInterID=t1.FInterID AND u1.FSourceEntryID=t1.FEntryID AND "
    "u1.FItemID=t1.FItemID\r\n"
    "INNER JOIN t_Stock t2 ON t1.##StockColumn##=t2.FItemID\r\n"
    "WHERE u1.FInterID=##Bill##\r\n"
    "##Filter##";

std::string WriteOffSql(const SourceShape& shape, int32_t inter_id, int32_t move) {
  return frame::SqlTemplate(kWriteOff)
      .Number("Move", move)
      .Fragment("Stock", "u1." + shape.stock_column)
      .Fragment("SourceTable", shape.table)
      .Number("Bill", inter_id)
      .Fragment("Filter", shape.update_filter)
      .Sql();
}

std::string TempPOBillSql(const SourceShape& shape, int32_t inter_id) {
  return frame::SqlTemplate(kFillTempPOBill)
      .Fragment("StockColumn", shape.stock_column)
      .Fragment("SourceTable", shape.table)
      .Number("Bill", inter_id)
      .Fragment("Filter", shape.temp_filter)
      .Sql();
}

std::string CheckSql(std::string_view where) {
  std::string sql =
      "SELECT t2.FName AS FItemName,t1.FStockPlaceID,t2.FNumber AS FItemNumber,t3.FName AS "
      "FStockName,t3.FNumber AS FStockNumber\r\n"
      ",t3.FIsStockMgr,t4.FName AS FSPName,t4.FNumber AS FSPNumber,t5.FName AS "
      "FAuxPropName,t1.FBatchNo,t1.FQty,t1.FSecQty\r\n"
      "FROM POInventory t1 INNER JOIN t_ICItem t2 ON t1.FItemID=t2.FItemID\r\n"
      "INNER JOIN t_Stock t3 ON t1.FStockID=t3.FItemID\r\n"
      "INNER JOIN t_StockPlace t4 ON ISNULL(t1.FStockPlaceID,0)=t4.FSPID\r\n"
      "INNER JOIN t_AuxItem t5 ON t1.FAuxPropID=t5.FItemID\r\n"
      "INNER JOIN #TempPOBill t6 ON t1.FItemID=t6.FItemID AND t1.FAuxPropID=t6.FAuxPropID AND "
      "t1.FBatchNo=t6.FBatchNo \r\n"
      "                         AND t1.FStockID=t6.FStockID AND t1.FStockPlaceID=t6.FSPID AND "
      "t1.FKFPeriod=t6.FKFPeriod\r\n"
      "                         AND t1.FKFDate=t6.FKFDate\r\n";
  sql += where;
  return sql;
}

// The row's message from the with-places or the without-places format.
std::string RowMessage(const db::Recordset& row, std::string_view with_places,
                       std::string_view without_places, const std::string& language) {
  const Variant stock_name = FieldText(row, "FStockName");
  const Variant stock_number = FieldText(row, "FStockNumber");
  const Variant item_name = FieldText(row, "FItemName");
  const Variant item_number = FieldText(row, "FItemNumber");
  const Variant aux = FieldText(row, "FAuxPropName");
  const Variant batch = FieldText(row, "FBatchNo");
  if (FieldNumber(row, "FIsStockMgr") != 0) {
    return messages::FormatString(
        with_places, language,
        {stock_name, stock_number, FieldText(row, "FSPName"), FieldText(row, "FSPNumber"),
         item_name, item_number, aux, batch});
  }
  return messages::FormatString(without_places, language,
                                {stock_name, stock_number, item_name, item_number, aux, batch});
}

// The three checks on the changed virtual rows; 0, -1 or 1 with sMsg set.
int32_t CheckVirtualRows(db::Connection& conn, int32_t re_check, const Dictionary& profile,
                         std::string& sMsg, const std::string& language) {
  db::RecordsetPtr rows = conn.Execute(CheckSql("WHERE t1.FQty=0 AND t1.FSecQty<>0"));
  if (!rows->Eof()) {
    sMsg = RowMessage(*rows, kZeroBaseWithPlaces, kZeroBaseWithoutPlaces, language);
    return -1;
  }
  rows = conn.Execute(CheckSql("WHERE t1.FQty*t1.FSecQty<0"));
  if (!rows->Eof()) {
    sMsg = RowMessage(*rows, kSignWithPlaces, kSignWithoutPlaces, language);
    return -1;
  }
  rows = conn.Execute(CheckSql("WHERE t1.FQty<0 OR t1.FSecQty<0"));
  for (; !rows->Eof(); rows->MoveNext()) {
    if (HasAnyBit(re_check, kReCheckNegativeAccepted)) continue;
    if (ProfileNumber(profile, kProfileUnderStock) != 1) {
      sMsg =
          messages::FormatString(kNegativeRefused, language,
                                 {FieldText(*rows, "FItemName"), FieldText(*rows, "FItemNumber")});
      return -1;
    }
    if (ProfileNumber(profile, kProfileShowUnderTip) == 1) {
      sMsg = RowMessage(*rows, kTipWithPlaces, kTipWithoutPlaces, language);
      return 1;
    }
  }
  return 0;
}

}  // namespace

int32_t UpdateSourceVirtualStock(frame::ClassFrame& frame, const std::string& sDsn,
                                 const db::Recordset& rsBillHead, std::string& sMsg,
                                 int32_t lOperateCode, int32_t lReCheck,
                                 const Dictionary& dictSysProfile, const std::string& sLanguage,
                                 const db::ConnectionPtr& connection) {
  int32_t result = 0;
  try {
    const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
    const int32_t tran_type = rsBillHead.Field("FTranType").ToInt32();
    const int32_t inter_id = rsBillHead.Field("FInterID").ToInt32();
    const std::optional<SourceShape> shape = ShapeOf(tran_type);
    if (!shape) return 0;

    const int32_t move = -GetQtyDirection(tran_type, lOperateCode);
    db::RecordsetPtr probe =
        conn->Execute("SELECT Top 1 * FROM ICStockBillEntry WHERE FSourceTranType IN (" +
                      shape->probe_types + ") AND FInterID=" + std::to_string(inter_id));
    if (probe->Eof()) {
      frame.DropTempTable(sDsn, std::string(kTempPOBill), conn);
      return 0;
    }
    conn->Execute(WriteOffSql(*shape, inter_id, move));
    frame::CheckADOError(*conn, true);

    frame.DropTempTable(sDsn, std::string(kTempPOBill), conn);
    frame::TempTableGuard po_bill(frame, sDsn, std::string(kTempPOBill), conn);
    conn->Execute(TempPOBillSql(*shape, inter_id));
    result = CheckVirtualRows(*conn, lReCheck, dictSysProfile, sMsg, sLanguage);
    if (result == 0) {
      po_bill.Drop();
      return 0;
    }
  } catch (const Error& error) {
    if (sMsg.empty()) sMsg = error.description();
    if (result == 0) result = kVirtualStockError;
  }
  frame.VoteAbort();
  return result;
}

}  // namespace cb::stock
