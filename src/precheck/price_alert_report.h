// The report of a price alert: three header rows (column order, captions, numeric flags), then one
// row per line past its limit.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/variant/vector.h"
#include "precheck/price_alert_sql.h"

namespace cb::precheck {

// How the report formats the prices of a line.
struct PriceDecimals {
  bool from_profile = false;  // true: every line uses profile_decimals (sales invoices)
  int profile_decimals = 0;   // the profile's SInvoiceDecimal
};

// A new report Vector: the header rows, then a row per record of `lines` (the alert batch's
// result, read from its first row to its end), captions localised into `language`.
[[nodiscard]] VectorPtr BuildPriceAlertReport(PriceAlertKind kind, db::Recordset& lines,
                                              const PriceDecimals& decimals,
                                              std::string_view language);

}  // namespace cb::precheck
