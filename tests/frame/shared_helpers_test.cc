// Tests of the shared helpers: the head table and the server date.
#include "frame/shared_helpers.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

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

  testing::FakeConnection failing;
  failing.FailWhenContains("ictransactiontype", db::DbError{});
  EXPECT_EQ(GetHeadTable(21, failing), "");
}

}  // namespace
}  // namespace cb::frame
