// Where the stock rows of each stock bill type come from: the entry table, the stock and place
// columns of each side, and the stock-type filter of receipt notices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace cb::stock {

// One side of an entry: the columns read as FStockID and FStockPlaceID.
struct StockSide {
  std::string stock_column;
  std::string place_column;
};

// How the second (source) side of a two-sided type writes its factor.
enum class SourceFactorStyle {
  kTimesMinusOne,  // "<F>*(-1)*u1.FQty" (transfers)
  kNegated,        // "<-F>*u1.FQty" (virtual-stock moves)
};

struct StockSource {
  std::string entry_table;  // empty: the type moves no stock
  StockSide destination;
  std::optional<StockSide> source;  // set for the two-sided types 41 and 74
  SourceFactorStyle source_style = SourceFactorStyle::kTimesMinusOne;
  // For receipt notices: the stock-type condition on t_Stock t1, e.g. " AND t1.FTypeID=503"; the
  // entry table is then joined to t_Stock t1 on its stock.
  std::string stock_type_filter;
};

// The stock source of a transaction type; an empty entry_table for types without one.
[[nodiscard]] StockSource StockSourceOf(int32_t lTranType);

}  // namespace cb::stock
