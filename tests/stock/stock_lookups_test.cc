// The stock and stock-place lookups hold exactly the stocks and places a transfer names, on both
// sides.

#include "stock/stock_lookups.h"

#include <gtest/gtest.h>

#include "stock/stock_fixture.h"

namespace cb::stock {
namespace {

using testing::Entry;
using testing::kBolt;

class StockLookupsTest : public testing::StockDatabase {};

TEST_F(StockLookupsTest, TransferYieldsBothStocksAndBothPlaces) {
  InsertEntries(
      "ICStockBillEntry", 1,
      {Entry{kBolt,
             1,
             0,
             {{"FDCStockID", "1"}, {"FDCSPID", "11"}, {"FSCStockID", "2"}, {"FSCSPID", "12"}}}});
  frame::ClassFrame frame;
  int32_t bill = 1;
  const DictionaryPtr stocks = LoadBillStocks(frame, kDsn, bill, 41, connection());
  const DictionaryPtr places = LoadBillStockPlaces(frame, kDsn, bill, 41, connection());
  ASSERT_EQ(stocks->Count(), 2u);
  const DictionaryPtr main = LookupEntry(*stocks, 1);
  ASSERT_TRUE(main);
  EXPECT_EQ(LookupText(main, kLookupNumber), "WH01");
  EXPECT_EQ(LookupText(main, kLookupName), "Main");
  EXPECT_TRUE(main->Read(kLookupIsStockMgr).ToBool());
  EXPECT_FALSE(LookupEntry(*stocks, 2)->Read(kLookupIsStockMgr).ToBool());
  ASSERT_EQ(places->Count(), 2u);
  EXPECT_EQ(LookupText(LookupEntry(*places, 12), kLookupName), "Shelf B");
  EXPECT_FALSE(LookupEntry(*places, 3));
}

}  // namespace
}  // namespace cb::stock
