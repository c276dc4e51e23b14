// Tests against a real database file: the vote of the outermost call decides what stays written,
// and a statement that fails halfway through a call leaves nothing of the call behind.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/sqlite_provider.h"
#include "platform/services/call_scope.h"
#include "platform/services/connection_providers.h"
#include "platform/services/dsn_data_access_service.h"
#include "platform/variant/error.h"
#include "support/fault_injecting_connection.h"

namespace cb::services {
namespace {

class SqliteTransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("services_tx_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
    std::filesystem::remove(path_);
    engine::RegisterSqliteProvider();
    RunRaw("CREATE TABLE t (id INTEGER)");
    dsn_ = "Provider=SQLite;Data Source=" + path_.string();
  }
  void TearDown() override {
    UnregisterConnectionProvider("FaultySQLite");
    for (const char* suffix : {"", "-wal", "-shm"}) {
      std::filesystem::remove(path_.string() + suffix);
    }
  }

  void RunRaw(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
  }

  int RowCount() {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM t", -1, &statement, nullptr);
    int count = -1;
    if (sqlite3_step(statement) == SQLITE_ROW) count = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
  }

  std::filesystem::path path_;
  std::string dsn_;
};

TEST_F(SqliteTransactionTest, CommitVoteKeepsTheCallsWrites) {
  {
    CallScope call;
    DsnDataAccessService service;
    service.OpenDsn(dsn_);
    service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (1)");
    service.VoteCommit();
  }
  EXPECT_EQ(RowCount(), 1);
}

TEST_F(SqliteTransactionTest, AbortVoteOrNoVoteDiscardsTheCallsWrites) {
  for (bool vote_abort : {true, false}) {
    {
      CallScope call;
      DsnDataAccessService service;
      service.OpenDsn(dsn_);
      service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (1)");
      if (vote_abort) service.VoteAbort();
    }
    EXPECT_EQ(RowCount(), 0) << (vote_abort ? "after VoteAbort" : "without a vote");
  }
}

TEST_F(SqliteTransactionTest, NestedCallWritesStandOrFallWithTheOutermostVote) {
  {
    CallScope outer;
    DsnDataAccessService service;
    service.OpenDsn(dsn_);
    service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (1)");
    {
      CallScope nested;
      DsnDataAccessService nested_service;
      nested_service.OpenDsn(dsn_);
      nested_service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (2)");
      nested_service.VoteCommit();
    }
    // Nothing is visible to others before the outermost call ends.
    EXPECT_EQ(RowCount(), 0);
    service.VoteAbort();
  }
  EXPECT_EQ(RowCount(), 0);
}

TEST_F(SqliteTransactionTest, FaultInTheMiddleOfACallLeavesNothing) {
  RegisterConnectionProvider("FaultySQLite", [](const db::DataSource& data_source) {
    return std::make_shared<testing::FaultInjectingConnection>(
        engine::OpenSqliteDataSource(data_source), 2);
  });
  {
    CallScope call;
    DsnDataAccessService service;
    service.OpenDsn("Provider=FaultySQLite;Data Source=" + path_.string());
    db::ConnectionPtr connection = service.OpenConnection();
    try {
      connection->Execute("INSERT INTO t (id) VALUES (1)");
      connection->Execute("INSERT INTO t (id) VALUES (2)");
      service.VoteCommit();
    } catch (const Error& error) {
      EXPECT_EQ(error.description(), "Injected fault at statement 2");
      ASSERT_EQ(connection->errors().Count(), 1u);
      service.VoteAbort();
    }
  }
  EXPECT_EQ(RowCount(), 0);
}

}  // namespace
}  // namespace cb::services
