// Tests of the tool's command-line reader.
#include "tools/checkbill/arguments.h"

#include <gtest/gtest.h>

namespace cb::tool {
namespace {

const ArgumentSpec kSpec{{"dsn", "file"}, {"demo"}};

TEST(Arguments, ReadsOptionsSwitchesAndPositionalsInAnyOrder) {
  const Arguments arguments = ParseArguments(
      {"SELECT 1", "--dsn", "Provider=SQLite", "--demo", "--file=a.sql", "--", "--x"}, kSpec);
  EXPECT_EQ(arguments.Required("dsn"), "Provider=SQLite");
  EXPECT_EQ(arguments.Option("file"), std::optional<std::string>("a.sql"));
  EXPECT_TRUE(arguments.Switch("demo"));
  EXPECT_EQ(arguments.positionals, (std::vector<std::string>{"SELECT 1", "--x"}));
}

TEST(Arguments, AnOptionValueMayLookLikeAnOption) {
  const Arguments arguments = ParseArguments({"--file", "--demo"}, kSpec);
  EXPECT_EQ(arguments.Option("file"), std::optional<std::string>("--demo"));
  EXPECT_FALSE(arguments.Switch("demo"));
}

TEST(Arguments, RefusesCommandLinesTheVerbCannotUse) {
  const std::vector<std::vector<std::string>> bad = {
      {"--dsn"},                     // no value
      {"--dsn", "a", "--dsn", "b"},  // twice
      {"--demo", "--demo"},          // switch twice
      {"--demo=yes"},                // switch with a value
      {"--params", "{}"},            // unknown option
  };
  for (const auto& words : bad) {
    EXPECT_THROW(ParseArguments(words, kSpec), UsageError) << words.front();
  }
  const Arguments empty = ParseArguments({}, kSpec);
  EXPECT_THROW(empty.Required("dsn"), UsageError);
  EXPECT_EQ(empty.Option("dsn"), std::nullopt);
}

}  // namespace
}  // namespace cb::tool
