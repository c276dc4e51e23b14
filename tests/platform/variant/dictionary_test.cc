// Dictionary order and key rules; Vector bounds.
#include "platform/variant/dictionary.h"

#include <gtest/gtest.h>

#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb {
namespace {

TEST(Dictionary, KeysCompareExactlyAsWritten) {
  Dictionary d;
  d.Write("ReturnCode", int32_t{0});
  EXPECT_TRUE(d.Exists("ReturnCode"));
  EXPECT_FALSE(d.Exists("returncode"));
  EXPECT_TRUE(d.Read("returncode").IsEmpty());
  EXPECT_EQ(d.ReadOr("Missing", int32_t{7}), Variant(int32_t{7}));
}

// A removal keeps the others reachable and the order of those that stay.
TEST(Dictionary, KeepsInsertionOrderReplacingInPlaceAndRemoving) {
  Dictionary d;
  for (const char* key : {"b", "a", "c", "d"}) d.Write(key, key);
  d.Write("b", int32_t{3});
  EXPECT_EQ(d.entries()[0].second, Variant(int32_t{3}));
  EXPECT_TRUE(d.Remove("a"));
  EXPECT_FALSE(d.Remove("a"));
  EXPECT_EQ(d.Read("c"), Variant("c"));
  EXPECT_EQ(d.Read("d"), Variant("d"));
  d.Write("e", "e");
  ASSERT_EQ(d.Count(), 4u);
  EXPECT_EQ(d.entries()[0].first, "b");
  EXPECT_EQ(d.entries()[1].first, "c");
  EXPECT_EQ(d.entries().back().first, "e");
}

TEST(Vector, RaisesOutsideItsBounds) {
  Vector v;
  EXPECT_EQ(v.UpperBound(), -1);
  v.Add(int32_t{5});
  EXPECT_EQ(v.Item(0), Variant(int32_t{5}));
  try {
    (void)v.Item(1);
    FAIL() << "no error raised";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), kErrSubscriptOutOfRange);
  }
}

}  // namespace
}  // namespace cb
