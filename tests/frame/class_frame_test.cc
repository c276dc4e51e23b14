// Tests of the class frame: binding, the connection it hands out and temporary-table clean-up.
#include "frame/class_frame.h"

#include <gtest/gtest.h>

#include <memory>

#include "frame/temp_table_guard.h"
#include "platform/services/pending_error.h"
#include "platform/services/service_locator.h"
#include "support/fake_connection.h"
#include "support/recording_service.h"

namespace cb::frame {
namespace {

using testing::FakeConnection;
using testing::RecordingService;

// Puts recording services in place on this thread; every service the locator hands out is kept.
class ClassFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    services::ServiceLocator::Current().SetDataAccessServiceFactory([this] {
      services_made.push_back(std::make_shared<RecordingService>(connection));
      return services_made.back();
    });
  }
  void TearDown() override {
    services::ServiceLocator::Current().SetDataAccessServiceFactory(nullptr);
    services::ClearPendingError();
  }

  std::shared_ptr<FakeConnection> connection = std::make_shared<FakeConnection>();
  std::vector<std::shared_ptr<RecordingService>> services_made;
};

// The initializer takes a service and its security object; a given connection is handed back
// without touching either.
TEST_F(ClassFrameTest, GivenConnectionIsReturnedWithoutTouchingTheService) {
  ClassFrame frame;
  ASSERT_EQ(services_made.size(), 1u);
  EXPECT_EQ(frame.data_access_service(), services_made[0]);
  const services::SecurityInfoPtr security_before = frame.security_info();
  EXPECT_EQ(security_before->UserID(), 7);
  auto given = std::make_shared<FakeConnection>();
  EXPECT_EQ(frame.GetConnection("Provider=X;Data Source=y", false, given), given);
  EXPECT_EQ(frame.GetConnection("Provider=X;Data Source=y", true, given), given);
  ASSERT_EQ(services_made.size(), 1u);
  EXPECT_EQ(frame.security_info(), security_before);
  const testing::ServiceLog& log = services_made[0]->log();
  EXPECT_TRUE(log.bound_dsns.empty());
  EXPECT_EQ(log.security_requests, 1);
  EXPECT_EQ(log.connection_requests + log.other_connection_requests, 0);
}

TEST_F(ClassFrameTest, DropTempTableForgetsOnlyAMissingTableAndPassesEveryOtherFailureOn) {
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
      {db::DbErrorKind::kConnection, 13, "database or disk is full", true},
      {db::DbErrorKind::kBusy, 5, "database is locked", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    connection = std::make_shared<FakeConnection>();
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

TEST_F(ClassFrameTest, TempTableGuardDropsOnceAtItsPointOrOnTheWayOut) {
  ClassFrame frame;
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
