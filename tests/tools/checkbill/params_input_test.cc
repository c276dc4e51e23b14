// Tests of reading --params: depth limit, integral integers, and where the text comes from.
#include "tools/checkbill/params_input.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_database.h"
#include "tools/checkbill/exit_status.h"

namespace cb::tool {
namespace {

std::string Nested(int depth) {
  return std::string(static_cast<size_t>(depth), '[') +
         std::string(static_cast<size_t>(depth), ']');
}

TEST(ParamsInput, JsonNestedPastTheLimitIsAUsageErrorNotACrash) {
  EXPECT_NO_THROW(ParseParams(Nested(kMaxJsonDepth)));
  EXPECT_THROW(ParseParams(Nested(kMaxJsonDepth + 1)), UsageError);
  EXPECT_THROW(ParseParams(Nested(200000)), UsageError);
  EXPECT_THROW(ParseParams("{\"a\":" + Nested(kMaxJsonDepth) + "}"), UsageError);
  EXPECT_THROW(ParseParams("{oops"), UsageError);
  EXPECT_THROW(ParseParamsObject("[1]"), UsageError);
}

TEST(ParamsInput, IntegerMembersMustBeWholeNumbersInRange) {
  const Json object = Json::parse(R"({"a":1001,"b":1001.0,"c":1001.7,"d":"1001","e":3000000000,
      "f":-2147483648,"g":null,"h":true,"i":-0.5})");
  struct Case {
    const char* key;
    std::optional<int32_t> value;  // nullopt with refused false: absent or null
    bool refused;
  };
  const Case cases[] = {{"a", 1001, false},         {"b", 1001, false},
                        {"c", std::nullopt, true},  {"d", std::nullopt, true},
                        {"e", std::nullopt, true},  {"f", INT32_MIN, false},
                        {"g", std::nullopt, false}, {"h", std::nullopt, true},
                        {"i", std::nullopt, true},  {"missing", std::nullopt, false}};
  for (const Case& c : cases) {
    if (c.refused) {
      EXPECT_THROW(IntegerMember(object, c.key), UsageError) << c.key;
    } else {
      EXPECT_EQ(IntegerMember(object, c.key), c.value) << c.key;
    }
  }
}

TEST(ParamsInput, TextComesFromTheValueAFileOrStandardInput) {
  cb::testing::TempDatabase scratch;
  const std::filesystem::path file = scratch.File("params.json");
  std::ofstream(file) << R"({"from":"file"})";
  std::istringstream stdin_text(R"({"from":"stdin"})");
  EXPECT_EQ(ReadParamsText(R"({"from":"value"})", stdin_text), R"({"from":"value"})");
  EXPECT_EQ(ReadParamsText("@" + file.string(), stdin_text), R"({"from":"file"})");
  EXPECT_EQ(ReadParamsText("-", stdin_text), R"({"from":"stdin"})");
  std::filesystem::remove(file);
  EXPECT_THROW(ReadParamsText("@" + file.string(), stdin_text), UsageError);
}

}  // namespace
}  // namespace cb::tool
