// Tests of the shared helpers: variant membership, inventory and head tables, the server date.
#include "frame/shared_helpers.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

TEST(IsInArray, ComparesUnderVariantRules) {
  EXPECT_TRUE(IsInArray(Variant(1), {Variant(1.0)}));
  EXPECT_TRUE(IsInArray(Variant(int16_t{2}), {Variant(1), Variant(int64_t{2})}));
  EXPECT_TRUE(IsInArray(Variant(2), {1, 2}));
  EXPECT_FALSE(IsInArray(Variant(3), {1, 2}));
  EXPECT_FALSE(IsInArray(Variant(1), std::initializer_list<Variant>{}));
  EXPECT_FALSE(IsInArray(Variant::Null(), {Variant::Null()}));
  Vector names;
  names.Add("ICStockBill");
  names.Add("POOrder");
  EXPECT_TRUE(IsInArray(Variant("POOrder"), names));
  EXPECT_FALSE(IsInArray(Variant("SEOrder"), names));
}

TEST(GetInventoryTable, VirtualStockTypesUseTheVirtualBalanceTable) {
  for (int32_t type : {6, 26, 72, 73, 74, 92, 137, 702}) {
    EXPECT_EQ(GetInventoryTable(type), "POInventory") << type;
  }
  for (int32_t type : {0, 1, 2, 21, 24, 27, 71, 93, 136, 701, 703}) {
    EXPECT_EQ(GetInventoryTable(type), "ICInventory") << type;
  }
}

TEST(GetServerDate, FormatsTheServersDateAndSwallowsFailures) {
  testing::FakeConnection connection;
  connection.SetResult(
      "Select GetDate()",
      testing::OneColumn("", {Variant::Date(DayNumberFromCivil(2024, 3, 7, 15, 4, 5))}));
  EXPECT_EQ(GetServerDate(connection), "2024-03-07");

  testing::FakeConnection failing;
  failing.FailWhenContains("GetDate", db::DbError{});
  EXPECT_EQ(GetServerDate(failing), "");
}

TEST(GetHeadTable, AnswersTheTrimmedHeadTableOrNothing) {
  const std::string query = "select FHeadTable from ictransactiontype where fid=21";
  testing::FakeConnection connection;
  connection.SetResult(query, testing::OneColumn("FHeadTable", {"  ICStockBill  "}));
  EXPECT_EQ(GetHeadTable(21, connection), "ICStockBill");

  testing::FakeConnection no_row;
  no_row.SetResult(query, testing::OneColumn("FHeadTable", {}));
  EXPECT_EQ(GetHeadTable(21, no_row), "");

  testing::FakeConnection null_value;
  null_value.SetResult(query, testing::OneColumn("FHeadTable", {Variant::Null()}));
  EXPECT_EQ(GetHeadTable(21, null_value), "");

  testing::FakeConnection failing;
  failing.FailWhenContains("ictransactiontype", db::DbError{});
  EXPECT_EQ(GetHeadTable(21, failing), "");
}

}  // namespace
}  // namespace cb::frame
