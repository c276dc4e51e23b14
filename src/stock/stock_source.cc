// The stock-source table of the stock bill types.
#include "stock/stock_source.h"

namespace cb::stock {

namespace {

const StockSide kDestination{"FDCStockID", "FDCSPID"};
const StockSide kSourceStockDestinationPlace{"FSCStockID", "FDCSPID"};
const StockSide kSource{"FSCStockID", "FSCSPID"};
const StockSide kNoticeStock{"FStockID", "FDCSPID"};

StockSource Notice(std::string filter) {
  StockSource result{"POInstockEntry", kNoticeStock, std::nullopt,
                     SourceFactorStyle::kTimesMinusOne, std::move(filter)};
  return result;
}

}  // namespace

StockSource StockSourceOf(int32_t lTranType) {
  switch (lTranType) {
    case 1:
    case 2:
    case 5:
    case 10:
    case 21:
    case 28:
    case 29:
    case 40:
    case 43:
      return {"ICStockBillEntry", kDestination, std::nullopt, SourceFactorStyle::kTimesMinusOne,
              ""};
    case 24:
      return {"ICStockBillEntry", kSourceStockDestinationPlace, std::nullopt,
              SourceFactorStyle::kTimesMinusOne, ""};
    case 6:
    case 26:
      return {"ZPStockBillEntry", kDestination, std::nullopt, SourceFactorStyle::kTimesMinusOne,
              ""};
    case 41:
      return {"ICStockBillEntry", kDestination, kSource, SourceFactorStyle::kTimesMinusOne, ""};
    case 74:
      return {"POStockBillEntry", kDestination, kSource, SourceFactorStyle::kNegated, ""};
    case 72:
      return Notice(" AND t1.FTypeID=503");
    case 73:
      return Notice(" AND t1.FTypeID IN (501,503)");
    case 702:
      return Notice(" AND t1.FTypeID=501");
    case 92:
      return {"ICSTJGBillEntry", kDestination, std::nullopt, SourceFactorStyle::kTimesMinusOne, ""};
    case 137:
      return {"ICSTJGBillEntry", kSourceStockDestinationPlace, std::nullopt,
              SourceFactorStyle::kTimesMinusOne, ""};
    default:
      return {};
  }
}

}  // namespace cb::stock
