// Tests of the system-profile loader against a database with the suite's schema.
#include "frame/profile/system_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/class_frame.h"
#include "frame/profile/system_profile_query.h"
#include "support/suite_database.h"

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
  AddRow("IC", "CurrentYear", " 2024 ");  // kept exactly as stored

  const DictionaryPtr profile = LoadSystemProfile(*connection());
  ASSERT_NE(profile, nullptr);
  EXPECT_EQ(profile->Count(), 4u);
  EXPECT_EQ(profile->Read("IC|StartPeriod"), Variant("4"));
  EXPECT_EQ(profile->Read("IC|UnderStock"), Variant("0"));
  EXPECT_EQ(profile->Read("General|SingleMan"), Variant("1"));
  EXPECT_EQ(profile->Read("IC|CurrentYear"), Variant(" 2024 "));
  EXPECT_FALSE(profile->Exists("GL|StartPeriod"));
  EXPECT_FALSE(profile->Exists("IC|SInvoiceDecimal"));
  EXPECT_FALSE(profile->Exists("General|UnderStock"));
}

}  // namespace
}  // namespace cb::profile
