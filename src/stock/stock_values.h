// Small readers shared by the stock steps: dictionary entries and trimmed field texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/vocabulary/profile_keys.h"
#include "frame/vocabulary/recheck_bits.h"
#include "frame/vocabulary/text.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::stock {

// A value of a by-name Dictionary entry as a 32-bit integer; default_value when absent, Empty or
// Null.
[[nodiscard]] int32_t ReadInt(const Dictionary& dictionary, std::string_view key,
                              int32_t default_value = 0);

// The current row's field as text with leading and trailing blanks removed; "" for Null.
[[nodiscard]] std::string FieldText(const db::Recordset& rows, std::string_view name);

// The current row's field as a number; default_value for Null.
[[nodiscard]] double FieldNumber(const db::Recordset& rows, std::string_view name,
                                 double default_value = 0);

}  // namespace cb::stock
