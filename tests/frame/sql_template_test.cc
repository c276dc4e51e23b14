// Statement templates: how each kind of value is spliced, once, into the statement.
#include "frame/sql_template.h"

#include <gtest/gtest.h>

namespace cb::frame {
namespace {

// A value that looks like a marker stays as it is.
TEST(SqlTemplate, SplicesEachKindOfValueAtEveryOccurrenceOfItsMarker) {
  const std::string sql =
      SqlTemplate(
          "UPDATE ##Table## SET FNote=##Note##,FDate=##Day##,FBatchNo=##Batch## WHERE "
          "FInterID=##Id## OR FParentID=##Id##")
          .Fragment("Table", "ICStockBill")
          .Text("Note", "O'Neil")
          .Date("Day", 45356)  // 2024-03-05
          .Text("Batch", "B##Id##")
          .Number("Id", -1001)
          .Sql();
  EXPECT_EQ(sql,
            "UPDATE ICStockBill SET FNote='O''Neil',FDate='2024-03-05',FBatchNo='B##Id##' WHERE "
            "FInterID=-1001 OR FParentID=-1001");
}

}  // namespace
}  // namespace cb::frame
