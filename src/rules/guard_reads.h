// How the guards read rows and refuse: fields through NullToDefault, refusals as a code and
// the message they leave.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/recordset.h"
#include "platform/variant/decimal.h"
#include "platform/variant/variant.h"

namespace cb::rules {

// The current row's field as a 32-bit integer, Null read as 0.
int32_t IntOrZero(const db::Recordset& rows, std::string_view field);

// The current row's field as an exact decimal, Null read as 0.
Decimal DecimalOrZero(const db::Recordset& rows, std::string_view field);

// The current row's field, Null read as "".
Variant ValueOrEmptyText(const db::Recordset& rows, std::string_view field);

// Sets `message` to the refusal text and hands back the refusal code.
int32_t Refuse(std::string text, int32_t code, std::string& message);

}  // namespace cb::rules
