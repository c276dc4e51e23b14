// IsBatchTraceInUse, BindCustomerBomBatch and the helpers its paths share.
#include "batch/batch_trace.h"
#include "batch/batch_trace_sql.h"
#include "batch/binding_paths.h"
#include "frame/messages/messages.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/dictionary_keys.h"
#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/services/foundation.h"
#include "platform/variant/error.h"

namespace cb::batch {

namespace {

// Bills whose configured-item batches must all be traced already.
constexpr auto kTracedStockBillTypes = MakeTransTypeSet(
    PurchaseInStock, OtherInStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock);
constexpr auto kProductionReceiptTypes = MakeTransTypeSet(ProductsInStock, ProcessInStock);

int32_t NumberOr(const Variant& value, int32_t default_value) {
  return value.IsEmpty() || value.IsNull() ? default_value : value.ToInt32();
}

BindingBill ReadBill(const Dictionary& params) {
  BindingBill bill;
  bill.inter_id = NumberOr(params.Read(kKeyInterID), 0);
  const Variant language = params.Read(kStepLanguage);
  bill.language = language.IsEmpty() || language.IsNull() ? "" : language.ToString();
  const db::RecordsetPtr head = params.Read(kStepBillHead).As<db::Recordset>();
  if (!head) throw Error(kErrObjectRequired, "", std::string(kStepBillHead));
  bill.rob = NumberOr(head->Field("FROB"), 0);
  return bill;
}

bool HasConfiguredLines(db::Connection& connection, int32_t inter_id) {
  db::RecordsetPtr rows =
      connection.Execute(frame::SqlTemplate(kConfiguredLinesSql).Number("Bill", inter_id).Sql());
  return !rows->Eof();
}

void Answer(Dictionary& result, int32_t code, const std::string& message) {
  result.Write(kResultReturnCode, Variant(code));
  result.Write(kResultReturnString, Variant(message));
}

}  // namespace

void RefuseBinding(std::string_view format, const BindingBill& bill, std::string_view item_name) {
  throw Error(kBatchTraceRefused, "",
              messages::FormatString(format, bill.language, {Variant(std::string(item_name))}));
}

db::RecordsetPtr FindTraceRows(db::Connection& connection, int32_t item_id,
                               std::string_view batch_no, std::string_view rest) {
  return connection.Execute(
      frame::SqlTemplate(
          "SELECT * FROM ICOrderBatchTrace WHERE FItemID=##Item## AND FBatchNo=##Batch##")
          .Number("Item", item_id)
          .Text("Batch", batch_no)
          .Sql() +
      std::string(rest));
}

std::string BindingConditions(int32_t cust_bom_id, int32_t order_id, bool above_zero_only) {
  auto applies = [above_zero_only](int32_t id) { return above_zero_only ? id > 0 : id != 0; };
  std::string conditions;
  if (applies(cust_bom_id)) conditions += " AND FCustBOMID=" + std::to_string(cust_bom_id);
  if (applies(order_id)) conditions += " AND FOrderInterID=" + std::to_string(order_id);
  return conditions;
}

void CheckStockBillBatches(db::Connection& connection, const BindingBill& bill) {
  db::RecordsetPtr rows = connection.Execute(
      frame::SqlTemplate(kUntracedBatchesSql).Number("Bill", bill.inter_id).Sql());
  if (rows->Eof()) return;
  const Variant name = services::Foundation::Current().NullToDefault(rows->Field("FName"), "");
  RefuseBinding(kMissingOrDisabled, bill, name.ToString());
}

bool IsBatchTraceInUse(frame::ClassFrame& frame, const std::string& sDsn,
                       const Dictionary& dictSysProfile, const db::ConnectionPtr& connection) {
  const db::ConnectionPtr conn = frame.GetConnection(sDsn, false, connection);
  db::RecordsetPtr any = conn->Execute("SELECT TOP 1 * FROM ICOrderBatchTrace ");
  return !any->Eof() || ProfileSwitch(dictSysProfile, kProfileUseOrderBatchTrace);
}

int32_t BindCustomerBomBatch(frame::ClassFrame& frame, const db::ConnectionPtr& connection,
                             const Dictionary& dictStepParams, Dictionary& dictResult,
                             std::string& sMsg) {
  sMsg.clear();
  try {
    const BindingBill bill = ReadBill(dictStepParams);
    const int32_t tran_type = NumberOr(dictStepParams.Read(kKeyTransType), 0);
    if (HasConfiguredLines(*connection, bill.inter_id)) {
      if (kTracedStockBillTypes.Contains(tran_type)) CheckStockBillBatches(*connection, bill);
      if (kProductionReceiptTypes.Contains(tran_type)) BindProductionBatches(*connection, bill);
      if (tran_type == SaleOutStock) CheckSalesBatches(*connection, bill);
    }
    Answer(dictResult, 0, "");
    return 0;
  } catch (const Error& error) {
    const bool refused = error.number() == kBatchTraceRefused;
    if (refused || sMsg.empty()) sMsg = error.description();
    // A batch that failed half way may have left its work table on the connection.
    if (!refused) {
      try {
        frame.DropTempTable("", "#OrderBOM", connection);
      } catch (const Error&) {
        // The table was never made or is gone already; the first error is the one to report.
      }
    }
    const int32_t code = refused ? kBatchTraceRefused : -1;
    Answer(dictResult, code, sMsg);
    return code;
  }
}

}  // namespace cb::batch
