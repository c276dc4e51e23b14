// Tests of the engine as a host sees it: the public classes' transaction modes, creation by ProgID
// and failure answers of members that cannot do their work.
#include <gtest/gtest.h>

#include <memory>

#include "checkbill/check_now.h"
#include "checkbill/pre_check.h"
#include "checkbill/qm_check_now.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"

namespace cb::engine {
namespace {

TEST(PublicClasses, CheckNowAndCPreCheckAreCreatedByTheirProgIDsInTheirTransactionModes) {
  CheckNow registers_engine_components;
  auto pre_check = std::dynamic_pointer_cast<CPreCheck>(
      services::ObjectFactory::Current().CreateComponent("VellMCheckBill.CPreCheck"));
  ASSERT_NE(pre_check, nullptr);
  EXPECT_EQ(pre_check->TransMode(), 3);
  auto check_now = std::dynamic_pointer_cast<CheckNow>(
      services::ObjectFactory::Current().CreateComponent("VellMCheckBill.CheckNow"));
  ASSERT_NE(check_now, nullptr);
  EXPECT_EQ(check_now->TransMode(), 2);  // CQMCheckNow's is in the checkbill tool's call tests
}

TEST(PublicClasses, MembersThatCannotWorkAnswerTheirFailureStatus) {
  CheckNow check_now;
  std::string message;
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
}

// The profile, price-alert and other members whose callers handle errors raise them; the scenario
// driver's fault sweep shows it for every member a scenario calls.
TEST(PublicClasses, UpdateSEOrderBCommitQtyRaisesItsErrors) {
  EXPECT_THROW(CheckNow().UpdateSEOrderBCommitQty("dsn", 1), Error);
}

}  // namespace
}  // namespace cb::engine
