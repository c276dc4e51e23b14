// Readers of dictionary entries and recordset fields for the stock steps.
#include "stock/stock_values.h"

#include "platform/services/foundation.h"
#include "platform/variant/error.h"

namespace cb::stock {

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

}  // namespace cb::stock
