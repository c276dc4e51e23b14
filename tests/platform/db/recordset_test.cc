// Tests of Recordset navigation, field access and the errors of a wrong position or name.
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/variant/error.h"

namespace cb::db {
namespace {

// Three rows of (FItemID, FName); the second column name repeats so lookup precedence shows.
Recordset ThreeItems() {
  return Recordset({{"FItemID", "INT"}, {"FName", "VARCHAR"}, {"fname", ""}},
                   {{Variant(int64_t{1}), Variant("bolt"), Variant("x")},
                    {Variant(int64_t{2}), Variant("nut"), Variant("y")},
                    {Variant(int64_t{3}), Variant("washer"), Variant("z")}});
}

int32_t ErrorNumberOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.number();
  }
  return 0;
}

// Field lookup ignores case and the first duplicate wins.
TEST(Recordset, FindsFieldsIgnoringCaseOpensOnTheFirstRowWalksToEofAndBackAndJumps) {
  Recordset rs = ThreeItems();
  EXPECT_EQ(rs.Field("fitemid"), Variant(1));
  EXPECT_EQ(rs.Field("FNAME"), Variant("bolt"));
  EXPECT_EQ(rs.Field(size_t{2}), Variant("x"));
  EXPECT_TRUE(rs.HasField("fName"));
  EXPECT_FALSE(rs.HasField("FQty"));
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_FALSE(rs.Bof());
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  std::vector<int64_t> seen;
  while (!rs.Eof()) {
    seen.push_back(rs.Field("FItemID").ToInt64());
    rs.MoveNext();
  }
  EXPECT_EQ(seen, (std::vector<int64_t>{1, 2, 3}));
  EXPECT_EQ(rs.AbsolutePosition(), -1);

  rs.MovePrevious();
  EXPECT_EQ(rs.Field("FItemID"), Variant(3));
  rs.MovePrevious();
  rs.MovePrevious();
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  rs.MovePrevious();
  EXPECT_TRUE(rs.Bof());
  EXPECT_FALSE(rs.Eof());
  EXPECT_EQ(rs.AbsolutePosition(), -1);
  rs.MoveNext();
  EXPECT_EQ(rs.Field("FItemID"), Variant(1));

  rs.MoveLast();
  EXPECT_EQ(rs.AbsolutePosition(), 3);
  EXPECT_EQ(rs.Field("FName"), Variant("washer"));
  rs.MoveFirst();
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_EQ(rs.RecordCount(), 3);
}

TEST(Recordset, RaisesTheDataAccessErrorNumbers) {
  Recordset rs = ThreeItems();
  EXPECT_EQ(ErrorNumberOf([&] { rs.Field("FQty"); }), kErrItemNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { rs.Field(size_t{3}); }), kErrItemNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { rs.Column(3); }), kErrItemNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { rs.SetField("FQty", Variant(1)); }), kErrItemNotFound);
  rs.MovePrevious();
  EXPECT_EQ(ErrorNumberOf([&] { rs.SetField("FName", Variant("a")); }), 3021) << "at BOF";
  EXPECT_EQ(ErrorNumberOf([&] { rs.MovePrevious(); }), 3021) << "before BOF";
  rs.MoveLast();
  rs.MoveNext();
  EXPECT_EQ(ErrorNumberOf([&] { rs.Field("FItemID"); }), 3021) << "at EOF";
  EXPECT_EQ(ErrorNumberOf([&] { rs.MoveNext(); }), 3021) << "past EOF";
}

}  // namespace
}  // namespace cb::db
