// Conversion of a raw value (Null, integer, real or text, as the backend stores them) to a declared
// T-SQL type, with the server's rules for truncation, rounding and failure.
#pragma once

#include "platform/tsql/batch.h"
#include "platform/variant/variant.h"

namespace cb::tsql {

// Returns the value as a variable of `type` holds it, again as a raw storage value:
// - INT, SMALLINT, TINYINT, BIGINT: an integer; reals truncate toward zero; text must hold an
//   integer; a value outside the type's range raises native 8115 (arithmetic overflow). SET and
//   SELECT @v = already check a TINYINT, SMALLINT or INT value in SQL with the server's numbers
//   (220, 244, 248, 8115), so this check is the last word only for BIGINT;
// - BIT: 0 or 1 (any non-zero number is 1);
// - DECIMAL(p,s), NUMERIC (default (18,0)), MONEY (19,4): a Decimal rounded half away from zero
//   to the scale; 8115 when it has more than p - s integer digits;
// - FLOAT, REAL: a real;
// - CHAR, VARCHAR, NCHAR, NVARCHAR: text cut to the length (1 when none was written);
// - DATETIME, SMALLDATETIME: the stored form (stored_datetime.h), from text or a day count;
// Null stays Null. Text that does not convert raises db::DatabaseException (kConversion, native
// 245, 8114, 241 or 242); an unknown type raises kUnsupported.
Variant ConvertToSqlType(const Variant& raw, const SqlType& type);

}  // namespace cb::tsql
