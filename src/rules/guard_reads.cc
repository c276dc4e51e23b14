// Field reads and refusals shared by the guards.
#include "rules/guard_reads.h"

#include <utility>

#include "platform/services/foundation.h"

namespace cb::rules {

int32_t IntOrZero(const db::Recordset& rows, std::string_view field) {
  return services::Foundation::Current().NullToDefault(rows.Field(field), int32_t{0}).ToInt32();
}

Decimal DecimalOrZero(const db::Recordset& rows, std::string_view field) {
  return services::Foundation::Current().NullToDefault(rows.Field(field), int32_t{0}).ToDecimal();
}

Variant ValueOrEmptyText(const db::Recordset& rows, std::string_view field) {
  return services::Foundation::Current().NullToDefault(rows.Field(field), "");
}

int32_t Refuse(std::string text, int32_t code, std::string& message) {
  message = std::move(text);
  return code;
}

}  // namespace cb::rules
