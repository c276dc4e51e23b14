// Translates INSERT … VALUES and INSERT … SELECT, converting each value to its column's type.
#include "platform/tsql/emitter.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/translator.h"

namespace cb::tsql {

Translation TranslateNode(const InsertStmt& insert, Catalog& catalog) {
  Emitter emitter(catalog);
  const std::vector<ColumnInfo>& table = emitter.RequireColumns(insert.table, insert.pos);
  // The type of each written column, in the order values arrive.
  std::vector<ValueType> types;
  if (insert.columns.empty()) {
    for (const ColumnInfo& info : table) types.push_back(TypeOfDeclared(info.declared_type));
  } else {
    for (const std::string& column : insert.columns) {
      ValueType type;
      for (const ColumnInfo& info : table) {
        if (SameName(info.name, column)) type = TypeOfDeclared(info.declared_type);
      }
      types.push_back(type);
    }
  }
  auto type_at = [&](size_t i) { return i < types.size() ? types[i] : ValueType(); };

  std::string sql = "INSERT INTO " + Emitter::Quote(insert.table);
  if (!insert.columns.empty()) {
    sql += " (";
    for (size_t i = 0; i < insert.columns.size(); ++i) {
      sql += (i ? ", " : "") + Emitter::Quote(insert.columns[i]);
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
