// Readers of profile switches, dictionary entries and recordset fields for the stock steps.
#include "stock/stock_values.h"

#include "platform/services/foundation.h"
#include "platform/variant/error.h"

namespace cb::stock {

double ProfileNumber(const Dictionary& profile, std::string_view key, double default_value) {
  const Variant value = profile.Read(key);
  if (value.IsEmpty() || value.IsNull()) return default_value;
  try {
    return value.ToDouble();
  } catch (const Error&) {
    return default_value;
  }
}

int32_t ReadInt(const Dictionary& dictionary, std::string_view key, int32_t default_value) {
  const Variant value = dictionary.Read(key);
  if (value.IsEmpty() || value.IsNull()) return default_value;
  return value.ToInt32();
}

std::string FieldText(const db::Recordset& rows, std::string_view name) {
  const Variant value = services::Foundation::Current().NullToDefault(rows.Field(name), "");
  return Trim(value.ToString());
}

double FieldNumber(const db::Recordset& rows, std::string_view name, double default_value) {
  return services::Foundation::Current().NullToDefault(rows.Field(name), default_value).ToDouble();
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string QuoteText(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace cb::stock
