// The native declarations that stand for T-SQL types.
#pragma once

#include <string>
#include <string_view>

#include "platform/tsql/batch.h"

namespace cb::tsql {

// The native column type: integer types kept, BIT kept, DECIMAL/NUMERIC/MONEY as DECIMAL_REAL(p,s)
// (its values are decimal blobs, which no affinity converts), FLOAT/REAL as REAL, character types
// kept (TEXT/NTEXT as TEXT), date types as DATETIME_TEXT. value_type.h reads them back.
std::string NativeType(const SqlType& type);

}  // namespace cb::tsql
