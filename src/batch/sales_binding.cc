// The sales path of BindCustomerBomBatch: every configured-item line of a delivery must have a
// binding, and a line not linked to an order an active one.
#include <string>

#include "batch/batch_trace_sql.h"
#include "batch/binding_paths.h"
#include "frame/sql_template.h"
#include "platform/services/foundation.h"

namespace cb::batch {

namespace {

constexpr int32_t kDisabledRow = 1;

Variant Field(const db::Recordset& rows, std::string_view name, Variant default_value) {
  return services::Foundation::Current().NullToDefault(rows.Field(name), std::move(default_value));
}

// True when the rows found hold at least one disabled binding and no active one.
bool OnlyDisabled(db::Recordset& found) {
  bool any_disabled = false;
  for (; !found.Eof(); found.MoveNext()) {
    if (Field(found, "FForbid", int32_t{0}).ToInt32() != kDisabledRow) return false;
    any_disabled = true;
  }
  return any_disabled;
}

}  // namespace

void CheckSalesBatches(db::Connection& connection, const BindingBill& bill) {
  db::RecordsetPtr rows = connection.Execute(frame::SqlTemplate(kSalesLinksSql)
                                                 .Number("Bill", bill.inter_id)
                                                 .Fragment("LinkedLines", kLinkedLinesComment)
                                                 .Fragment("UnlinkedLines", kUnlinkedLinesComment)
                                                 .Sql());
  for (; !rows->Eof(); rows->MoveNext()) {
    const int32_t item_id = Field(*rows, "FItemID", int32_t{0}).ToInt32();
    const std::string item_name = Field(*rows, "FName", "").ToString();
    const std::string batch_no = Field(*rows, "FBatchNo", "").ToString();
    const int32_t cust_bom_id = Field(*rows, "FCustBomID", int32_t{0}).ToInt32();
    const int32_t order_id = Field(*rows, "FOrderInterID", int32_t{0}).ToInt32();
    db::RecordsetPtr found = FindTraceRows(connection, item_id, batch_no,
                                           " " + BindingConditions(cust_bom_id, order_id, false));
    if (found->Eof()) RefuseBinding(kMissing, bill, item_name);
    // Order-linked lines accept disabled bindings.
    if (order_id == 0 && OnlyDisabled(*found)) RefuseBinding(kDisabled, bill, item_name);
  }
}

}  // namespace cb::batch
