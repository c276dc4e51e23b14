// The check-flag writer against a real database with the suite's schema.
#include "rules/update_check_flag.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "schema/installed_schema.h"
#include "support/fake_connection.h"

namespace cb::rules {
namespace {

class UpdateCheckFlagTest : public schema::testing::InstalledSchema {
 protected:
  db::RecordsetPtr HeadOf(const std::string& table, int32_t inter_id) {
    return connection().Execute("SELECT * FROM " + table +
                                " WHERE FInterID=" + std::to_string(inter_id));
  }

  int32_t Write(const db::Recordset& head, int32_t checker, Variant date, int32_t operation) {
    return UpdateCheckFlag(connection(), head, checker, date, operation, message_, "zh");
  }

  std::string message_ = "not cleared";
};

TEST_F(UpdateCheckFlagTest, CheckerZeroIsWrittenAsNullAndANullDateFallsBackToTheServerDay) {
  connection().Execute("INSERT INTO ICStockBill(FInterID,FTranType) VALUES(2,21)");
  ASSERT_EQ(Write(*HeadOf("ICStockBill", 2), 0, Variant::Null(), 1), 0);
  db::RecordsetPtr row = HeadOf("ICStockBill", 2);
  EXPECT_TRUE(row->Field("FCheckerID").IsNull());
  EXPECT_EQ(row->Field("FStatus"), Variant(int32_t{1}));
  EXPECT_EQ(FormatDateAuto(row->Field("FCheckDate").ToDate()), FormatDate(Now()));
}

TEST_F(UpdateCheckFlagTest, AnyErrorOfTheConnectionTakesTheWritersFailurePath) {
  cb::testing::FakeConnection broken;
  broken.FailWithForeignError("socket closed");
  const db::Recordset head({{"FInterID", "INT"}, {"FTranType", "INT"}}, {{int32_t{5}, int32_t{1}}});
  EXPECT_EQ(UpdateCheckFlag(broken, head, 7, "2024-03-05", 1, message_, "zh"), kCheckFlagFailed);
  EXPECT_TRUE(message_.starts_with("更新审核的标志时出错。")) << message_;
  EXPECT_NE(message_.find("socket closed"), std::string::npos) << message_;
}

}  // namespace
}  // namespace cb::rules
