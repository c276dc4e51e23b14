// Statement templates: how each kind of value is spliced, once, into the statement.
#include "frame/sql_template.h"

#include <gtest/gtest.h>

namespace cb::frame {
namespace {

TEST(SqlTemplate, SplicesEachKindOfValueAtEveryOccurrenceOfItsMarker) {
  const std::string sql =
      SqlTemplate(
          "UPDATE ##Table## SET FNote=##Note##,FDate=##Day## WHERE FInterID=##Id## OR "
          "FParentID=##Id##")
          .Fragment("Table", "ICStockBill")
          .Text("Note", "O'Neil")
          .Date("Day", 45356)  // 2024-03-05
          .Number("Id", -1001)
          .Sql();
  EXPECT_EQ(sql,
            "UPDATE ICStockBill SET FNote='O''Neil',FDate='2024-03-05' WHERE FInterID=-1001 OR "
            "FParentID=-1001");
}

TEST(SqlTemplate, AValueThatLooksLikeAMarkerStaysAsItIs) {
  EXPECT_EQ(SqlTemplate("WHERE FBatchNo=##Batch## AND FStockID=##Stock##")
                .Text("Batch", "B##Stock##")
                .Number("Stock", 1)
                .Sql(),
            "WHERE FBatchNo='B##Stock##' AND FStockID=1");
}

}  // namespace
}  // namespace cb::frame
