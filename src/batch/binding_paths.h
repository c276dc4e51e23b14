// The paths of BindCustomerBomBatch, one per family of bill types, and what they share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace cb::batch {

// What the paths need of the bill.
struct BindingBill {
  int32_t inter_id = 0;
  int32_t rob = 0;  // the head's FROB (Null read as 0)
  std::string language;
};

// Ends a path with a refusal: raises cb::Error(kBatchTraceRefused) with `format` filled with the
// item name.
[[noreturn]] void RefuseBinding(std::string_view format, const BindingBill& bill,
                                std::string_view item_name);

// The trace rows of an item and batch: "SELECT * FROM ICOrderBatchTrace WHERE FItemID=… AND
// FBatchNo='…'" followed by `rest` as it is.
[[nodiscard]] db::RecordsetPtr FindTraceRows(db::Connection& connection, int32_t item_id,
                                             std::string_view batch_no, std::string_view rest);

// " AND FCustBOMID=…" for the customer BOM, then " AND FOrderInterID=…" for the order, each only
// when its value is above 0 (`above_zero_only`) or not 0 (otherwise).
[[nodiscard]] std::string BindingConditions(int32_t cust_bom_id, int32_t order_id,
                                            bool above_zero_only);

// Receipts, issues, counts and transfers.
void CheckStockBillBatches(db::Connection& connection, const BindingBill& bill);
// Product and process receipts.
void BindProductionBatches(db::Connection& connection, const BindingBill& bill);
// Sales deliveries.
void CheckSalesBatches(db::Connection& connection, const BindingBill& bill);

}  // namespace cb::batch
