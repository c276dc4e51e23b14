// Tests of Recordset navigation, field access and the closed state.
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

TEST(Recordset, OpensOnFirstRow) {
  Recordset rs = ThreeItems();
  EXPECT_TRUE(rs.IsOpen());
  EXPECT_FALSE(rs.Bof());
  EXPECT_FALSE(rs.Eof());
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_EQ(rs.Field("FItemID"), Variant(1));
}

TEST(Recordset, FieldLookupIgnoresCaseAndFirstDuplicateWins) {
  Recordset rs = ThreeItems();
  EXPECT_EQ(rs.Field("fitemid"), Variant(1));
  EXPECT_EQ(rs.Field("FNAME"), Variant("bolt"));
  EXPECT_EQ(rs.Field(size_t{2}), Variant("x"));
  EXPECT_TRUE(rs.HasField("fName"));
  EXPECT_FALSE(rs.HasField("FQty"));
}

TEST(Recordset, WalksForwardToEofAndBackToBof) {
  Recordset rs = ThreeItems();
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
}

TEST(Recordset, MoveLastAndMoveFirstJump) {
  Recordset rs = ThreeItems();
  rs.MoveLast();
  EXPECT_EQ(rs.AbsolutePosition(), 3);
  EXPECT_EQ(rs.Field("FName"), Variant("washer"));
  rs.MoveFirst();
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_EQ(rs.RecordCount(), 3);
}

TEST(Recordset, EmptyResultIsBothBofAndEof) {
  Recordset rs({{"FItemID", "INT"}}, {});
  EXPECT_TRUE(rs.Bof());
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.RecordCount(), 0);
  rs.MoveFirst();
  rs.MoveLast();
  EXPECT_TRUE(rs.Eof());
}

TEST(Recordset, SetFieldChangesOnlyTheCurrentRow) {
  Recordset rs = ThreeItems();
  rs.MoveNext();
  rs.SetField("fname", Variant("hex nut"));
  EXPECT_EQ(rs.rows()[1][1], Variant("hex nut"));
  EXPECT_EQ(rs.rows()[1][2], Variant("y"));
  EXPECT_EQ(rs.rows()[0][1], Variant("bolt"));
}

TEST(Recordset, RaisesTheDataAccessErrorNumbers) {
  struct Case {
    const char* what;
    std::function<void(Recordset&)> action;
    int32_t number;
  };
  const std::vector<Case> cases = {
      {"unknown name", [](Recordset& rs) { rs.Field("FQty"); }, kErrItemNotFound},
      {"ordinal past the end", [](Recordset& rs) { rs.Field(size_t{3}); }, kErrItemNotFound},
      {"column ordinal past the end", [](Recordset& rs) { rs.Column(3); }, kErrItemNotFound},
      {"set unknown name", [](Recordset& rs) { rs.SetField("FQty", Variant(1)); },
       kErrItemNotFound},
      {"field at EOF",
       [](Recordset& rs) {
         rs.MoveLast();
         rs.MoveNext();
         rs.Field("FItemID");
       },
       3021},
      {"move past EOF",
       [](Recordset& rs) {
         rs.MoveLast();
         rs.MoveNext();
         rs.MoveNext();
       },
       3021},
      {"move before BOF",
       [](Recordset& rs) {
         rs.MovePrevious();
         rs.MovePrevious();
       },
       3021},
      {"set field at BOF",
       [](Recordset& rs) {
         rs.MovePrevious();
         rs.SetField("FName", Variant("a"));
       },
       3021},
  };
  for (const Case& c : cases) {
    Recordset rs = ThreeItems();
    EXPECT_EQ(ErrorNumberOf([&] { c.action(rs); }), c.number) << c.what;
  }
}

TEST(Recordset, ClosedRecordsetRefusesEveryRowOperation) {
  Recordset closed;
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_EQ(ErrorNumberOf([&] { static_cast<void>(closed.Eof()); }), 3704);
  EXPECT_EQ(ErrorNumberOf([&] { closed.MoveNext(); }), 3704);
  EXPECT_EQ(ErrorNumberOf([&] { static_cast<void>(closed.RecordCount()); }), 3704);
  EXPECT_EQ(ErrorNumberOf([&] { closed.Field("x"); }), 3704);
}

}  // namespace
}  // namespace cb::db
