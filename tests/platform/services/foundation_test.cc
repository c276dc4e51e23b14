// Tests of the foundation object: NullToDefault and placeholder filling.
#include "platform/services/foundation.h"

#include <gtest/gtest.h>

#include <vector>

namespace cb::services {
namespace {

TEST(Foundation, NullToDefaultReplacesOnlyNull) {
  const Foundation& foundation = Foundation::Current();
  EXPECT_EQ(foundation.NullToDefault(Variant::Null(), 5), Variant(5));
  EXPECT_EQ(foundation.NullToDefault(Variant(0), 5), Variant(0));
  EXPECT_EQ(foundation.NullToDefault(Variant(""), "x"), Variant(""));
  EXPECT_TRUE(foundation.NullToDefault(Variant(), 5).IsEmpty());
}

TEST(Foundation, FormatTextFillsNumberedPlaceholders) {
  struct Case {
    const char* text;
    std::vector<Variant> args;
    const char* expected;
  };
  const std::vector<Variant> ten = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
  const Case cases[] = {
      {"%1[No: %2] done", {"Check", "PI0001"}, "Check[No: PI0001] done"},
      {"%1 and %1", {"z"}, "z and z"},
      {"%3 stays", {"a"}, "%3 stays"},
      {"%0 stays", {"a"}, "%0 stays"},
      // A replacement is not scanned again.
      {"%1 %2", {"%2", "b"}, "%2 b"},
      {"null [%1]", {Variant::Null()}, "null []"},
      // The longest number that names an element wins.
      {"%10", {"first"}, "first0"},
      {"%10", ten, "j"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Foundation::Current().FormatText(c.text, c.args), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace cb::services
