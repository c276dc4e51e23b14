// Tests of the built-in data-access service: data source errors, the current user, the call's one
// connection and its transaction, against a registered fake provider.
#include "platform/services/dsn_data_access_service.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/services/call_scope.h"
#include "platform/services/connection_providers.h"
#include "platform/variant/error.h"
#include "support/fake_connection.h"

namespace cb::services {
namespace {

using testing::FakeConnection;

class DsnDataAccessServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterConnectionProvider("Fake", [this](const db::DataSource&) {
      connections.push_back(std::make_shared<FakeConnection>());
      return connections.back();
    });
  }
  void TearDown() override { UnregisterConnectionProvider("Fake"); }

  std::vector<std::shared_ptr<FakeConnection>> connections;
};

TEST_F(DsnDataAccessServiceTest, UnusableDataSourceStringsAreErrorsWithAClearText) {
  struct Case {
    const char* dsn;
    const char* text_fragment;
    int32_t number;  // 0: any
  };
  const Case cases[] = {
      {"Data Source=x.db", "Provider", 0},
      {"Provider=NoSuchEngine;Data Source=x.db", "NoSuchEngine", kErrProviderNotFound},
  };
  for (const Case& c : cases) {
    DsnDataAccessService service;
    try {
      service.OpenDsn(c.dsn);
      ADD_FAILURE() << "accepted " << c.dsn;
    } catch (const Error& error) {
      EXPECT_NE(error.description().find(c.text_fragment), std::string::npos)
          << c.dsn << " -> " << error.description();
      if (c.number != 0) {
        EXPECT_EQ(error.number(), c.number) << c.dsn;
      }
    }
  }
  EXPECT_THROW(DsnDataAccessService().OpenConnection(), Error) << "no data source bound";
}

TEST_F(DsnDataAccessServiceTest, SecurityInfoComesFromTheDataSourceString) {
  DsnDataAccessService service;
  EXPECT_EQ(service.GetSecurityInfo()->UserID(), 0);
  EXPECT_EQ(service.GetSecurityInfo()->UserLanguage(), kDefaultUserLanguage);
  service.OpenDsn("Provider=Fake;Data Source=a;UserID=16;Language=en");
  EXPECT_EQ(service.GetSecurityInfo()->UserID(), 16);
  EXPECT_EQ(service.GetSecurityInfo()->UserLanguage(), "en");
}

// A nested call's services share the outer call's connection, and the last vote, even a nested
// one, decides.
TEST_F(DsnDataAccessServiceTest, ServicesOfOneCallShareOneConnectionAndItsLastVote) {
  {
    CallScope outer;
    DsnDataAccessService outer_service;
    outer_service.OpenDsn("Provider=Fake;Data Source=a");
    db::ConnectionPtr connection = outer_service.OpenConnection();
    outer_service.VoteCommit();
    {
      CallScope nested;
      DsnDataAccessService nested_service;
      nested_service.OpenDsn("provider=fake; data source = a ;UserID=3");
      EXPECT_EQ(nested_service.OpenConnection(), connection);
      EXPECT_EQ(nested_service.OpenConnectionEx(), connection);
      nested_service.VoteAbort();
    }
  }
  ASSERT_EQ(connections.size(), 1u);
  EXPECT_EQ(connections[0]->log(), (std::vector<std::string>{"BEGIN", "ROLLBACK"}));
}

}  // namespace
}  // namespace cb::services
