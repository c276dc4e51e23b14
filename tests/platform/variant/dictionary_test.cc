// Dictionary order and key rules; Vector bounds.
#include "platform/variant/dictionary.h"

#include <gtest/gtest.h>

#include "platform/variant/error.h"
#include "platform/variant/vector.h"

namespace cb {
namespace {

TEST(Dictionary, KeepsInsertionOrderAndReplacesInPlace) {
  Dictionary d;
  d.Write("b", int32_t{1});
  d.Write("a", int32_t{2});
  d.Write("b", int32_t{3});
  ASSERT_EQ(d.Count(), 2u);
  EXPECT_EQ(d.entries()[0].first, "b");
  EXPECT_EQ(d.entries()[0].second, Variant(int32_t{3}));
  EXPECT_EQ(d.entries()[1].first, "a");
}

TEST(Dictionary, KeysCompareExactlyAsWritten) {
  Dictionary d;
  d.Write("ReturnCode", int32_t{0});
  EXPECT_TRUE(d.Exists("ReturnCode"));
  EXPECT_FALSE(d.Exists("returncode"));
  EXPECT_TRUE(d.Read("returncode").IsEmpty());
  EXPECT_EQ(d.ReadOr("Missing", int32_t{7}), Variant(int32_t{7}));
}

TEST(Dictionary, RemoveKeepsTheOthersReachable) {
  Dictionary d;
  for (const char* key : {"a", "b", "c", "d"}) d.Write(key, key);
  EXPECT_TRUE(d.Remove("b"));
  EXPECT_FALSE(d.Remove("b"));
  EXPECT_EQ(d.Read("c"), Variant("c"));
  EXPECT_EQ(d.Read("d"), Variant("d"));
  d.Write("e", "e");
  EXPECT_EQ(d.entries().back().first, "e");
  EXPECT_EQ(d.Read("a"), Variant("a"));
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
