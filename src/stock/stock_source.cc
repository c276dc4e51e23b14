// The stock-source table of the stock bill types.
#include "stock/stock_source.h"

#include "frame/vocabulary/trans_types.h"

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
    case PurchaseInStock:
    case ProductsInStock:
    case ProcessInStock:
    case OtherInStock:
    case SaleOutStock:
    case ProcessOutStock:
    case OtherOutStock:
    case CheckInStock:
    case CheckOutStock:
      return {"ICStockBillEntry", kDestination, std::nullopt, SourceFactorStyle::kTimesMinusOne,
              ""};
    case GetMaterial:
      return {"ICStockBillEntry", kSourceStockDestinationPlace, std::nullopt,
              SourceFactorStyle::kTimesMinusOne, ""};
    case 6:
    case 26:
      return {"ZPStockBillEntry", kDestination, std::nullopt, SourceFactorStyle::kTimesMinusOne,
              ""};
    case StoreageMove:
      return {"ICStockBillEntry", kDestination, kSource, SourceFactorStyle::kTimesMinusOne, ""};
    case PurchaseVirStoreMove:
      return {"POStockBillEntry", kDestination, kSource, SourceFactorStyle::kNegated, ""};
    case PurchaseConsign:
      return Notice(" AND t1.FTypeID=503");
    case PurchaseRecede:
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
