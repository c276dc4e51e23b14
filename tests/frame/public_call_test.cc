// Tests of the public-call boundary: one conversion of errors into the failure answer, votes, and
// nested calls joining the outermost call's transaction, a failed commit as the call's failure.
#include "frame/public_call.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/services/connection_providers.h"
#include "platform/services/pending_error.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

using testing::FakeConnection;

class PublicCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    services::RegisterConnectionProvider("Fake", [this](const db::DataSource&) {
      connections.push_back(std::make_shared<FakeConnection>());
      if (fail_commit) connections.back()->FailCommit();
      return connections.back();
    });
  }
  void TearDown() override { services::UnregisterConnectionProvider("Fake"); }

  static constexpr const char* kDsn = "Provider=Fake;Data Source=demo";
  std::vector<std::shared_ptr<FakeConnection>> connections;
  bool fail_commit = false;  // connections opened from now on fail their commit
};

TEST_F(PublicCallTest, ErrorBecomesTheFailureAnswerAndVotesAbort) {
  ClassFrame frame;
  std::string seen_pending;
  const int32_t result = PublicCall(
      frame,
      [&]() -> int32_t {
        frame.GetConnection(kDsn, false, nullptr)->Execute("UPDATE t SET a = 1");
        frame.VoteCommit();
        throw Error(-7, "step", "went wrong");
      },
      [&](const Error& error) {
        seen_pending = services::CurrentPendingError().description;
        return error.number() * 10;
      });
  EXPECT_EQ(result, -70);
  EXPECT_EQ(seen_pending, "went wrong");
  EXPECT_FALSE(services::CurrentPendingError().IsSet());
  ASSERT_EQ(connections.size(), 1u);
  EXPECT_EQ(connections[0]->log().back(), "ROLLBACK");
}

TEST_F(PublicCallTest, NestedCallOfAnotherObjectJoinsTheOuterTransaction) {
  ClassFrame outer;
  PublicCall(
      outer,
      [&] {
        outer.GetConnection(kDsn, false, nullptr)->Execute("first");
        ClassFrame inner;
        PublicCall(
            inner,
            [&] {
              inner.GetConnection(kDsn, false, nullptr)->Execute("second");
              throw Error(1, "", "inner failed");
              return 0;
            },
            [](const Error&) { return -1; });
        // The outer call goes on and has the last word.
        outer.VoteCommit();
        return 0;
      },
      [](const Error&) { return -1; });
  ASSERT_EQ(connections.size(), 1u);
  EXPECT_EQ(connections[0]->log(),
            (std::vector<std::string>{"BEGIN", "EXEC first", "EXEC second", "COMMIT"}));
}

TEST_F(PublicCallTest, RaisingCallLetsErrorsThroughAsEngineErrorsAndStillEndsItsTransaction) {
  ClassFrame frame;
  EXPECT_THROW(PublicCallRaising([&]() -> int {
                 frame.GetConnection(kDsn, false, nullptr)->Execute("UPDATE t SET a = 1");
                 throw Error(3, "", "x");
               }),
               Error);
  ASSERT_EQ(connections.size(), 1u);
  EXPECT_EQ(connections[0]->log().back(), "ROLLBACK");
  try {
    PublicCallRaising([]() -> int { throw std::runtime_error("boom"); });
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kErrInternal);
    EXPECT_EQ(error.description(), "Internal error: boom");
  }
}

TEST_F(PublicCallTest, AFailedCommitIsTheOutermostCallsFailureBeforeItAnswers) {
  fail_commit = true;
  ClassFrame frame;
  const std::string answer = PublicCall(
      frame,
      [&] {
        frame.GetConnection(kDsn, false, nullptr)->Execute("UPDATE t SET a = 1");
        frame.VoteCommit();
        return std::string("done");
      },
      [](const Error& error) { return "failed: " + error.description(); });
  EXPECT_EQ(answer, "failed: commit failed");
  ASSERT_EQ(connections.size(), 1u);
  EXPECT_EQ(connections[0]->log(),
            (std::vector<std::string>{"BEGIN", "EXEC UPDATE t SET a = 1", "COMMIT", "ROLLBACK"}));

  try {
    PublicCallRaising([&] {
      frame.GetConnection(kDsn, false, nullptr)->Execute("UPDATE t SET a = 2");
      frame.VoteCommit();
      return true;
    });
    ADD_FAILURE() << "the failed commit did not reach the caller";
  } catch (const Error& error) {
    EXPECT_EQ(error.description(), "commit failed");
  }
  ASSERT_EQ(connections.size(), 2u);
  EXPECT_EQ(connections[1]->log().back(), "ROLLBACK");
}

}  // namespace
}  // namespace cb::frame
