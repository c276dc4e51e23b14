// Uncheck-guard outcomes no whole CheckBill call reaches: the status guard refuses an affirmed
// order before the affirm guard reads the stored row, and SQLite always answers a SELECT with rows.
#include "rules/uncheck_guards.h"

#include <gtest/gtest.h>

#include "support/fake_connection.h"

namespace cb::rules {
namespace {

db::Recordset Head(int32_t tran_type) {
  return db::Recordset({{"FInterID", "INT"},
                        {"FTranType", "INT"},
                        {"FBillNo", "VARCHAR(255)"},
                        {"FHookInterID", "INT"}},
                       {{int32_t{12}, tran_type, "ORD-12", int32_t{1}}});
}

TEST(CheckOrderAffirm, RefusesAnAffirmedOrMissingStoredOrder) {
  const std::string po =
      "SELECT ISNULL(FOrderAffirm,0) AS FOrderAffirm FROM POOrder WHERE FInterID=12";
  const std::string so =
      "SELECT ISNULL(FOrderAffirm,0) AS FOrderAffirm FROM SEOrder WHERE FInterID=12";
  const struct {
    int32_t tran_type;
    std::string statement;
    std::vector<Variant> affirm;
    int32_t code;
    std::string message;
  } cases[] = {
      {71, po, {int32_t{1}}, kAffirmedOrVerified, "单据[ORD-12]已被分销确认，不能反审核!"},
      {81, so, {int32_t{1}}, kAffirmedOrVerified, "单据[ORD-12]已被分销确认，不能反审核!"},
      {81, so, {}, kSourceMissingOrAssembled, "单据[ORD-12]不存在!"},
      {71, po, {int32_t{2}}, 0, "before"},
  };
  frame::ClassFrame frame;
  for (const auto& c : cases) {
    auto connection = std::make_shared<testing::FakeConnection>();
    connection->SetResult(c.statement, testing::OneColumn("FOrderAffirm", c.affirm));
    std::string message = "before";
    EXPECT_EQ(CheckOrderAffirm(frame, "", Head(c.tran_type), 2, message, "zh", connection), c.code)
        << c.statement;
    EXPECT_EQ(message, c.message);
  }
}

TEST(CheckHookVerify, AHookQueryWithoutAResultSetCannotTellTheState) {
  frame::ClassFrame frame;
  auto connection = std::make_shared<testing::FakeConnection>();
  std::string message = "before";
  EXPECT_EQ(CheckHookVerify(frame, "", Head(21), 2, message, connection, "zh"),
            kHookStateUnreadable);
  EXPECT_EQ(message, "判断单据钩稽\\核销状态出错。");
}

}  // namespace
}  // namespace cb::rules
