// The production path of BindCustomerBomBatch: product and process receipts bind the batches that
// their production orders and sales-order lines give a customer BOM.
#include <string>
#include <vector>

#include "batch/batch_trace_sql.h"
#include "batch/binding_paths.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/text.h"
#include "platform/services/foundation.h"

namespace cb::batch {

namespace {

constexpr int32_t kBlueBill = 1;
constexpr int32_t kDisabledRow = 1;

// One row of the #OrderBOM read-out.
struct LinkRow {
  int32_t item_id = 0;
  std::string item_name;
  std::string batch_no;
  int32_t cust_bom_id = 0;
  int32_t order_id = 0;
  int32_t icmo_id = 0;
  int32_t rob = 0;

  [[nodiscard]] bool LinkedToOrder() const { return icmo_id > 0 || order_id > 0; }
  [[nodiscard]] bool CarriesBinding() const { return cust_bom_id > 0 || order_id > 0; }
};

Variant Field(const db::Recordset& rows, std::string_view name, Variant default_value) {
  return services::Foundation::Current().NullToDefault(rows.Field(name), std::move(default_value));
}

std::vector<LinkRow> ReadLinks(db::Connection& connection, const BindingBill& bill) {
  db::RecordsetPtr rows =
      connection.Execute(frame::SqlTemplate(kProductionLinksSql)
                             .Number("Bill", bill.inter_id)
                             .Number("ROB", bill.rob)
                             .Fragment("ProductionOrderLines", kProductionOrderLinesComment)
                             .Fragment("SalesOrderLines", kSalesOrderLinesComment)
                             .Sql());
  std::vector<LinkRow> links;
  for (; !rows->Eof(); rows->MoveNext()) {
    LinkRow row;
    row.item_id = Field(*rows, "FItemID", int32_t{0}).ToInt32();
    row.item_name = Field(*rows, "FName", "").ToString();
    row.batch_no = Field(*rows, "FBatchNo", "").ToString();
    row.cust_bom_id = Field(*rows, "FCustBomID", int32_t{0}).ToInt32();
    row.order_id = Field(*rows, "FOrderInterID", int32_t{0}).ToInt32();
    row.icmo_id = Field(*rows, "FICMOInterID", int32_t{0}).ToInt32();
    row.rob = Field(*rows, "FROB", int32_t{0}).ToInt32();
    links.push_back(std::move(row));
  }
  return links;
}

// The read-out is ordered by item, batch and customer BOM, so two customer BOMs of one batch sit
// next to each other.
void RefuseTwoBomsForOneBatch(const std::vector<LinkRow>& links, const BindingBill& bill) {
  for (size_t i = 1; i < links.size(); ++i) {
    const LinkRow& before = links[i - 1];
    const LinkRow& row = links[i];
    if (row.item_id == before.item_id && row.batch_no == before.batch_no &&
        row.cust_bom_id != before.cust_bom_id) {
      RefuseBinding(kBoundElsewhere, bill, row.item_name);
    }
  }
}

// The statement that registers the row's binding: an INSERT when there is none, the re-enabling of
// the first one found when that one is disabled, nothing when it is active.
std::string BindingStatement(db::Connection& connection, const LinkRow& row) {
  db::RecordsetPtr found = FindTraceRows(connection, row.item_id, row.batch_no,
                                         BindingConditions(row.cust_bom_id, row.order_id, true));
  if (found->Eof()) {
    return frame::SqlTemplate(
               "INSERT INTO ICOrderBatchTrace(FItemID,FBatchNo,FCustBomID,FOrderInterID) \r\n"
               "VALUES(##Item##,##Batch##,##Bom##,##Order##)\r\n")
        .Number("Item", row.item_id)
        .Text("Batch", row.batch_no)
        .Number("Bom", row.cust_bom_id)
        .Number("Order", row.order_id)
        .Sql();
  }
  if (Field(*found, "FForBid", int32_t{0}).ToInt32() != kDisabledRow) return "";
  // No line break follows: the next queued statement starts right after the id.
  return frame::SqlTemplate("UPDATE ICOrderBatchTrace SET FForBid=0 WHERE FTraceID=##Trace##")
      .Number("Trace", found->Field("FTraceID").ToInt32())
      .Sql();
}

// A blue bill's linked rows: refused when the table binds the batch to another customer BOM (a
// disabled row counts too), otherwise their bindings are made or re-enabled in one batch.
void RegisterBindings(db::Connection& connection, const std::vector<LinkRow>& links,
                      const BindingBill& bill) {
  std::string queued;
  for (const LinkRow& row : links) {
    if (!row.LinkedToOrder()) continue;
    db::RecordsetPtr other =
        FindTraceRows(connection, row.item_id, row.batch_no,
                      " AND FCustBOMID<>" + std::to_string(row.cust_bom_id) + " AND FCustBOMID<>0");
    if (!other->Eof()) RefuseBinding(kBoundElsewhereInTable, bill, row.item_name);
    queued += BindingStatement(connection, row);
  }
  if (!queued.empty()) connection.Execute(queued);
}

}  // namespace

void BindProductionBatches(db::Connection& connection, const BindingBill& bill) {
  const std::vector<LinkRow> links = ReadLinks(connection, bill);
  if (links.empty()) return;
  const bool blue = links.front().rob == kBlueBill;
  if (blue) {
    RefuseTwoBomsForOneBatch(links, bill);
    RegisterBindings(connection, links, bill);
  }
  // What a blue bill has just registered needs no test; everything else must be bound already.
  for (const LinkRow& row : links) {
    if (blue && row.CarriesBinding()) continue;
    db::RecordsetPtr active =
        FindTraceRows(connection, row.item_id, row.batch_no,
                      " AND FForbid=0 " + BindingConditions(row.cust_bom_id, row.order_id, true));
    if (active->Eof()) RefuseBinding(kMissingOrDisabled, bill, row.item_name);
  }
}

}  // namespace cb::batch
