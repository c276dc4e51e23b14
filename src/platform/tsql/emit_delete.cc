// Translates DELETE, including DELETE alias FROM … JOIN …, as one native statement.
#include "platform/tsql/emitter.h"
#include "platform/tsql/target_binding.h"
#include "platform/tsql/translator.h"

namespace cb::tsql {

Translation TranslateNode(const DeleteStmt& remove, Catalog& catalog) {
  Emitter emitter(catalog);
  if (remove.from.empty()) {
    TableRef target;
    target.name = remove.target;
    ScopeGuard scope(emitter, {&target});
    std::string sql = "DELETE FROM " + Emitter::Quote(remove.target);
    if (remove.where) sql += " WHERE " + emitter.Expression(*remove.where);
    return emitter.Finish(std::move(sql), false);
  }
  const FromItem* bound = BindTarget(remove.from, remove.target, remove.target_pos);
  if (bound) {
    // The rows to delete are the target's rows that the join finds.
    ScopeGuard scope(emitter, Emitter::TablesOf(remove.from));
    std::string sql = "DELETE FROM " + Emitter::Quote(bound->table.name) +
                      " WHERE rowid IN (SELECT " + Emitter::Quote(bound->table.exposed()) +
                      ".rowid FROM " + emitter.FromList(remove.from);
    if (remove.where) sql += " WHERE " + emitter.Expression(*remove.where);
    return emitter.Finish(sql + ")", false);
  }
  // A target outside FROM is its own instance: its rows go when the correlated join finds a match.
  TableRef target;
  target.name = remove.target;
  std::vector<const TableRef*> tables = Emitter::TablesOf(remove.from);
  tables.insert(tables.begin(), &target);
  ScopeGuard scope(emitter, std::move(tables));
  std::string sql = "DELETE FROM " + Emitter::Quote(remove.target) +
                    " WHERE EXISTS (SELECT 1 FROM " + emitter.FromList(remove.from);
  if (remove.where) sql += " WHERE " + emitter.Expression(*remove.where);
  return emitter.Finish(sql + ")", false);
}

}  // namespace cb::tsql
