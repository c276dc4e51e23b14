// GetBillStockRows and ReleaseLockStock.
#include "stock/stock_rows.h"

#include "frame/sql_template.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/error.h"
#include "stock/stock_source.h"
#include "stock/stock_values.h"

namespace cb::stock {

namespace {

// The stock rows of one side of the entries.
constexpr std::string_view kSideSelect =
    "##Select##u1.FItemID,u1.FAuxPropID,u1.FBatchNo,u1.##StockColumn## AS FStockID,"
    "ISNULL(u1.##PlaceColumn##,0) AS FStockPlaceID\r\n"
    ",LEFT(ISNULL(CONVERT(VARCHAR(20),u1.FKFdate ,120),''),10) AS FKFDate,"
    "ISNULL(u1.FKFPeriod,0) AS FKFPeriod\r\n"
    "FROM ##EntryTable## u1\r\n"
    "WHERE u1.FInterID=##Bill##";

std::string SideSelect(const std::string& entry_table, const StockSide& side, int32_t inter_id,
                       bool distinct) {
  return frame::SqlTemplate(kSideSelect)
      .Fragment("Select", distinct ? "SELECT DISTINCT " : "SELECT ")
      .Fragment("StockColumn", side.stock_column)
      .Fragment("PlaceColumn", side.place_column)
      .Fragment("EntryTable", entry_table)
      .Number("Bill", inter_id)
      .Sql();
}

// The distinct stock rows of a two-sided bill: both sides together.
constexpr std::string_view kBothSides =
    "SELECT DISTINCT FItemID,FAuxPropID,FBatchNo,FStockID,FStockPlaceID,FKFDate,FKFPeriod FROM ("
    "\r\n"
    "##Destination##\r\n"
    "UNION ALL\r\n"
    "##Source##\r\n"
    ") DelItem";

std::string StockRowsQuery(const StockSource& source, int32_t inter_id) {
  if (!source.source) return SideSelect(source.entry_table, source.destination, inter_id, true);
  return frame::SqlTemplate(kBothSides)
      .Fragment("Destination", SideSelect(source.entry_table, source.destination, inter_id, false))
      .Fragment("Source", SideSelect(source.entry_table, *source.source, inter_id, false))
      .Sql();
}

}  // namespace

void GetBillStockRows(frame::ClassFrame& frame, const std::string& sDsn,
                      const db::Recordset& rsBillHead, VectorPtr& vectItems,
                      const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  vectItems = Vector::Create();
  const StockSource source = StockSourceOf(rsBillHead.Field("FTranType").ToInt32());
  if (source.entry_table.empty()) return;

  const services::Foundation& foundation = services::Foundation::Current();
  db::RecordsetPtr rows =
      conn->Execute(StockRowsQuery(source, rsBillHead.Field("FInterID").ToInt32()));
  for (; !rows->Eof(); rows->MoveNext()) {
    DictionaryPtr row = Dictionary::Create();
    row->Write(kRowItemID, foundation.NullToDefault(rows->Field("FItemID"), 0));
    row->Write(kRowBatchNo, foundation.NullToDefault(rows->Field("FBatchNo"), ""));
    row->Write(kRowStockID, foundation.NullToDefault(rows->Field("FStockID"), 0));
    row->Write(kRowStockPlaceID, foundation.NullToDefault(rows->Field("FStockPlaceID"), 0));
    row->Write(kRowKFDate, foundation.NullToDefault(rows->Field("FKFDate"), ""));
    row->Write(kRowKFPeriod, foundation.NullToDefault(rows->Field("FKFPeriod"), 0));
    vectItems->Add(Variant(row));
  }
}

// The lock rows a delivery's sales-order lines hold.
constexpr std::string_view kReleaseOrderLocks =
    "DELETE t1\r\nFROM t_LockStock t1 INNER JOIN ICStockBillEntry u1\r\n"
    "ON t1.FInterID=u1.FOrderInterID AND t1.FEntryID=u1.FOrderEntryID\r\n"
    "WHERE u1.FInterID=##Bill##";
// The lock rows a material issue's production BOM holds.
constexpr std::string_view kReleaseBomLocks =
    "DELETE t1\r\nFROM t_LockStock t1 INNER JOIN PPBOM v1 ON v1.FInterID=t1.FInterID\r\n"
    "INNER JOIN ICStockBillEntry u2\r\n"
    "ON t1.FEntryID=u2.FSourceEntryID AND u2.FSourceInterID=v1.FICMOInterID\r\n"
    "WHERE u2.FInterID=##Bill##";

void ReleaseLockStock(db::Connection& connection, int32_t lInterID, int32_t lTranType) {
  std::string_view statement;
  if (lTranType == SaleOutStock) {
    statement = kReleaseOrderLocks;
  } else if (lTranType == GetMaterial) {
    statement = kReleaseBomLocks;
  } else {
    return;
  }
  const std::string sql = frame::SqlTemplate(statement).Number("Bill", lInterID).Sql();
  try {
    connection.Execute(sql);
  } catch (const Error&) {
    connection.errors().Clear();
  }
}

}  // namespace cb::stock
