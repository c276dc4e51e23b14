// Declared type to Variant type, column by column.
#include "platform/sqlite/recordset_builder.h"

#include <cstdint>
#include <limits>
#include <string>

#include "platform/variant/date.h"

namespace cb::sqlite {
namespace {

enum class FieldClass { kDate, kBool, kInteger, kReal, kText, kStorage };

bool Contains(const std::string& upper, std::string_view part) {
  return upper.find(part) != std::string::npos;
}

FieldClass Classify(std::string_view declared_type) {
  std::string upper(declared_type);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper.empty()) return FieldClass::kStorage;
  if (Contains(upper, "DATE")) return FieldClass::kDate;
  if (upper == "BIT") return FieldClass::kBool;
  if (Contains(upper, "INT")) return FieldClass::kInteger;
  if (Contains(upper, "DEC") || Contains(upper, "NUMERIC") || Contains(upper, "MONEY") ||
      Contains(upper, "REAL") || Contains(upper, "FLOA") || Contains(upper, "DOUB")) {
    return FieldClass::kReal;
  }
  if (Contains(upper, "CHAR") || Contains(upper, "TEXT") || Contains(upper, "CLOB")) {
    return FieldClass::kText;
  }
  return FieldClass::kStorage;
}

Variant NarrowInteger(int64_t value) {
  if (value >= std::numeric_limits<int32_t>::min() &&
      value <= std::numeric_limits<int32_t>::max()) {
    return Variant(static_cast<int32_t>(value));
  }
  return Variant(value);
}

}  // namespace

Variant TypedValue(const Variant& raw, std::string_view declared_type) {
  if (raw.IsNull()) return raw;
  switch (Classify(declared_type)) {
    case FieldClass::kDate:
      if (raw.IsString()) {
        if (auto day = ParseDate(raw.ToString())) return Variant::Date(*day);
      }
      return raw;
    case FieldClass::kBool:
      if (raw.IsString()) return raw;
      return Variant(raw.ToDouble() != 0.0);
    case FieldClass::kInteger:
      if (raw.type() == VariantType::kInt64) return NarrowInteger(raw.ToInt64());
      return raw;
    case FieldClass::kReal:
      if (raw.type() == VariantType::kInt64) return Variant(raw.ToDouble());
      return raw;
    case FieldClass::kText:
      if (raw.IsString()) return raw;
      return Variant(raw.ToString());
    case FieldClass::kStorage:
      if (raw.type() == VariantType::kInt64) return NarrowInteger(raw.ToInt64());
      return raw;
  }
  return raw;
}

db::RecordsetPtr BuildRecordset(tsql::StatementResult result) {
  std::vector<db::ColumnDef> columns;
  columns.reserve(result.columns.size());
  for (const tsql::ColumnInfo& column : result.columns) {
    columns.push_back({column.name, column.declared_type});
  }
  for (auto& row : result.rows) {
    for (size_t i = 0; i < row.size() && i < columns.size(); ++i) {
      row[i] = TypedValue(row[i], columns[i].declared_type);
    }
  }
  return std::make_shared<db::Recordset>(std::move(columns), std::move(result.rows));
}

}  // namespace cb::sqlite
