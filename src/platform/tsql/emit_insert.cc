// Translates INSERT … VALUES and INSERT … SELECT, converting each value to its column's type.
#include "platform/tsql/emitter.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/translator.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

// The catalog names the rowid alias that stands for an IDENTITY column this way.
bool IsIdentity(const ColumnInfo& info) {
  return SameName(info.declared_type, "INTEGER IDENTITY");
}

}  // namespace

Translation TranslateNode(const InsertStmt& insert, Catalog& catalog) {
  Emitter emitter(catalog);
  const std::vector<ColumnInfo>& table = emitter.RequireColumns(insert.table, insert.pos);
  // The written columns: the named ones, or without a list every column but the identity.
  std::vector<std::string> columns = insert.columns;
  bool has_identity = false;
  if (columns.empty()) {
    for (const ColumnInfo& info : table) {
      if (IsIdentity(info)) {
        has_identity = true;
      } else {
        columns.push_back(info.name);
      }
    }
  }
  // The type of each written column, in the order values arrive.
  std::vector<ValueType> types;
  for (const std::string& column : columns) {
    ValueType type;
    for (const ColumnInfo& info : table) {
      if (!SameName(info.name, column)) continue;
      if (IsIdentity(info)) RaiseExplicitIdentity(insert.table);
      type = TypeOfDeclared(info.declared_type);
    }
    types.push_back(type);
  }
  // Without a list the statement names the columns only when it has to leave the identity out.
  if (!has_identity && insert.columns.empty()) columns.clear();
  auto type_at = [&](size_t i) { return i < types.size() ? types[i] : ValueType(); };

  std::string sql = "INSERT INTO " + Emitter::Quote(insert.table);
  if (!columns.empty()) {
    sql += " (";
    for (size_t i = 0; i < columns.size(); ++i) {
      sql += (i ? ", " : "") + Emitter::Quote(columns[i]);
    }
    sql += ")";
  }
  if (!insert.select) {
    sql += " VALUES ";
    for (size_t r = 0; r < insert.rows.size(); ++r) {
      sql += r ? ", (" : "(";
      for (size_t i = 0; i < insert.rows[r].size(); ++i) {
        sql += (i ? ", " : "") + emitter.Written(*insert.rows[r][i], type_at(i));
      }
      sql += ")";
    }
    return emitter.Finish(std::move(sql), false);
  }
  sql += " " + emitter.Query(*insert.select, &types);
  return emitter.Finish(std::move(sql), false);
}

}  // namespace cb::tsql
