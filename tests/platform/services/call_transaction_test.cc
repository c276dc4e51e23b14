// Tests of the call transaction: the last vote decides, nested calls share one transaction.
#include "platform/services/call_transaction.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "platform/services/call_scope.h"
#include "support/fake_connection.h"

namespace cb::services {
namespace {

using testing::FakeConnection;

TEST(CallTransaction, LastVoteDecidesBetweenCommitAndRollback) {
  struct Case {
    std::vector<Vote> votes;
    const char* expected_end;
  };
  const Case cases[] = {
      {{}, "ROLLBACK"},
      {{Vote::kCommit}, "COMMIT"},
      {{Vote::kAbort}, "ROLLBACK"},
      {{Vote::kCommit, Vote::kAbort}, "ROLLBACK"},
      {{Vote::kAbort, Vote::kCommit}, "COMMIT"},
  };
  for (const Case& c : cases) {
    auto connection = std::make_shared<FakeConnection>();
    {
      CallTransaction transaction;
      transaction.Connection("db", [&] { return connection; });
      for (Vote vote : c.votes) transaction.Cast(vote);
    }
    ASSERT_EQ(connection->log().size(), 2u);
    EXPECT_EQ(connection->log()[0], "BEGIN");
    EXPECT_EQ(connection->log()[1], c.expected_end) << "after " << c.votes.size() << " votes";
    EXPECT_FALSE(connection->InTransaction());
  }
}

TEST(CallTransaction, OpensEachDataSourceOnceAndEndsEveryOne) {
  auto first = std::make_shared<FakeConnection>();
  auto second = std::make_shared<FakeConnection>();
  int opened = 0;
  {
    CallTransaction transaction;
    EXPECT_EQ(transaction.Connection("a",
                                     [&] {
                                       ++opened;
                                       return first;
                                     }),
              first);
    EXPECT_EQ(transaction.Connection("a",
                                     [&] {
                                       ++opened;
                                       return second;
                                     }),
              first);
    EXPECT_EQ(transaction.Connection("b",
                                     [&] {
                                       ++opened;
                                       return second;
                                     }),
              second);
    transaction.Cast(Vote::kCommit);
  }
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(first->log(), (std::vector<std::string>{"BEGIN", "COMMIT"}));
  EXPECT_EQ(second->log(), (std::vector<std::string>{"BEGIN", "COMMIT"}));
}

TEST(CallTransaction, FailedOpenEnlistsNothing) {
  CallTransaction transaction;
  EXPECT_THROW(
      transaction.Connection("a", []() -> db::ConnectionPtr { throw Error(1, "", "down"); }),
      Error);
  EXPECT_EQ(transaction.connection_count(), 0u);
}

TEST(CallTransaction, FailedCommitRollsBack) {
  auto connection = std::make_shared<FakeConnection>();
  connection->FailCommit();
  {
    CallTransaction transaction;
    transaction.Connection("a", [&] { return connection; });
    transaction.Cast(Vote::kCommit);
  }
  EXPECT_EQ(connection->log(), (std::vector<std::string>{"BEGIN", "COMMIT", "ROLLBACK"}));
  EXPECT_FALSE(connection->InTransaction());
}

TEST(CallScope, NestedScopesShareTheOutermostTransaction) {
  auto connection = std::make_shared<FakeConnection>();
  EXPECT_EQ(CallScope::Current(), nullptr);
  {
    CallScope outer;
    CallTransaction* outer_transaction = CallScope::Current();
    ASSERT_NE(outer_transaction, nullptr);
    outer_transaction->Connection("a", [&] { return connection; });
    {
      CallScope inner;
      EXPECT_EQ(CallScope::Current(), outer_transaction);
      EXPECT_EQ(CallScope::Depth(), 2);
      CallScope::Current()->Cast(Vote::kCommit);
    }
    // Leaving the nested call ends nothing.
    EXPECT_EQ(connection->log(), (std::vector<std::string>{"BEGIN"}));
  }
  EXPECT_EQ(CallScope::Current(), nullptr);
  EXPECT_EQ(connection->log(), (std::vector<std::string>{"BEGIN", "COMMIT"}));
}

TEST(CallScope, ThreadsHaveTheirOwnCalls) {
  CallScope outer;
  CallTransaction* mine = CallScope::Current();
  CallTransaction* seen_on_other_thread = mine;
  int other_depth = -1;
  std::thread other([&] {
    seen_on_other_thread = CallScope::Current();
    other_depth = CallScope::Depth();
  });
  other.join();
  EXPECT_EQ(seen_on_other_thread, nullptr);
  EXPECT_EQ(other_depth, 0);
}

}  // namespace
}  // namespace cb::services
