// SELECT … INTO t, emulated with two native statements: a CREATE TABLE that keeps the source
// columns' declared types and puts the case- and blank-blind collation on every column, then INSERT
// … SELECT.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/tsql/backend.h"

namespace cb::tsql {

struct SelectIntoPlan {
  std::string create_sql;  // CREATE [TEMP] TABLE "t" ("c1" TYPE COLLATE TSQLCI, …)
  std::string insert_sql;  // INSERT INTO "t" <select>
};

// `table` as written ('#TempSumQty' becomes a temporary table, any other name a permanent one);
// `columns` as Describe reports the SELECT; `select_sql` the native SELECT without INTO.
SelectIntoPlan PlanSelectInto(std::string_view table, const std::vector<ColumnInfo>& columns,
                              std::string_view select_sql);

// The declared type a new column gets for a source column's native declared type: the storage names
// the dialect layer uses for decimals and dates (DECIMAL(p,s) -> DECIMAL_REAL(p,s), DATETIME ->
// DATETIME_TEXT); other types unchanged; empty (an expression) stays empty.
std::string NewColumnType(std::string_view declared_type);

}  // namespace cb::tsql
