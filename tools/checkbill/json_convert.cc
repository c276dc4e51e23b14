// Conversion between engine values and JSON, shared by every verb that prints or reads values.
#include "tools/checkbill/json_convert.h"

#include <limits>

#include "checkbill/values.h"

namespace cb::tool {

namespace {

bool IsRecordset(const Variant& value) {
  return value.As<db::Recordset>() != nullptr;
}

Json ObjectToJson(const Variant& value, const JsonOptions& options) {
  if (const auto dictionary = value.As<Dictionary>()) {
    Json object = Json::object();
    for (const auto& [key, member] : dictionary->entries()) {
      if (options.skip_recordsets && IsRecordset(member)) continue;
      object[key] = VariantToJson(member, options);
    }
    return object;
  }
  if (const auto vector = value.As<Vector>()) {
    Json array = Json::array();
    for (const Variant& item : vector->items()) {
      if (options.skip_recordsets && IsRecordset(item)) continue;
      array.push_back(VariantToJson(item, options));
    }
    return array;
  }
  if (const auto recordset = value.As<db::Recordset>()) {
    return options.skip_recordsets ? Json(nullptr) : RecordsetToJson(*recordset);
  }
  return nullptr;
}

}  // namespace

Json VariantToJson(const Variant& value, const JsonOptions& options) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      return nullptr;
    case VariantType::kBool:
      return value.ToBool();
    case VariantType::kInt16:
    case VariantType::kInt32:
    case VariantType::kInt64:
      return value.ToInt64();
    case VariantType::kDouble:
      return value.ToDouble();
    case VariantType::kString:
      return value.ToString();
    case VariantType::kDate:
      return FormatDateAuto(value.ToDate());
    case VariantType::kObject:
      return ObjectToJson(value, options);
  }
  return nullptr;
}

Json RecordsetToJson(const db::Recordset& recordset) {
  Json rows = Json::array();
  if (!recordset.IsOpen()) return rows;
  const std::vector<db::ColumnDef>& columns = recordset.columns();
  // Columns whose name repeats an earlier one (ignoring case, as field lookup does) are left out.
  std::vector<size_t> shown;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (db::FindColumn(columns, columns[i].name) == i) shown.push_back(i);
  }
  for (const db::Recordset::Row& row : recordset.rows()) {
    Json object = Json::object();
    for (size_t i : shown) {
      if (i < row.size()) object[columns[i].name] = VariantToJson(row[i]);
    }
    rows.push_back(std::move(object));
  }
  return rows;
}

Variant JsonToVariant(const Json& json) {
  switch (json.type()) {
    case Json::value_t::null:
    case Json::value_t::discarded:
      return Variant::Null();
    case Json::value_t::boolean:
      return Variant(json.get<bool>());
    case Json::value_t::number_integer: {
      const int64_t number = json.get<int64_t>();
      if (number >= std::numeric_limits<int32_t>::min() &&
          number <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(number));
      }
      return Variant(number);
    }
    case Json::value_t::number_unsigned: {
      const uint64_t number = json.get<uint64_t>();
      if (number <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
        return Variant(static_cast<int32_t>(number));
      }
      if (number <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
        return Variant(static_cast<int64_t>(number));
      }
      return Variant(static_cast<double>(number));
    }
    case Json::value_t::number_float:
      return Variant(json.get<double>());
    case Json::value_t::string:
      return Variant(json.get<std::string>());
    case Json::value_t::array: {
      auto vector = Vector::Create();
      for (const Json& item : json) vector->Add(JsonToVariant(item));
      return Variant(vector);
    }
    case Json::value_t::object: {
      auto dictionary = Dictionary::Create();
      for (const auto& [key, member] : json.items()) dictionary->Write(key, JsonToVariant(member));
      return Variant(dictionary);
    }
    case Json::value_t::binary:
      break;
  }
  return Variant::Null();
}

std::string DumpJson(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace cb::tool
