// The statements of the price alerts: the profile read, the work table and the one batch that fills
// it and selects the lines past their limit, for each bill type and its variants.
#pragma once

#include <cstdint>
#include <string>

namespace cb::precheck {

// The two kinds of alert: a sales line below its lowest price, a purchase line above its highest.
enum class PriceAlertKind {
  kSaleLowPrice,
  kPurchaseHighPrice,
};

// The profile read of the alert: the invoice decimals and the kind's tax-in-price switch.
[[nodiscard]] std::string PriceAlertProfileSql(PriceAlertKind kind);

// The profile key of the kind's tax-in-price switch ("SEOrderTaxInPrice" or "POOrderTaxInPrice").
[[nodiscard]] const char* TaxInPriceKey(PriceAlertKind kind);

// The name of the limit column in the work table ("FSELowPrice" or "FPOHighPrice").
[[nodiscard]] const char* LimitColumn(PriceAlertKind kind);

// The CREATE TABLE of the work table #tmpLowPrice with the kind's limit column.
[[nodiscard]] std::string CreateLowPriceTableSql(PriceAlertKind kind);

// The batch that fills #tmpLowPrice for the bill and returns the lines past their limit, then drops
// the table. tran_type is one of 80, 81, 86 (sales) or 71, 75, 76 (purchase); tax_in_price is the
// profile's switch for the kind (it only changes the order types 81 and 71).
[[nodiscard]] std::string PriceAlertBatchSql(int32_t tran_type, int32_t inter_id,
                                             bool tax_in_price);

}  // namespace cb::precheck
