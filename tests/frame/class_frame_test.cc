// Tests of the class frame's temporary-table clean-up.
#include "frame/class_frame.h"

#include <gtest/gtest.h>

#include <memory>

#include "frame/temp_table_guard.h"
#include "platform/services/pending_error.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

using testing::FakeConnection;

TEST(ClassFrame, DropTempTableForgetsOnlyAMissingTableAndPassesEveryOtherFailureOn) {
  struct Case {
    db::DbErrorKind kind;
    int32_t native_error;
    const char* description;
    bool reaches_caller;
  };
  const Case cases[] = {
      {db::DbErrorKind::kNoSuchObject, 3701,
       "Cannot drop the table '#TempBill', because it does not exist or you do not have "
       "permission",
       false},
      // SQLite may have ended the transaction after these: the call must not go on.
      {db::DbErrorKind::kConnection, 10, "disk I/O error", true},
      {db::DbErrorKind::kBusy, 5, "database is locked", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    auto connection = std::make_shared<FakeConnection>();
    db::DbError failure;
    failure.kind = c.kind;
    failure.native_error = c.native_error;
    failure.description = c.description;
    connection->FailWhenContains("DROP TABLE", failure);
    services::SetPendingError(Error(5, "earlier", "earlier error"));
    ClassFrame frame;
    if (c.reaches_caller) {
      try {
        frame.DropTempTable("dsn", "#TempBill", connection);
        ADD_FAILURE() << "the failure was swallowed";
      } catch (const Error& error) {
        EXPECT_EQ(error.description(), c.description);
      }
      EXPECT_EQ(connection->errors().Count(), 1u);
    } else {
      frame.DropTempTable("dsn", "#TempBill", connection);
      EXPECT_TRUE(connection->errors().empty());
      EXPECT_FALSE(services::CurrentPendingError().IsSet());
    }
    EXPECT_EQ(connection->statements(), std::vector<std::string>{"DROP TABLE #TempBill"});
    services::ClearPendingError();
  }
}

TEST(ClassFrame, TempTableGuardDropsOnceAtItsPointOrOnTheWayOut) {
  ClassFrame frame;
  auto connection = std::make_shared<FakeConnection>();
  {
    TempTableGuard guard(frame, "dsn", "#TempSumQty", connection);
    connection->Execute("SELECT 1");
    guard.Drop();
    connection->Execute("SELECT 2");
  }
  EXPECT_EQ(connection->statements(),
            (std::vector<std::string>{"SELECT 1", "DROP TABLE #TempSumQty", "SELECT 2"}));

  // Left by an error before its point: the destructor drops the table.
  auto refused = std::make_shared<FakeConnection>();
  try {
    TempTableGuard guard(frame, "dsn", "#TempLockInfo", refused);
    throw Error(-1, "", "a step failed");
  } catch (const Error&) {
  }
  EXPECT_EQ(refused->statements(), std::vector<std::string>{"DROP TABLE #TempLockInfo"});

  // Without a name there is nothing to drop.
  auto unnamed = std::make_shared<FakeConnection>();
  frame.DropTempTable("dsn", "", unnamed);
  EXPECT_TRUE(unnamed->statements().empty());
}

}  // namespace
}  // namespace cb::frame
