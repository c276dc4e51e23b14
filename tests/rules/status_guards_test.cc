// The voided-bill and bill-status guards over detached head and entry rows.
#include "rules/status_guards.h"

#include <gtest/gtest.h>

namespace cb::rules {
namespace {

struct HeadValues {
  Variant checker = Variant::Null();
  Variant status = int32_t{0};
  int32_t tran_type = 1;
  Variant affirm = int32_t{0};
  Variant hook = int32_t{0};
  Variant voided = false;
};

db::Recordset Head(const HeadValues& v) {
  return db::Recordset({{"FCheckerID", "INT"},
                        {"FStatus", "SMALLINT"},
                        {"FTranType", "INT"},
                        {"FOrderAffirm", "INT"},
                        {"FHookInterID", "INT"},
                        {"FCancelLation", "BIT"},
                        {"FBillNo", "VARCHAR(255)"}},
                       {{v.checker, v.status, v.tran_type, v.affirm, v.hook, v.voided, "SO-9"}});
}

db::Recordset Entries(std::initializer_list<Variant> lock_flags) {
  std::vector<db::Recordset::Row> rows;
  for (const Variant& flag : lock_flags) rows.push_back({flag});
  return db::Recordset({{"FLockFlag", "INT"}}, std::move(rows));
}

int32_t Status(const HeadValues& v, int32_t operation, std::string& message,
               db::Recordset& entries) {
  return CheckBillStatus(Head(v), entries, operation, message, "zh");
}

int32_t Status(const HeadValues& v, int32_t operation, std::string& message) {
  db::Recordset no_entries = Entries({});
  return Status(v, operation, message, no_entries);
}

TEST(CheckCancelled, RefusesEveryOperationOnAVoidedBill) {
  HeadValues voided;
  voided.voided = true;
  for (int32_t operation : {1, 2, 4, 8, 16, 32}) {
    std::string message;
    EXPECT_EQ(CheckCancelled(Head(voided), operation, message, "zh"), kBillVoided);
    EXPECT_TRUE(message.starts_with("当前单据已作废，不能")) << message;
  }
  std::string message;
  EXPECT_EQ(CheckCancelled(Head({}), 1, message, "zh"), 0);
  HeadValues unknown;
  unknown.voided = Variant::Null();
  EXPECT_EQ(CheckCancelled(Head(unknown), 1, message, "zh"), 0);
}

TEST(CheckBillStatus, NullCheckerPassesACheckAndRefusesAnUncheck) {
  std::string message;
  EXPECT_EQ(Status({}, 1, message), 0);
  EXPECT_EQ(Status({}, 2, message), kBillStatusRefused);
  EXPECT_EQ(message, "该单还未被审核。");
}

TEST(CheckBillStatus, CheckOfCheckedOrClosedBillIsRefused) {
  std::string message;
  EXPECT_EQ(Status({int32_t{5}}, 1, message), kBillStatusRefused);
  EXPECT_EQ(message, "该单已被审核!");
  EXPECT_EQ(Status({Variant::Null(), int32_t{3}}, 1, message), kBillStatusRefused);
  EXPECT_EQ(message, "该单已关闭!");
}

TEST(CheckBillStatus, UncheckOfExecutedOrClosedBillIsRefused) {
  std::string message;
  EXPECT_EQ(Status({int32_t{5}, int32_t{2}}, 2, message), kBillStatusRefused);
  EXPECT_EQ(message, "该单已经执行。");
  EXPECT_EQ(Status({int32_t{5}, int32_t{3}}, 2, message), kBillStatusRefused);
  EXPECT_EQ(message, "该单已经关闭!");
  EXPECT_EQ(Status({int32_t{5}, int32_t{1}}, 2, message), 0);
  EXPECT_EQ(message, "");
}

TEST(CheckBillStatus, OtherOperationsSkipCheckerAndStatusRules) {
  std::string message;
  EXPECT_EQ(Status({int32_t{5}, int32_t{3}}, 4, message), 0);
  EXPECT_EQ(Status({Variant::Null(), int32_t{3}}, 32, message), 0);
}

TEST(CheckBillStatus, LockedSalesOrderRefusesUncheckDeleteAndVoidBeforeAffirm) {
  HeadValues order{int32_t{5}, int32_t{1}, 81, int32_t{1}};
  for (int32_t operation : {2, 8, 32}) {
    std::string message;
    db::Recordset entries = Entries({int32_t{0}, int32_t{1}, int32_t{0}});
    EXPECT_EQ(Status(order, operation, message, entries), kBillStockLocked);
    EXPECT_EQ(entries.AbsolutePosition(), 2) << "stands on the locked row";
  }
  std::string message;
  db::Recordset locked_order = Entries({int32_t{1}});
  EXPECT_EQ(Status(order, 2, message, locked_order), kBillStockLocked);
  EXPECT_EQ(message, "该单已经锁库，不能反审核。");
  // Only a flag that equals 1 is a lock: a delete of an order whose flags are 2, -1 or Null passes.
  db::Recordset other_flags = Entries({int32_t{2}, int32_t{-1}, Variant::Null()});
  EXPECT_EQ(Status(order, 8, message, other_flags), 0);
  // A purchase order is never subject to the lock rule, but meets the affirm rule.
  HeadValues purchase_order = order;
  purchase_order.tran_type = 71;
  db::Recordset locked = Entries({int32_t{1}});
  EXPECT_EQ(Status(purchase_order, 2, message, locked), kBillAffirmed);
  EXPECT_EQ(message, "当前单据SO-9已被分销确认，不能反审核!");
}

TEST(CheckBillStatus, GeneratedAmountAdjustmentCannotBeUnchecked) {
  HeadValues adjustment{int32_t{5}, int32_t{1}, 100};
  adjustment.hook = int32_t{44};
  std::string message;
  EXPECT_EQ(Status(adjustment, 2, message), kGeneratedAdjustment);
  EXPECT_EQ(message, "该金额调整单由外购入库核算自动生成，不得反审核!");
  adjustment.hook = Variant::Null();
  EXPECT_EQ(Status(adjustment, 2, message), 0);
}

}  // namespace
}  // namespace cb::rules
