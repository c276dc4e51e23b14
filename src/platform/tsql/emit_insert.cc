// Translates INSERT … VALUES and INSERT … SELECT, rounding values bound for DECIMAL columns.
#include <optional>

#include "platform/tsql/emitter.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/translator.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

// dec(value, scale) when the column is an exact decimal; NULL and star items pass.
std::string Written(Emitter& emitter, const Expr& value, const std::optional<int>& scale) {
  std::string text = emitter.Expression(value);
  if (!scale || value.kind == ExprKind::kNull) return text;
  return "dec(" + text + ", " + std::to_string(*scale) + ")";
}

}  // namespace

Translation TranslateNode(const InsertStmt& insert, Catalog& catalog) {
  Emitter emitter(catalog);
  const std::vector<ColumnInfo>& table = emitter.RequireColumns(insert.table, insert.pos);
  // The decimal scale of each written column, in the order values arrive.
  std::vector<std::optional<int>> scales;
  auto scale_of = [](const ColumnInfo& info) -> std::optional<int> {
    if (!IsExactDeclared(info.declared_type)) return std::nullopt;
    return DeclaredScale(info.declared_type);
  };
  if (insert.columns.empty()) {
    for (const ColumnInfo& info : table) scales.push_back(scale_of(info));
  } else {
    for (const std::string& column : insert.columns) {
      std::optional<int> scale;
      for (const ColumnInfo& info : table) {
        if (SameName(info.name, column)) scale = scale_of(info);
      }
      scales.push_back(scale);
    }
  }
  auto scale_at = [&](size_t i) { return i < scales.size() ? scales[i] : std::nullopt; };

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
        sql += (i ? ", " : "") + Written(emitter, *insert.rows[r][i], scale_at(i));
      }
      sql += ")";
    }
    return emitter.Finish(std::move(sql), false);
  }
  sql += " " + emitter.Query(*insert.select, &scales);
  return emitter.Finish(std::move(sql), false);
}

}  // namespace cb::tsql
