// Quantities as the stock-limit table shows them: thousands grouped, a fixed number of decimals.
#pragma once

#include <string>

namespace cb::stock {

// The "#,##0" pattern, followed by "." and `decimals` zeros when decimals > 0: 1234.5 with 2
// decimals is "1,234.50", -0.4 with 0 decimals is "0" (no sign on zero), 0.5 rounds away from
// zero to "1".
[[nodiscard]] std::string FormatQuantity(double value, int decimals);

}  // namespace cb::stock
