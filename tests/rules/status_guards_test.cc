// The voided-bill and bill-status guards over detached head and entry rows.
#include "rules/status_guards.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

db::Recordset Entries(const std::vector<Variant>& lock_flags) {
  std::vector<db::Recordset::Row> rows;
  for (const Variant& flag : lock_flags) rows.push_back({flag});
  return db::Recordset({{"FLockFlag", "INT"}}, std::move(rows));
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

TEST(CheckBillStatus, RefusesByCheckerStatusLockAffirmAndOrigin) {
  const Variant null = Variant::Null();
  const HeadValues checked{int32_t{5}, int32_t{1}};
  const HeadValues order{int32_t{5}, int32_t{1}, 81, int32_t{1}};
  const HeadValues purchase_order{int32_t{5}, int32_t{1}, 71, int32_t{1}};
  HeadValues adjustment{int32_t{5}, int32_t{1}, 100};
  adjustment.hook = int32_t{44};
  HeadValues manual_adjustment = adjustment;
  manual_adjustment.hook = null;
  const std::vector<Variant> no_rows = {};
  const std::vector<Variant> locked = {int32_t{0}, int32_t{1}, int32_t{0}};
  // Only a flag that equals 1 is a lock.
  const std::vector<Variant> other_flags = {int32_t{2}, int32_t{-1}, null};
  const struct {
    HeadValues head;
    int32_t operation;
    std::vector<Variant> lock_flags;
    int32_t code;
    const char* message;  // nullptr: not compared
  } cases[] = {
      {{int32_t{5}, int32_t{2}}, 2, no_rows, kBillStatusRefused, "该单已经执行。"},
      {{int32_t{5}, int32_t{3}}, 2, no_rows, kBillStatusRefused, "该单已经关闭!"},
      {checked, 2, no_rows, 0, ""},
      // Other operations skip the checker and status rules.
      {{int32_t{5}, int32_t{3}}, 4, no_rows, 0, nullptr},
      {{null, int32_t{3}}, 32, no_rows, 0, nullptr},
      // A sales order with a locked row refuses uncheck, delete and void before the affirm rule.
      {order, 2, locked, kBillStockLocked, "该单已经锁库，不能反审核。"},
      {order, 8, locked, kBillStockLocked, nullptr},
      {order, 32, locked, kBillStockLocked, nullptr},
      {order, 8, other_flags, 0, nullptr},
      // A purchase order is never subject to the lock rule, but meets the affirm rule.
      {purchase_order, 2, {int32_t{1}}, kBillAffirmed, "当前单据SO-9已被分销确认，不能反审核!"},
      {adjustment, 2, no_rows, kGeneratedAdjustment,
       "该金额调整单由外购入库核算自动生成，不得反审核!"},
      {manual_adjustment, 2, no_rows, 0, nullptr},
  };
  for (const auto& c : cases) {
    std::string message = "before";
    db::Recordset entries = Entries(c.lock_flags);
    EXPECT_EQ(CheckBillStatus(Head(c.head), entries, c.operation, message, "zh"), c.code)
        << c.operation << " " << c.head.tran_type;
    if (c.message != nullptr) {
      EXPECT_EQ(message, c.message);
    }
    if (c.code == kBillStockLocked) {
      EXPECT_EQ(entries.AbsolutePosition(), 2) << "stands on the locked row";
    }
  }
}

}  // namespace
}  // namespace cb::rules
