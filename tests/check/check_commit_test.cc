// A check whose commit fails answers with the error exit, not with the success it had written, and
// leaves the bill and the stock as they were.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

#include "check/flow_fixture.h"
#include "engine/sqlite_provider.h"
#include "platform/services/connection_providers.h"
#include "platform/services/service_locator.h"
#include "platform/sqlite/sqlite_connection.h"
#include "support/fault_injecting_connection.h"

namespace cb::check {
namespace {

using testing::FlowDatabase;
using testing::kReceipt;

constexpr const char* kFailingCommitProvider = "SQLiteFailingCommit";

class CheckCommitTest : public FlowDatabase {
 protected:
  void SetUp() override {
    FlowDatabase::SetUp();
    services::RegisterConnectionProvider(kFailingCommitProvider, [](const db::DataSource& source) {
      auto connection = std::make_shared<cb::testing::FaultInjectingConnection>(
          engine::OpenSqliteDataSource(source), 0);
      connection->FailCommit();
      return connection;
    });
    // The engine's own data-access service, so that the call owns and ends its transaction.
    services::ServiceLocator::Current().SetDataAccessServiceFactory({});
  }
  void TearDown() override {
    services::UnregisterConnectionProvider(kFailingCommitProvider);
    FlowDatabase::TearDown();
  }

  std::string DatabaseFile() {
    const auto sqlite_connection =
        std::dynamic_pointer_cast<sqlite::SqliteConnection>(connection());
    return sqlite3_db_filename(sqlite_connection->backend().handle(), "main");
  }
};

TEST_F(CheckCommitTest, AFailedCommitTurnsTheCheckIntoTheErrorExitAndWritesNothing) {
  const std::string before = ReceiptState();
  DictionaryPtr params = Request(kReceipt, 1, 1);
  params->Write("PropString", std::string("Provider=") + kFailingCommitProvider +
                                  ";Data Source=" + DatabaseFile() + ";UserID=16");
  engine::CheckNow check_now;
  EXPECT_EQ(check_now.CheckBill(params), 0);
  EXPECT_EQ(params->Read("ReturnCode").ToInt32(), -1);
  EXPECT_EQ(params->Read("ReturnString").ToString(), "审核单据时出现错误！请检查单据后再试。");
  EXPECT_EQ(ReceiptState(), before);
  EXPECT_DOUBLE_EQ(Balance(), 0);
}

}  // namespace
}  // namespace cb::check
