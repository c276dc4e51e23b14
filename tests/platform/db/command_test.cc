// Command refuses to run without a connection or a procedure name; running a procedure and its
// errors are tested over the real connection in tests/platform/sqlite (procedures_test.cc and
// sqlite_connection_test.cc).
#include "platform/db/command.h"

#include <gtest/gtest.h>

#include "platform/variant/error.h"
#include "support/fake_connection.h"

namespace cb::db {
namespace {

TEST(Command, RefusesToRunWithoutConnectionOrName) {
  Command no_connection(nullptr, "GetPeriodStartEnd");
  EXPECT_THROW(no_connection.Execute(), Error);

  auto connection = std::make_shared<testing::FakeConnection>();
  Command no_name(connection);
  EXPECT_THROW(no_name.Execute(), Error);
  EXPECT_TRUE(connection->log().empty()) << "nothing may reach the connection";
}

}  // namespace
}  // namespace cb::db
