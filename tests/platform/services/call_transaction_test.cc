// Tests of the call transaction: the last vote decides, each data source is opened once.
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

TEST(CallTransaction, OpensEachDataSourceOnceAndEndsEveryOne) {
  std::vector<std::shared_ptr<FakeConnection>> opened;
  auto open = [&] {
    opened.push_back(std::make_shared<FakeConnection>());
    return opened.back();
  };
  {
    CallTransaction transaction;
    const db::ConnectionPtr first = transaction.Connection("a", open);
    EXPECT_EQ(transaction.Connection("a", open), first);
    EXPECT_NE(transaction.Connection("b", open), first);
    transaction.Cast(Vote::kCommit);
  }
  ASSERT_EQ(opened.size(), 2u);
  for (const auto& connection : opened) {
    EXPECT_EQ(connection->log(), (std::vector<std::string>{"BEGIN", "COMMIT"}));
  }
}

}  // namespace
}  // namespace cb::services
