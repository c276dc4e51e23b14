// Tests of the conversion between engine values and JSON.
#include "tools/checkbill/json_convert.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::tool {
namespace {

TEST(JsonConvert, ScalarsBecomeTheMatchingJson) {
  struct Case {
    Variant value;
    const char* json;
  };
  const std::vector<Case> cases = {
      {Variant(), "null"},
      {Variant::Null(), "null"},
      {Variant(true), "true"},
      {Variant(false), "false"},
      {Variant(int16_t{-7}), "-7"},
      {Variant(int32_t{200001}), "200001"},
      {Variant(int64_t{5000000000}), "5000000000"},
      {Variant(1.25), "1.25"},
      {Variant("O'Brien \"x\""), R"("O'Brien \"x\"")"},
      {Variant::Date(DayNumberFromCivil(2024, 3, 7)), R"("2024-03-07")"},
      {Variant::Date(DayNumberFromCivil(2024, 3, 7, 10, 20, 30)), R"("2024-03-07 10:20:30")"},
  };
  for (const Case& c : cases) EXPECT_EQ(DumpJson(VariantToJson(c.value)), c.json) << c.json;
}

TEST(JsonConvert, DictionaryAndVectorNestInOrder) {
  auto inner = Vector::Create();
  inner->Add(Variant(1));
  inner->Add(Variant("two"));
  auto dictionary = Dictionary::Create();
  dictionary->Write("ReturnCode", Variant(0));
  dictionary->Write("ReturnString", Variant(""));
  dictionary->Write("VectItemInfo", Variant(inner));
  dictionary->Write("Alpha", Variant::Null());
  EXPECT_EQ(DumpJson(VariantToJson(Variant(dictionary))),
            R"({"ReturnCode":0,"ReturnString":"","VectItemInfo":[1,"two"],"Alpha":null})");
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

TEST(JsonConvert, JsonBecomesVariantsOfTheNarrowestFittingType) {
  const Json parsed = Json::parse(
      R"({"InterID":1001,"Big":5000000000,"Qty":2.5,"Flag":true,"Name":"x","Nothing":null,
          "Date":"2024-03-07","List":[1,{"k":"v"}]})");
  const Variant value = JsonToVariant(parsed);
  const auto dictionary = value.As<Dictionary>();
  ASSERT_NE(dictionary, nullptr);
  EXPECT_EQ(dictionary->Read("InterID").type(), VariantType::kInt32);
  EXPECT_EQ(dictionary->Read("Big").type(), VariantType::kInt64);
  EXPECT_EQ(dictionary->Read("Qty"), Variant(2.5));
  EXPECT_EQ(dictionary->Read("Flag").type(), VariantType::kBool);
  EXPECT_EQ(dictionary->Read("Name"), Variant("x"));
  EXPECT_TRUE(dictionary->Read("Nothing").IsNull());
  EXPECT_EQ(dictionary->Read("Date"), Variant("2024-03-07"));
  const auto list = dictionary->Read("List").As<Vector>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 2u);
  EXPECT_EQ(list->Item(0), Variant(1));
  EXPECT_EQ(list->Item(1).As<Dictionary>()->Read("k"), Variant("v"));
  std::vector<std::string> keys;
  for (const auto& entry : dictionary->entries()) keys.push_back(entry.first);
  EXPECT_EQ(keys.front(), "InterID");
  EXPECT_EQ(keys.back(), "List");
}

TEST(JsonConvert, DumpReplacesInvalidUtf8InsteadOfFailing) {
  const std::string bad =
      "a\xff"
      "b";
  const std::string text = DumpJson(VariantToJson(Variant(bad)));
  EXPECT_EQ(text.front(), '"');
  EXPECT_NE(text.find('a'), std::string::npos);
  EXPECT_NE(text.find('b'), std::string::npos);
}

}  // namespace
}  // namespace cb::tool
