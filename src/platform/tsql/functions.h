// The built-in functions and conversions the subset accepts, checked while parsing.
#pragma once

#include "platform/tsql/ast.h"

namespace cb::tsql {

// Accepts a kFunction node whose name and argument count are in the whitelist (ISNULL, GETDATE,
// LEFT, ROUND, SUM, COUNT, MAX, MIN, AVG, ABS, UPPER, LOWER, LTRIM, RTRIM, LEN); raises
// kUnsupported for any other function or a negative literal ROUND precision, kSyntax for a wrong
// argument count.
void CheckFunction(const Expr& call);

// Accepts CAST to an integer, FLOAT/REAL, DECIMAL/NUMERIC/MONEY or character type; raises
// otherwise.
void CheckCast(const Expr& cast);

// Accepts CONVERT(character type, x, 120) and CONVERT(DECIMAL/NUMERIC/MONEY, x); raises otherwise.
void CheckConvert(const Expr& convert);

// Type families of the subset.
bool IsIntegerType(const SqlType& type);
bool IsDecimalType(const SqlType& type);  // DECIMAL, NUMERIC, MONEY
bool IsFloatType(const SqlType& type);    // FLOAT, REAL
bool IsCharacterType(const SqlType& type);

// The scale a DECIMAL/NUMERIC/MONEY type keeps: as written, else 0 (4 for MONEY).
int DecimalScale(const SqlType& type);

}  // namespace cb::tsql
