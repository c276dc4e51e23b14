// Tests of the engine as a host sees it: the public classes' transaction modes, creation by ProgID,
// failure answers of members that cannot do their work, and the SQLite provider it registers.
#include <gtest/gtest.h>

#include <memory>

#include "checkbill/check_now.h"
#include "checkbill/pre_check.h"
#include "checkbill/qm_check_now.h"
#include "engine/engine_components.h"
#include "engine/sqlite_provider.h"
#include "platform/services/call_scope.h"
#include "platform/services/connection_providers.h"
#include "platform/services/dsn_data_access_service.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"
#include "support/fake_connection.h"

namespace cb::engine {
namespace {

TEST(PublicClasses, TransModeTellsTheHostHowEachClassTakesPartInTransactions) {
  EXPECT_EQ(CheckNow().TransMode(), 2);
  EXPECT_EQ(CPreCheck().TransMode(), 3);
  EXPECT_EQ(CQMCheckNow().TransMode(), 0);
}

TEST(PublicClasses, CheckNowAndCPreCheckAreCreatedByTheirProgIDs) {
  CheckNow registers_engine_components;
  auto pre_check = std::dynamic_pointer_cast<CPreCheck>(
      services::ObjectFactory::Current().CreateComponent("VellMCheckBill.CPreCheck"));
  EXPECT_NE(pre_check, nullptr);
  auto check_now = std::dynamic_pointer_cast<CheckNow>(
      services::ObjectFactory::Current().CreateComponent("VellMCheckBill.CheckNow"));
  EXPECT_NE(check_now, nullptr);
}

TEST(PublicClasses, MembersThatCannotWorkAnswerTheirFailureStatus) {
  CheckNow check_now;
  std::string message = "before";
  EXPECT_EQ(check_now.WriteBackStockProcess("dsn", false, 1, message), -200027);
  EXPECT_NE(message.find("WriteBackStockProcess"), std::string::npos);

  message.clear();
  EXPECT_FALSE(check_now.WriteBackICMrpResult("dsn", 1, 1, 1, message));
  EXPECT_FALSE(message.empty());

  DictionaryPtr in = Dictionary::Create();
  DictionaryPtr out;
  EXPECT_FALSE(check_now.CheckEbsarBill("dsn", in, out));
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->Read("ReturnCode"), Variant(-1));
  EXPECT_TRUE(out->Read("ReturnString").IsString());

  CQMCheckNow qm;
  DictionaryPtr qc_out = Dictionary::Create();
  EXPECT_FALSE(qm.CheckQCBill(in, qc_out));
  EXPECT_EQ(qc_out->Read("ReturnCode"), Variant(-1));

  std::string untouched = "as it was";
  EXPECT_EQ(qm.IsCanUnCheckRequest(nullptr, nullptr, 1, untouched, "en"), -1);
  EXPECT_EQ(untouched, "as it was");

  EXPECT_FALSE(CPreCheck().CheckChildExpandToItem("dsn", 5));
}

TEST(PublicClasses, MembersWhoseCallersHandleErrorsRaiseThem) {
  CPreCheck pre_check;
  VectorPtr report;
  std::string message;
  try {
    pre_check.DoPriceAlert("Provider=Nowhere;Data Source=x", 1, 80, report, message);
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), services::kErrProviderNotFound);
  }
  EXPECT_EQ(report, nullptr);
  EXPECT_THROW(CheckNow().UpdateSEOrderBCommitQty("dsn", 1), Error);
}

TEST(PublicClasses, GetSystemProfileLetsQueryErrorsThrough) {
  auto connection = std::make_shared<testing::FakeConnection>();
  db::DbError missing;
  missing.number = 208;
  missing.description = "Invalid object name 't_systemprofile'.";
  connection->FailWhenContains("t_systemprofile", missing);
  try {
    CheckNow().GetSystemProfile("unused", connection);
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), 208);
  }
}

TEST(SqliteProvider, TheEngineRegistersItAndItNeverCreatesAMissingFile) {
  RegisterEngineComponents();
  EXPECT_TRUE(services::HasConnectionProvider("sqlite"));
  services::DsnDataAccessService service;
  service.OpenDsn("Provider=SQLite;Data Source=/nonexistent/dir/none.db");
  services::CallScope call;
  try {
    service.OpenConnection();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_NE(error.description().find("/nonexistent/dir/none.db"), std::string::npos);
  }
}

}  // namespace
}  // namespace cb::engine
