// The checker of a CheckBill request: the one given, or the current user.
#include "check/check_request.h"

#include <gtest/gtest.h>

namespace cb::check {
namespace {

DictionaryPtr Params(std::initializer_list<std::pair<const char*, Variant>> entries) {
  DictionaryPtr params = Dictionary::Create();
  for (const auto& [key, value] : entries) params->Write(key, value);
  return params;
}

// An absent checker and a given one are whole-call rules of the scenario files.
TEST(CheckRequest, CheckerFallsBackToTheCurrentUser) {
  constexpr int32_t kUser = 16;
  struct Case {
    const char* name;
    DictionaryPtr params;
    int32_t expected;
  };
  const Case cases[] = {
      {"zero", Params({{"CheckerID", int32_t{0}}}), kUser},
      {"zero as text", Params({{"CheckerID", "0"}}), kUser},
      {"unreadable", Params({{"CheckerID", "nobody"}}), kUser},
      {"given as text", Params({{"CheckerID", "31"}}), 31},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResolveCheckerID(*c.params, kUser), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace cb::check
