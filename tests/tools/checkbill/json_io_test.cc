// Tests of JSON in and out beyond what the verb tests show: the depth limit of --params,
// recordsets and text that is not UTF-8.
#include <gtest/gtest.h>

#include "platform/variant/dictionary.h"
#include "tools/checkbill/exit_status.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/params_input.h"

namespace cb::tool {
namespace {

std::string Nested(int depth) {
  return std::string(static_cast<size_t>(depth), '[') +
         std::string(static_cast<size_t>(depth), ']');
}

TEST(ParamsInput, JsonNestedPastTheLimitIsAUsageErrorNotACrash) {
  EXPECT_NO_THROW(ParseParams(Nested(kMaxJsonDepth)));
  EXPECT_THROW(ParseParams(Nested(kMaxJsonDepth + 1)), UsageError);
  EXPECT_THROW(ParseParams("{\"a\":" + Nested(kMaxJsonDepth) + "}"), UsageError);
}

TEST(JsonConvert, RecordsetsBecomeRowObjectsOrAreLeftOut) {
  auto rs = std::make_shared<db::Recordset>(
      std::vector<db::ColumnDef>{{"FItemID", "INT"}, {"FName", ""}, {"fitemid", ""}},
      std::vector<db::Recordset::Row>{{Variant(int64_t{1}), Variant("a"), Variant(int64_t{9})},
                                      {Variant(int64_t{2}), Variant::Null(), Variant(int64_t{8})}});
  rs->SetFilter("FItemID = 2");
  EXPECT_EQ(DumpJson(RecordsetToJson(*rs)),
            R"([{"FItemID":1,"FName":"a"},{"FItemID":2,"FName":null}])");
  EXPECT_EQ(DumpJson(RecordsetToJson(db::Recordset())), "[]");

  auto dictionary = Dictionary::Create();
  dictionary->Write("rsBillHead", Variant(rs));
  dictionary->Write("InterID", Variant(12));
  EXPECT_EQ(DumpJson(VariantToJson(Variant(dictionary), {.skip_recordsets = true})),
            R"({"InterID":12})");
  EXPECT_EQ(DumpJson(VariantToJson(Variant(dictionary))).substr(0, 26),
            R"({"rsBillHead":[{"FItemID":)");
}

TEST(JsonConvert, DumpReplacesInvalidUtf8InsteadOfFailing) {
  const std::string text = DumpJson(VariantToJson(Variant(std::string("a\xff") + "b")));
  EXPECT_EQ(text.front(), '"');
  EXPECT_NE(text.find('a'), std::string::npos);
  EXPECT_NE(text.find('b'), std::string::npos);
}

}  // namespace
}  // namespace cb::tool
