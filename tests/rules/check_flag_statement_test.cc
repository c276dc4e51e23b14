// The check-flag statement of every family of transaction types, for a check and an uncheck.
#include "rules/check_flag_statement.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"

namespace cb::rules {
namespace {

const double kMarch5 = DayNumberFromCivil(2024, 3, 5);

CheckFlagValues Check(int32_t checker) {
  return {1, checker, kMarch5, 1};
}
CheckFlagValues Uncheck() {
  return {0, 0, 1, 2};
}

// One statement per family of types: its head table, its columns' order and spelling.
TEST(CheckFlagStatement, MatchesTheTableOfItsType) {
  const struct {
    int32_t tran_type;
    CheckFlagValues values;
    const char* expected;
  } cases[] = {
      {26, Check(7),
       "Update ZPStockBill Set FCheckerID=7,FStatus=1,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {46, Check(7),
       "Update ICQCBill Set FCheckerID=7,FStatus=1,\r\n FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {65, Check(0),
       "Update ICPlanAdjPrice Set FCheckerID=Null,FStatus=1,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {70, Check(7),
       "Update PORequest Set FCheckerID=7,FStatus=1,FCheckTime='2024-03-05' WHERE "
       "FInterID=12"},
      {71, Check(7),
       "Update POOrder Set FAlterID=0,FAlterDate=Null,FCheckerID=7,FStatus=1,FCheckDate='"
       "2024-03-05',FOrderAffirm=(CASE WHEN FOrderAffirm=2 THEN 0 ELSE FOrderAffirm END) "
       "WHERE FInterID=12"},
      {71, Uncheck(),
       "Update POOrder Set FAlterID=0,FAlterDate=Null,FCheckerID=Null,FStatus=0,"
       "FCheckDate=Null WHERE FInterID=12"},
      {702, Check(7),
       "Update POInstock Set FCheckerID=7,FStatus=1,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {74, Check(7),
       "Update POStockBill Set FCheckerID=7,FStatus=1,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {76, Uncheck(),
       "UPDATE ICPurchase SET FCheckerID=NULL,FStatus=0\r\n,FCheckDate=Null WHERE "
       "FInterID=12"},
      {78, Check(7),
       "UPDATE ICExpenses SET FCheckerID=7,FStatus=1\r\n,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {86, Check(7),
       "UPDATE ICSale SET FCheckerID=7,FStatus=1\r\n,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {81, Check(7),
       "Update SEOrder Set FAlterID=0,FAlterDate=Null,FCheckerID=7,FStatus=1,FCheckDate='"
       "2024-03-05' WHERE FInterID=12"},
      {83, Check(7),
       "Update SEOutStock Set FCheckerID=7,FStatus=1,FCheckDate='2024-03-05' WHERE "
       "FInterID=12"},
      {84, Check(7),
       "Update PORFQ Set FCheckerID=7,FStatus=1,FCheckDate='2024-03-05' WHERE FInterID=12"},
      {85, Check(7),
       "Update ICMO Set FStatus=1,FCheckerID=7,FCheckDate='2024-03-05' WHERE FInterID=12"},
      {87, Uncheck(),
       "Update ICApportionFee set FStatus=0,FCheckerID=Null,FCheckDate=Null WHERE "
       "FInterID=12"},
      {88, Check(7),
       "Update PPBOM Set FStatus=1,FCheckerID=7,FCheckDate='2024-03-05' WHERE FInterID=12"},
      {137, Uncheck(),
       "UPDATE ICSTJGBill SET FCheckerID=NULL,FStatus=0\r\n,FCheckDate=Null WHERE "
       "FInterID=12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildCheckFlagUpdate(c.tran_type, "", c.values, 12), c.expected) << c.tran_type;
  }
}

TEST(CheckFlagStatementFallback, UsesTheRegisteredHeadTableForOtherTypes) {
  EXPECT_FALSE(HasFixedCheckFlagTable(79));
  EXPECT_TRUE(HasFixedCheckFlagTable(137));
  EXPECT_EQ(BuildCheckFlagUpdate(79, "ICSomething", Check(0), 3),
            "UPDATE ICSomething SET FCheckerID=NULL,FStatus=1\r\n,FCheckDate='2024-03-05' WHERE "
            "FInterID=3");
}

}  // namespace
}  // namespace cb::rules
