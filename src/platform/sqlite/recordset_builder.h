// Turns a statement's raw rows into a typed, detached Recordset, reading each column's declared
// type.
#pragma once

#include "platform/db/recordset.h"
#include "platform/tsql/backend.h"

namespace cb::sqlite {

// Field values by declared type (case ignored):
// - DATETIME_TEXT, DATETIME, SMALLDATETIME, DATE: a date, parsed from ISO text (text that is not a
//   date, such as '', stays text);
// - BIT: a boolean, true for any non-zero value;
// - names containing INT: a 32-bit integer when the value fits, otherwise 64-bit;
// - DECIMAL_REAL, DECIMAL, NUMERIC, MONEY, REAL, FLOAT, DOUBLE: a double, or the exact Decimal
//   that a decimal blob holds (whatever the declared type);
// - names containing CHAR, TEXT or CLOB: text;
// - no declared type (an expression): its storage class, integers as 32-bit when they fit.
// Null is Null whatever the type.
Variant TypedValue(const Variant& raw, std::string_view declared_type);

// An open recordset over the result, positioned on its first row.
db::RecordsetPtr BuildRecordset(tsql::StatementResult result);

}  // namespace cb::sqlite
