// Tests of the dictionaries CheckBill hands to hooks and handlers.
#include "check/step_dictionaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::check {
namespace {

std::vector<std::string> Keys(const Dictionary& dictionary) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : dictionary.entries()) keys.push_back(key);
  return keys;
}

db::RecordsetPtr OneRow(std::vector<std::string> names, db::Recordset::Row row) {
  std::vector<db::ColumnDef> columns;
  for (std::string& name : names) columns.push_back({std::move(name), ""});
  return std::make_shared<db::Recordset>(std::move(columns), std::vector<db::Recordset::Row>{row});
}

CheckRequest SampleRequest() {
  CheckRequest request;
  request.InterID = 1001;
  request.TransType = 21;
  request.CheckSwitch = 1;
  request.OperateType = 7;
  request.ReCheck = 34;
  request.CheckDate = DayNumberFromCivil(2024, 3, 7);
  request.OperateCode = 2;
  request.PropString = "dsn";
  return request;
}

TEST(HookDictionary, CarriesTheBillIdentityAndItsDirection) {
  const db::RecordsetPtr red_head = OneRow({"FInterID", "frob"}, {Variant(1001), Variant(-1)});
  const DictionaryPtr hook = BuildHookDictionary(SampleRequest(), red_head);
  EXPECT_EQ(Keys(*hook),
            (std::vector<std::string>{"sDsn", "OperateCode", "InterID", "TranType", "ROB"}));
  EXPECT_EQ(hook->Read("sDsn"), Variant("dsn"));
  EXPECT_EQ(hook->Read("OperateCode"), Variant(2));
  EXPECT_EQ(hook->Read("InterID"), Variant(1001));
  EXPECT_EQ(hook->Read("TranType"), Variant(21));
  EXPECT_EQ(hook->Read("ROB"), Variant(-1)) << "the column name is matched without regard to case";
}

TEST(StepParams, KeysComeInTheirFixedOrderWithTheTipsOnlyWhenSupplied) {
  StepContext context;
  context.language = "en";
  context.checker_id = 16;
  context.period_start = DayNumberFromCivil(2024, 3, 1);
  context.period_end = DayNumberFromCivil(2024, 3, 31);
  context.sys_profile = Dictionary::Create();
  const std::vector<std::string> fixed = {"Language",       "TransType",   "InterID",
                                          "CheckerID",      "CheckSwitch", "bBeforeSystemStartUp",
                                          "rsBillHead",     "rsBillEntry", "OperateType",
                                          "OperateCode",    "ReCheck",     "datePeriodStart",
                                          "datePeriodEnd",  "CheckDate",   "DictSysProfile",
                                          "vectDeleteItem", "PropString"};

  const DictionaryPtr without_tips =
      BuildStepParams(SampleRequest(), context, *Dictionary::Create());
  EXPECT_EQ(Keys(*without_tips), fixed);

  DictionaryPtr params = Dictionary::Create();
  params->Write("YesWhenStockWarnTip", int32_t{1});
  params->Write("YesWhenUnderTip", Variant::Null());
  const DictionaryPtr with_tips = BuildStepParams(SampleRequest(), context, *params);
  std::vector<std::string> expected = fixed;
  expected.push_back("YesWhenUnderTip");
  expected.push_back("YesWhenStockWarnTip");
  EXPECT_EQ(Keys(*with_tips), expected);
  EXPECT_TRUE(with_tips->Read("YesWhenUnderTip").IsNull());
  EXPECT_EQ(with_tips->Read("YesWhenStockWarnTip"), Variant(1));

  EXPECT_EQ(with_tips->Read("CheckerID"), Variant(16));
  EXPECT_EQ(with_tips->Read("ReCheck"), Variant(34));
  EXPECT_TRUE(with_tips->Read("CheckDate").IsDate());
  EXPECT_EQ(with_tips->Read("datePeriodEnd").ToDate(), DayNumberFromCivil(2024, 3, 31));
  EXPECT_EQ(with_tips->Read("DictSysProfile").ToObject(), context.sys_profile);
  const Variant no_rows = with_tips->Read("vectDeleteItem");
  EXPECT_TRUE(no_rows.IsObject());
  EXPECT_EQ(no_rows.ToObject(), nullptr) << "no rows from the caller is none, not a missing key";
}

TEST(BeforeSystemStartUp, OnlyBeforeInitialisationAndBeforeThePeriod) {
  const double period_start = DayNumberFromCivil(2024, 3, 1);
  const double earlier = DayNumberFromCivil(2024, 2, 29);
  struct Case {
    const char* ic_closed;  // nullptr: key absent
    double bill_date;
    bool expected;
  };
  const Case cases[] = {
      {"0", earlier, true},       {nullptr, earlier, true},       {"1", earlier, false},
      {"0", period_start, false}, {"0", period_start + 3, false},
  };
  for (const Case& c : cases) {
    DictionaryPtr profile = Dictionary::Create();
    if (c.ic_closed != nullptr) profile->Write("IC|ICClosed", c.ic_closed);
    EXPECT_EQ(IsBeforeSystemStartUp(profile, c.bill_date, period_start), c.expected)
        << (c.ic_closed ? c.ic_closed : "absent") << " " << FormatDate(c.bill_date);
  }
  EXPECT_THROW(static_cast<void>(IsBeforeSystemStartUp(nullptr, earlier, period_start)), Error);
}

}  // namespace
}  // namespace cb::check
