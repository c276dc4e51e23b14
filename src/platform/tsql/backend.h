// What the batch interpreter needs of the database underneath: run one native statement with named
// parameters, describe a statement's columns, and look up a table's columns.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant/variant.h"

namespace cb::tsql {

struct ColumnInfo {
  std::string name;
  std::string declared_type;  // the native declared type; empty for expressions
  bool operator==(const ColumnInfo&) const = default;
};

// Looks up tables while a batch is translated: tables created earlier in the same batch are
// visible.
class Catalog {
 public:
  virtual ~Catalog() = default;
  // Temporary tables first (a '#name' is a temporary table), then the database's own; nullopt when
  // the table does not exist. Names compare case-insensitively.
  virtual std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) = 0;
  // The native declared type of a variable of the batch being translated (lower-cased name without
  // '@'); empty when it is not declared.
  virtual std::string VariableType(std::string_view name) {
    (void)name;
    return {};
  }
};

struct BoundParameter {
  std::string name;  // '@' followed by the lower-cased variable name
  Variant value;
};

struct StatementResult {
  std::vector<ColumnInfo> columns;
  std::vector<std::vector<Variant>>
      rows;                    // raw storage values: Null, Int64, Double, Decimal or String
  bool produces_rows = false;  // the statement is a query, even when it found no row
  int64_t changes = 0;         // rows inserted, updated or deleted
};

// Every failure raises db::DatabaseException.
class Backend : public Catalog {
 public:
  virtual StatementResult Run(std::string_view native_sql,
                              std::span<const BoundParameter> params) = 0;
  // The columns a query would return, without running it.
  virtual std::vector<ColumnInfo> Describe(std::string_view native_sql,
                                           std::span<const BoundParameter> params) = 0;
};

}  // namespace cb::tsql
