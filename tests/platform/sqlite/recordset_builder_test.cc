// Tests of typed field values built from declared column types.
#include "platform/sqlite/recordset_builder.h"

#include <gtest/gtest.h>

#include "platform/variant/date.h"

namespace cb::sqlite {
namespace {

TEST(TypedValue, ConvertsRawValuesByDeclaredType) {
  struct Case {
    Variant raw;
    std::string_view declared;
    VariantType type;
    Variant expected;
  };
  const Case cases[] = {
      {Variant("2024-03-07"), "DATETIME_TEXT", VariantType::kDate,
       Variant::Date(DayNumberFromCivil(2024, 3, 7))},
      {Variant("2024-03-07 10:11:12"), "datetime", VariantType::kDate,
       Variant::Date(DayNumberFromCivil(2024, 3, 7, 10, 11, 12))},
      {Variant(""), "DATETIME_TEXT", VariantType::kString, Variant("")},
      {Variant(int64_t{-1}), "bit", VariantType::kBool, Variant(true)},
      {Variant(int64_t{0}), "BIT", VariantType::kBool, Variant(false)},
      {Variant(int64_t{42}), "INT", VariantType::kInt32, Variant(int32_t{42})},
      {Variant(int64_t{5000000000}), "BIGINT", VariantType::kInt64, Variant(int64_t{5000000000})},
      // The ends of the 32-bit range narrow; one past them does not.
      {Variant(int64_t{-2147483648}), "INT", VariantType::kInt32,
       Variant(int32_t{-2147483647 - 1})},
      {Variant(int64_t{2147483647}), "", VariantType::kInt32, Variant(int32_t{2147483647})},
      {Variant(int64_t{-2147483649}), "INT", VariantType::kInt64, Variant(int64_t{-2147483649})},
      {Variant(int64_t{10}), "DECIMAL_REAL(28,10)", VariantType::kDouble, Variant(10.0)},
      {Variant(int64_t{12}), "VARCHAR(10)", VariantType::kString, Variant("12")},
      {Variant(1.25), "", VariantType::kDouble, Variant(1.25)},
      {Variant("t"), "", VariantType::kString, Variant("t")},
  };
  for (const Case& c : cases) {
    Variant value = TypedValue(c.raw, c.declared);
    EXPECT_EQ(value.type(), c.type) << c.raw.ToString() << " as " << c.declared;
    EXPECT_TRUE(value == c.expected) << c.raw.ToString() << " as " << c.declared;
  }
  for (std::string_view declared : {"INT", "BIT", "DATETIME_TEXT", "VARCHAR(5)", ""}) {
    EXPECT_TRUE(TypedValue(Variant::Null(), declared).IsNull()) << declared;
  }
}

}  // namespace
}  // namespace cb::sqlite
