// Tests of FormatString and GetOperationName.
#include <gtest/gtest.h>

#include "frame/messages/messages.h"

namespace cb::messages {
namespace {

TEST(GetOperationName, NamesEachOperationCodeInEnglish) {
  const std::pair<int32_t, const char*> cases[] = {
      {1, "check"},           {2, "uncheck"},        {4, "save"},
      {8, "delete"},          {16, "restore"},       {32, "void"},
      {64, "function error"}, {0, "function error"}, {3, "function error"},
      {-1, "function error"},
  };
  for (const auto& [code, name] : cases) {
    EXPECT_EQ(GetOperationName(code, "en"), name) << "code " << code;
  }
}

TEST(GetOperationName, NamesOperationsInChinese) {
  EXPECT_EQ(GetOperationName(1, "zh"), "审核");
  EXPECT_EQ(GetOperationName(16, "zh-CN"), "反作废");
  EXPECT_EQ(GetOperationName(64, "chs"), "功能错误");
}

TEST(FormatString, FillsTheLocalisedFormat) {
  EXPECT_EQ(FormatString("%1[编号：%2]单据成功!", "en", {GetOperationName(1, "en"), "WIN000123"}),
            "Bill [number: WIN000123]: check succeeded! ");
  EXPECT_EQ(FormatString("%1[编号：%2]单据成功!", "zh", {GetOperationName(2, "zh"), "WIN000123"}),
            "反审核[编号：WIN000123]单据成功!");
  // The translation puts the placeholders in another order; the arguments follow their numbers.
  EXPECT_EQ(FormatString("采购订单[%1]第[%2]条分录物料[%3]代码[%4]的入库数量为负!", "en",
                         {"POORD01", int32_t{3}, "Bolt", "01.002"}),
            "The received quantity of line [3] item [Bolt] code [01.002] of purchase order "
            "[POORD01] is negative! ");
}

TEST(FormatString, FillsAFormatWithoutTranslationAsItStands) {
  EXPECT_EQ(FormatString(" 未知[%1]和[%2] ", "en", {"x", 2.5}), "未知[x]和[2.5]");
  EXPECT_EQ(FormatString("该金额调整单由外购入库核算自动生成，不得反审核!", "zh", {}),
            "该金额调整单由外购入库核算自动生成，不得反审核!");
}

}  // namespace
}  // namespace cb::messages
