// Tests of the system-profile loader against a database with the suite's schema.
#include "frame/profile/system_profile.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "frame/class_frame.h"
#include "frame/profile/suite_database.h"
#include "frame/profile/system_profile_query.h"

namespace cb::profile {
namespace {

using ::cb::testing::SuiteDatabase;

class SystemProfileTest : public SuiteDatabase {
 protected:
  void SetUp() override {
    SuiteDatabase::SetUp();
    Exec("DELETE FROM t_SystemProfile");
  }
  void AddRow(const std::string& category, const std::string& key, const std::string& value) {
    Exec("INSERT INTO t_SystemProfile (FCategory, FKey, FValue) VALUES ('" + category + "', '" +
         key + "', '" + value + "')");
  }
};

TEST_F(SystemProfileTest, LoadsIcKeysAndGeneralSingleManOnly) {
  AddRow("IC", "StartPeriod", "4");
  AddRow("GL", "StartPeriod", "9");      // same key, other category
  AddRow("IC", "SInvoiceDecimal", "2");  // IC, but not a key the engine loads here
  AddRow("General", "SingleMan", "1");
  AddRow("General", "UnderStock", "1");  // a listed key under General
  AddRow("IC", "UnderStock", "0");

  const DictionaryPtr profile = LoadSystemProfile(*connection());
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->Count(), 3u);
  EXPECT_EQ(profile->Read("IC|StartPeriod"), Variant("4"));
  EXPECT_EQ(profile->Read("IC|UnderStock"), Variant("0"));
  EXPECT_EQ(profile->Read("General|SingleMan"), Variant("1"));
  EXPECT_FALSE(profile->Exists("GL|StartPeriod"));
  EXPECT_FALSE(profile->Exists("IC|SInvoiceDecimal"));
  EXPECT_FALSE(profile->Exists("General|UnderStock"));
}

TEST_F(SystemProfileTest, LoadsEverySwitchTheEngineReads) {
  std::vector<std::string> keys;
  std::istringstream names(
      "StartPeriod CurrentPeriod ICClosed UseShortNumber ISUseMultiCheck UseHighInv UseLowInv "
      "UseSafeInv UnderStock ShowUnderTip CurrentYear BillStatus IsOkToModAfterClose "
      "WorkCalendarset UseOrderBatchTrace UseLockStock AutoUpdateSP AutoUpdatePP AlertSELowPrice "
      "AlertSELowPriceWhenCheck AlertPOMaxPrice AlertHighPriceWhenCheck UseInvMgr "
      "SameUserApprovalAndUnApproval POQtyLargeStock CQtyLargerSEQty OrdStockOutByProportion");
  for (std::string key; names >> key;) keys.push_back(key);
  for (const std::string& key : keys) AddRow("IC", key, key);
  AddRow("General", "SingleMan", "0");
  const DictionaryPtr profile = LoadSystemProfile(*connection());
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->Count(), 28u);
  for (const std::string& key : keys) EXPECT_EQ(profile->Read("IC|" + key), Variant(key)) << key;
}

TEST_F(SystemProfileTest, KeepsValuesExactlyAsStored) {
  AddRow("IC", "CurrentYear", " 2024 ");
  const DictionaryPtr profile = LoadSystemProfile(*connection());
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->Read("IC|CurrentYear"), Variant(" 2024 "));
}

TEST_F(SystemProfileTest, IsNoneWhenNoKeyIsStored) {
  AddRow("GL", "StartPeriod", "1");
  EXPECT_EQ(LoadSystemProfile(*connection()), nullptr);
}

TEST_F(SystemProfileTest, OpensTheSecondConnectionOnlyWithoutOne) {
  AddRow("IC", "ICClosed", "1");
  frame::ClassFrame frame;

  const DictionaryPtr own = GetSystemProfile(frame, kDsn, nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->Read("IC|ICClosed"), Variant("1"));
  EXPECT_EQ(log().other_connection_requests, 1);
  EXPECT_EQ(log().connection_requests, 0);
  ASSERT_EQ(log().bound_dsns.size(), 1u);
  EXPECT_EQ(log().bound_dsns[0], kDsn);

  const DictionaryPtr given = GetSystemProfile(frame, kDsn, connection());
  ASSERT_NE(given, nullptr);
  EXPECT_EQ(log().other_connection_requests, 1);
  EXPECT_EQ(log().bound_dsns.size(), 1u);
}

TEST_F(SystemProfileTest, LetsDatabaseErrorsThrough) {
  Exec("DROP TABLE t_SystemProfile");
  EXPECT_THROW(static_cast<void>(LoadSystemProfile(*connection())), Error);
}

}  // namespace
}  // namespace cb::profile
