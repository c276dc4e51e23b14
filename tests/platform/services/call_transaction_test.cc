// Tests of the call transaction: the last vote decides between commit and rollback.
#include "platform/services/call_transaction.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/fake_connection.h"

namespace cb::services {
namespace {

using testing::FakeConnection;

// A commit that fails rolls back instead.
TEST(CallTransaction, LastVoteDecidesBetweenCommitAndRollback) {
  struct Case {
    std::vector<Vote> votes;
    bool commit_fails;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {{}, false, {"BEGIN", "ROLLBACK"}},
      {{Vote::kCommit}, false, {"BEGIN", "COMMIT"}},
      {{Vote::kCommit, Vote::kAbort}, false, {"BEGIN", "ROLLBACK"}},
      {{Vote::kAbort, Vote::kCommit}, false, {"BEGIN", "COMMIT"}},
      {{Vote::kCommit}, true, {"BEGIN", "COMMIT", "ROLLBACK"}},
  };
  for (const Case& c : cases) {
    auto connection = std::make_shared<FakeConnection>();
    if (c.commit_fails) connection->FailCommit();
    {
      CallTransaction transaction;
      transaction.Connection("db", [&] { return connection; });
      for (Vote vote : c.votes) transaction.Cast(vote);
    }
    EXPECT_EQ(connection->log(), c.log) << "after " << c.votes.size() << " votes";
    EXPECT_FALSE(connection->InTransaction());
  }
}

}  // namespace
}  // namespace cb::services
