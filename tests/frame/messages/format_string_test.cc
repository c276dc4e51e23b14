// Tests of FormatString and GetOperationName.
#include <gtest/gtest.h>

#include "frame/messages/messages.h"

namespace cb::messages {
namespace {

TEST(GetOperationName, NamesEachOperationCode) {
  struct Case {
    int32_t code;
    const char* language;
    const char* name;
  };
  const Case cases[] = {
      {4, "en", "save"},       {8, "en", "delete"},         {16, "en", "restore"},
      {32, "en", "void"},      {3, "en", "function error"}, {16, "zh-CN", "反作废"},
      {64, "chs", "功能错误"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetOperationName(c.code, c.language), c.name) << c.code << " " << c.language;
  }
}

// The whole-check tests show the bill's result texts in both languages; here a translation puts
// the placeholders in another order and the arguments follow their numbers, and a format without
// translation is filled as it stands.
TEST(FormatString, FillsTheLocalisedFormat) {
  EXPECT_EQ(FormatString("采购订单[%1]第[%2]条分录物料[%3]代码[%4]的入库数量为负!", "en",
                         {"POORD01", int32_t{3}, "Bolt", "01.002"}),
            "The received quantity of line [3] item [Bolt] code [01.002] of purchase order "
            "[POORD01] is negative! ");
  EXPECT_EQ(FormatString(" 未知[%1]和[%2] ", "en", {"x", 2.5}), "未知[x]和[2.5]");
}

}  // namespace
}  // namespace cb::messages
