// The native declarations that stand for T-SQL types, and what a native declared type tells back.
#pragma once

#include <string>
#include <string_view>

#include "platform/tsql/batch.h"

namespace cb::tsql {

// The native column type: integer types kept, BIT kept, DECIMAL/NUMERIC/MONEY as DECIMAL_REAL(p,s),
// FLOAT/REAL as REAL, character types kept (TEXT/NTEXT as TEXT), date types as DATETIME_TEXT.
std::string NativeType(const SqlType& type);

// True for the declared type of an exact decimal column (DECIMAL_REAL, DECIMAL, NUMERIC, MONEY).
bool IsExactDeclared(std::string_view declared);
// True for the declared type of a real-valued column: exact decimal, REAL, FLOAT or DOUBLE.
bool IsRealDeclared(std::string_view declared);
// The scale of an exact decimal declared type: the s of (p,s), 0 for (p), 4 for MONEY, else 10.
int DeclaredScale(std::string_view declared);

}  // namespace cb::tsql
