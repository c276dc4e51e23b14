// Tests against a real database file: the vote of the outermost call decides what stays written,
// and a statement that fails halfway through a call leaves nothing of the call behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/sqlite_provider.h"
#include "platform/services/call_scope.h"
#include "platform/services/call_transaction.h"
#include "platform/services/connection_providers.h"
#include "platform/services/dsn_data_access_service.h"
#include "platform/sqlite/sqlite_connection.h"
#include "platform/variant/error.h"
#include "support/fault_injecting_connection.h"
#include "support/temp_database.h"

namespace cb::services {
namespace {

// One call inserting 1 then 2: the second insert in a nested call of its own or not, the votes
// the outer call casts once its work is done (nested calls vote commit), and the statement the
// connection fails (0: none).
struct CallCase {
  const char* name;
  bool nested;
  std::vector<Vote> outer_votes;
  int fail_at;
  int rows_kept;
};

class SqliteTransactionTest : public ::testing::TestWithParam<CallCase> {
 protected:
  void SetUp() override {
    engine::RegisterSqliteProvider();
    (void)sqlite::OpenSqliteConnection(database_.path())->Execute("CREATE TABLE t (id INTEGER)");
    RegisterConnectionProvider("FaultySQLite", [this](const db::DataSource& data_source) {
      return std::make_shared<cb::testing::FaultInjectingConnection>(
          engine::OpenSqliteDataSource(data_source), GetParam().fail_at);
    });
  }
  void TearDown() override { UnregisterConnectionProvider("FaultySQLite"); }

  // Rows a connection of its own sees: what the call committed.
  int RowCount() {
    return sqlite::OpenSqliteConnection(database_.path())
        ->Execute("SELECT COUNT(*) FROM t")
        ->Field(size_t{0})
        .ToInt32();
  }
  std::string Dsn() const { return "Provider=FaultySQLite;Data Source=" + database_.path(); }

  cb::testing::TempDatabase database_;
};

TEST_P(SqliteTransactionTest, OutermostVoteDecidesWhatStaysWritten) {
  const CallCase& c = GetParam();
  {
    CallScope call;
    DsnDataAccessService service;
    service.OpenDsn(Dsn());
    try {
      service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (1)");
      if (c.nested) {
        CallScope nested;
        DsnDataAccessService nested_service;
        nested_service.OpenDsn(Dsn());
        nested_service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (2)");
        nested_service.VoteCommit();
      } else {
        service.OpenConnection()->Execute("INSERT INTO t (id) VALUES (2)");
      }
      // Nothing is visible to others before the outermost call ends.
      EXPECT_EQ(RowCount(), 0);
      for (Vote vote : c.outer_votes)
        vote == Vote::kCommit ? service.VoteCommit() : service.VoteAbort();
    } catch (const Error& error) {
      EXPECT_EQ(error.description(), "Injected fault at statement " + std::to_string(c.fail_at));
      EXPECT_EQ(service.OpenConnection()->errors().Count(), 1u);
      service.VoteAbort();
    }
  }
  EXPECT_EQ(RowCount(), c.rows_kept);
}

const std::vector<CallCase> kCalls = {
    {"commit", false, {Vote::kCommit}, 0, 2},
    {"abort", false, {Vote::kAbort}, 0, 0},
    {"no_vote", false, {}, 0, 0},
    {"nested_commit_then_outer_commit", true, {Vote::kCommit}, 0, 2},
    {"nested_commit_then_outer_abort", true, {Vote::kAbort}, 0, 0},
    {"fault_then_abort", false, {Vote::kCommit}, 2, 0},
    {"fault_in_nested_call", true, {Vote::kCommit}, 2, 0},
};

INSTANTIATE_TEST_SUITE_P(Calls, SqliteTransactionTest, ::testing::ValuesIn(kCalls),
                         [](const ::testing::TestParamInfo<CallCase>& call) {
                           return std::string(call.param.name);
                         });

}  // namespace
}  // namespace cb::services
