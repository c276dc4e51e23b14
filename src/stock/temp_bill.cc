// Creation and filling of #TempBill from the stock-source table.
#include "stock/temp_bill.h"

#include "frame/check_ado_error.h"
#include "frame/sql_template.h"
#include "stock/qty_direction.h"
#include "stock/stock_source.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

constexpr std::string_view kCreateTempBill =
    "SET NOCOUNT ON\r\n"
    "CREATE TABLE #TempBill\r\n"
    "(FBrNo VARCHAR(10) NOT NULL DEFAULT(''),\r\n"
    "FInterID INT NOT NULL DEFAULT(0),\r\n"
    "FEntryID INT NOT NULL DEFAULT(0),\r\n"
    "FTranType INT NOT NULL DEFAULT(0),\r\n"
    "FItemID INT NOT NULL DEFAULT(0),\r\n"
    "FBatchNo NVARCHAR(255) NOT NULL DEFAULT(''),\r\n"
    "FAuxPropID INT NOT NULL DEFAULT(0),\r\n"
    "FStockID INT NOT NULL DEFAULT(0),\r\n"
    "FStockPlaceID INT NOT NULL DEFAULT(0),\r\n"
    "FKFPeriod INT NOT NULL DEFAULT(0),\r\n"
    "FKFDate VARCHAR(20) NOT NULL DEFAULT(''),\r\n"
    "FQty DECIMAL(28,10) NOT NULL DEFAULT(0),\r\n"
    "FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0)\r\n"
    ")";

// One INSERT … SELECT for one side of the entries: ##Factor## is the text spliced before
// "*u1.FQty"; receipts from notices join t_Stock and filter on its type (##StockJoin##,
// ##TypeFilter##).
constexpr std::string_view kInsertSide =
    "INSERT INTO #TempBill(FBrNo,FInterID,FEntryID,FTranType,FItemID,FBatchNo,FAuxPropID,"
    "FStockID,FStockPlaceID,FKFPeriod,FKFDate,FQty,FSecQty)\r\n"
    "SELECT '',u1.FInterID,u1.FEntryID,##Type## AS FTranType,u1.FItemID,"
    "ISNULL(u1.FBatchNo,'') AS FBatchNo,\r\n"
    "u1.FAuxPropID,ISNULL(u1.##StockColumn##,0) AS FStockID,ISNULL(u1.##PlaceColumn##,0) AS "
    "FStockPlaceID,ISNULL(u1.FKFPeriod,0) AS FKFPeriod,\r\n"
    "LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate,\r\n"
    "##Factor##*u1.FQty AS FQty,##Factor##*u1.FSecQty AS FSecQty\r\n"
    "FROM ##EntryTable## u1##StockJoin##\r\n"
    "WHERE u1.FInterID=##Bill####TypeFilter##";

std::string InsertSide(const StockSource& source, const StockSide& side, int32_t tran_type,
                       int32_t inter_id, const std::string& factor) {
  const bool notice = !source.stock_type_filter.empty();
  return frame::SqlTemplate(kInsertSide)
      .Number("Type", tran_type)
      .Fragment("StockColumn", side.stock_column)
      .Fragment("PlaceColumn", side.place_column)
      .Fragment("Factor", factor)
      .Fragment("EntryTable", source.entry_table)
      .Fragment("StockJoin", notice ? " INNER JOIN t_Stock t1 ON u1.FStockID=t1.FItemID" : "")
      .Number("Bill", inter_id)
      .Fragment("TypeFilter", source.stock_type_filter)
      .Sql();
}

}  // namespace

void BuildTempBill(frame::ClassFrame& frame, const std::string& sDsn,
                   const db::Recordset& rsBillHead, int32_t lOperateCode,
                   const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  frame.DropTempTable(sDsn, std::string(kTempBill), conn);
  conn->Execute(kCreateTempBill);

  const int32_t inter_id = rsBillHead.Field("FInterID").ToInt32();
  const int32_t tran_type = rsBillHead.Field("FTranType").ToInt32();
  const int32_t factor = GetQtyDirection(tran_type, lOperateCode);
  const StockSource source = StockSourceOf(tran_type);
  if (source.entry_table.empty()) return;

  std::string batch =
      InsertSide(source, source.destination, tran_type, inter_id, std::to_string(factor));
  if (source.source) {
    const std::string source_factor = source.source_style == SourceFactorStyle::kTimesMinusOne
                                          ? std::to_string(factor) + "*(-1)"
                                          : std::to_string(-factor);
    batch += kCrLf;
    batch += InsertSide(source, *source.source, tran_type, inter_id, source_factor);
  }
  conn->Execute(batch);
  frame::CheckADOError(*conn, true);
}

}  // namespace cb::stock
