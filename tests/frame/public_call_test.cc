// Tests of the public-call boundary over the built-in data-access service: nested calls join the
// outermost call's transaction, the raising form lets errors through as engine errors, and the
// frame's user and language come from the data source string. The failure answer, its abort vote
// and a failed commit are swept over whole calls by the scenario files and the storage-fault sweep.
#include "frame/public_call.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/services/connection_providers.h"
#include "support/fake_connection.h"

namespace cb::frame {
namespace {

using testing::FakeConnection;

class PublicCallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    services::RegisterConnectionProvider("Fake", [this](const db::DataSource&) {
      connections.push_back(std::make_shared<FakeConnection>());
      return connections.back();
    });
  }
  void TearDown() override { services::UnregisterConnectionProvider("Fake"); }

  static constexpr const char* kDsn = "Provider=Fake;Data Source=demo";
  std::vector<std::shared_ptr<FakeConnection>> connections;
};

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
              // The same data source, however it is spelt, is the same connection.
              inner.GetConnection("provider=fake; data source = demo ;UserID=3", false, nullptr)
                  ->Execute("second");
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

TEST_F(PublicCallTest, SecurityInfoComesFromTheDataSourceString) {
  ClassFrame frame;
  EXPECT_THROW(frame.data_access_service()->OpenConnection(), Error) << "no data source bound";
  EXPECT_EQ(frame.security_info()->UserID(), 0);
  EXPECT_EQ(frame.security_info()->UserLanguage(), services::kDefaultUserLanguage);
  frame.AttachDsn("Provider=Fake;Data Source=a;UserID=16;Language=en");
  EXPECT_EQ(frame.security_info()->UserID(), 16);
  EXPECT_EQ(frame.security_info()->UserLanguage(), "en");
}

}  // namespace
}  // namespace cb::frame
