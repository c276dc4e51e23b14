// Tests of Recordset filters: which rows each expression keeps, and which texts are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::db {
namespace {

// Five rows; FItemID numbers them so a filter's outcome reads as a list of ids.
Recordset Profile() {
  const Variant null = Variant::Null();
  auto row = [](int id, Variant tag, Variant key, Variant qty, Variant date) {
    return Recordset::Row{Variant(int64_t{id}), std::move(tag), std::move(key), std::move(qty),
                          std::move(date)};
  };
  return Recordset({{"FItemID", "INT"},
                    {"FIBTag", "INT"},
                    {"FKey", "VARCHAR"},
                    {"FQty", "DECIMAL"},
                    {"FDate", "DATETIME"}},
                   {row(1, Variant(int64_t{0}), Variant("SInvoiceDecimal"), Variant(1.5),
                        Variant::Date(DayNumberFromCivil(2024, 3, 7))),
                    row(2, Variant(int64_t{1}), Variant("sinvoicedecimal  "), Variant(2.0),
                        Variant::Date(DayNumberFromCivil(2024, 3, 8))),
                    row(3, Variant(int64_t{2}), Variant("O'Brien"), Variant(-1.0), null),
                    row(4, null, Variant("10"), Variant(int64_t{5}), Variant("2024-03-07")),
                    row(5, Variant(int64_t{2}), null, Variant(0.0), null)});
}

std::vector<int64_t> IdsAfter(const std::string& filter) {
  Recordset rs = Profile();
  rs.SetFilter(filter);
  std::vector<int64_t> ids;
  for (; !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Field("FItemID").ToInt64());
  return ids;
}

TEST(RecordsetFilter, KeepsTheRowsEachExpressionSelects) {
  struct Case {
    std::string filter;
    std::vector<int64_t> ids;
  };
  const std::vector<Case> cases = {
      {"FIBTag=0 OR FIBTag=2 ", {1, 3, 5}},
      {"FKey='SInvoiceDecimal'", {1, 2}},
      {"fkey = 'o''brien'", {3}},
      {"FIBTag <> 0", {2, 3, 5}},  // a NULL field matches no comparison
      {"FQty > 1.5", {2, 4}},
      {"FQty >= 1.5", {1, 2, 4}},
      {"FQty < 0", {3}},
      {"FQty <= -1", {3}},
      {"FQty = 5.0", {4}},
      {"FIBTag = 0 OR FIBTag = 1 AND FQty = 99", {1}},
      {"(FIBTag = 0 OR FIBTag = 1) AND FQty = 2", {2}},
      {"FKey = 10", {4}},
      {"FKey > 'P'", {1, 2}},
      {"FIBTag = NULL", {4}},
      {"fkey <> null", {1, 2, 3, 4}},
      {"FDate = #2024-03-07#", {1, 4}},
      {"FDate > '2024-03-07'", {2}},
      {"[FIBTag] = 1", {2}},
      {"   ", {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) EXPECT_EQ(IdsAfter(c.filter), c.ids) << c.filter;
}

TEST(RecordsetFilter, CountsPositionsAndWritesThroughTheFilterAndClears) {
  Recordset rs = Profile();
  rs.MoveLast();
  rs.SetFilter("FIBTag=2");
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_EQ(rs.Field("FItemID"), Variant(3));
  rs.SetField("FQty", Variant(7.0));  // writes the visible row
  EXPECT_EQ(rs.rows()[2][3], Variant(7.0));
  EXPECT_EQ(rs.rows()[0][3], Variant(1.5));
  EXPECT_EQ(rs.Filter(), "FIBTag=2");
  rs.MoveLast();
  EXPECT_EQ(rs.Field("FItemID"), Variant(5));
  EXPECT_EQ(rs.rows().size(), 5u);

  rs.SetFilter("FIBTag = 7");
  EXPECT_TRUE(rs.Eof());
  EXPECT_TRUE(rs.Bof());
  EXPECT_EQ(rs.RecordCount(), 0);

  rs.SetFilter("");
  EXPECT_EQ(rs.RecordCount(), 5);
  EXPECT_EQ(rs.Field("FItemID"), Variant(1));
}

TEST(RecordsetFilter, RefusesTextItCannotRead) {
  const std::vector<std::string> bad = {
      "FIBTag",
      "= 1",
      "FIBTag = 1 OR",
      "(FIBTag = 1",
      "FIBTag = 1)",
      "FIBTag == 1",
      "FKey = 'open",
      "FIBTag = 1 2",
      "FIBTag > NULL",
      "FDate = #bad#",
      "FIBTag = .",
      "[FIBTag = 1",
      "FIBTag = 1 XOR FIBTag = 2",
      std::string(200, '(') + "FIBTag=1" + std::string(200, ')'),
  };
  for (const std::string& text : bad) {
    Recordset rs = Profile();
    try {
      rs.SetFilter(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), 3001) << text;
      EXPECT_EQ(error.description(),
                "Arguments are of the wrong type, are out of acceptable range, or are in conflict "
                "with one another.");
    }
    EXPECT_EQ(rs.Filter(), "") << "a refused filter must leave the old one: " << text;
    EXPECT_EQ(rs.RecordCount(), 5);
  }
}

TEST(RecordsetFilter, UnknownColumnIsItemNotFound) {
  Recordset rs = Profile();
  try {
    rs.SetFilter("FStockID = 5");
    ADD_FAILURE() << "accepted an unknown column";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), kErrItemNotFound);
  }
}

}  // namespace
}  // namespace cb::db
