// Tests of the temporary-table guard: a table is dropped once, at its point or, when a step fails
// before it, on the way out, so that the next call on the connection finds none of its rows.
#include "frame/temp_table_guard.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/variant/error.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

using testing::FakeConnection;

TEST(TempTableGuard, DropsOnceAtItsPointOrOnTheWayOut) {
  ClassFrame frame;
  auto connection = std::make_shared<FakeConnection>();
  {
    TempTableGuard guard(frame, "dsn", "#TempSumQty", connection);
    guard.Drop();
    connection->Execute("SELECT 1");
  }
  EXPECT_EQ(connection->statements(),
            (std::vector<std::string>{"DROP TABLE #TempSumQty", "SELECT 1"}));

  auto failed = std::make_shared<FakeConnection>();
  try {
    TempTableGuard guard(frame, "dsn", "#TmpICBOM", failed);
    throw Error(-1, "", "a step failed");
  } catch (const Error&) {
  }
  EXPECT_EQ(failed->statements(), std::vector<std::string>{"DROP TABLE #TmpICBOM"});
}

}  // namespace
}  // namespace cb::frame
