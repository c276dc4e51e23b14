// Tests of Parameters name lookup and the return-value slot.
#include "platform/db/parameters.h"

#include <gtest/gtest.h>

#include "platform/variant/error.h"

namespace cb::db {
namespace {

Parameters PeriodCall() {
  Parameters parameters;
  parameters.Append({"@RETURN_VALUE", ParameterDirection::kReturnValue, Variant()});
  parameters.Append({"@FYear", ParameterDirection::kInput, Variant(2024)});
  parameters.Append({"FPeriod", ParameterDirection::kInput, Variant(3)});
  parameters.Append({"@FStartDate", ParameterDirection::kOutput, Variant()});
  return parameters;
}

TEST(Parameters, LookupIgnoresCaseAndLeadingAt) {
  Parameters parameters = PeriodCall();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"@FYear", "@FYear"},           {"fyear", "@FYear"},
      {"@FPERIOD", "FPeriod"},        {"FPeriod", "FPeriod"},
      {"@fstartdate", "@FStartDate"},
  };
  for (const auto& [asked, found] : cases) {
    const Parameter* parameter = parameters.Find(asked);
    ASSERT_NE(parameter, nullptr) << asked;
    EXPECT_EQ(parameter->name, found) << asked;
  }
  EXPECT_EQ(parameters.Find("@FEndDate"), nullptr);
  EXPECT_EQ(parameters.Find("@@FYear"), nullptr);
}

TEST(Parameters, ItemWritesThroughAndRaisesForUnknownName) {
  Parameters parameters = PeriodCall();
  parameters.Item("fstartdate").value = Variant("2024-03-01");
  EXPECT_EQ(parameters.Find("@FStartDate")->value, Variant("2024-03-01"));

  const Parameters& read_only = parameters;
  EXPECT_EQ(read_only.Item("@FYear").value, Variant(2024));
  try {
    static_cast<void>(read_only.Item("@FEndDate"));
    ADD_FAILURE() << "unknown parameter accepted";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kErrItemNotFound);
  }
}

TEST(Parameters, ReturnValueIsTheParameterWithThatDirection) {
  Parameters parameters = PeriodCall();
  ASSERT_NE(parameters.ReturnValue(), nullptr);
  EXPECT_EQ(parameters.ReturnValue()->name, "@RETURN_VALUE");

  Parameters without;
  without.Append({"@FYear", ParameterDirection::kInputOutput, Variant(2024)});
  EXPECT_EQ(without.ReturnValue(), nullptr);
}

}  // namespace
}  // namespace cb::db
