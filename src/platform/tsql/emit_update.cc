// Translates UPDATE, including UPDATE … FROM with the server's binding of the target, as one native
// statement so that the count of changed rows names each target row once.
#include <optional>

#include "platform/tsql/emitter.h"
#include "platform/tsql/target_binding.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/translator.h"
#include "platform/tsql/tsql_error.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

class UpdateWriter {
 public:
  UpdateWriter(const UpdateStmt& update, Catalog& catalog) : update_(update), emitter_(catalog) {}

  Translation Run() {
    if (update_.from.empty()) return Plain();
    const FromItem* bound = BindTarget(update_.from, update_.target, update_.target_pos);
    if (!bound) return WithForeignFrom();
    table_ = bound->table.name;
    exposed_ = bound->table.exposed();
    if (update_.from.size() == 1) return SingleTable(bound->table);
    return Materialised();
  }

 private:
  // UPDATE t SET … WHERE …
  Translation Plain() {
    TableRef target;
    target.name = update_.target;
    table_ = exposed_ = update_.target;
    ScopeGuard scope(emitter_, {&target});
    std::string sql = "UPDATE " + Emitter::Quote(table_) + " SET " + Assignments();
    if (update_.where) sql += " WHERE " + emitter_.Expression(*update_.where);
    return emitter_.Finish(std::move(sql), false);
  }

  // The target is a table that FROM does not name: the native UPDATE … FROM joins the same way.
  Translation WithForeignFrom() {
    TableRef target;
    target.name = update_.target;
    table_ = exposed_ = update_.target;
    std::vector<const TableRef*> tables = Emitter::TablesOf(update_.from);
    tables.insert(tables.begin(), &target);
    ScopeGuard scope(emitter_, std::move(tables));
    std::string sql = "UPDATE " + Emitter::Quote(table_) + " SET " + Assignments() + " FROM " +
                      emitter_.FromList(update_.from);
    if (update_.where) sql += " WHERE " + emitter_.Expression(*update_.where);
    return emitter_.Finish(std::move(sql), false);
  }

  // UPDATE alias SET … FROM t alias WHERE …: the alias becomes the native statement's own.
  Translation SingleTable(const TableRef& table) {
    ScopeGuard scope(emitter_, {&table});
    std::string sql = "UPDATE " + Emitter::Quote(table_);
    if (!table.alias.empty()) sql += " AS " + Emitter::Quote(table.alias);
    sql += " SET " + Assignments();
    if (update_.where) sql += " WHERE " + emitter_.Expression(*update_.where);
    return emitter_.Finish(std::move(sql), false);
  }

  // The new values are computed over the original FROM and WHERE first, keyed by the target's
  // rowid, and then written: old values are read throughout, joins may refer to the target
  // anywhere, and each target row is changed once.
  Translation Materialised() {
    ScopeGuard scope(emitter_, Emitter::TablesOf(update_.from));
    const std::vector<ColumnInfo>& columns = emitter_.RequireColumns(table_, update_.target_pos);
    std::string values;
    std::string writes;
    for (size_t i = 0; i < update_.sets.size(); ++i) {
      const SetItem& item = update_.sets[i];
      CheckQualifier(item);
      std::string name = "[__v" + std::to_string(i + 1) + "]";
      values += ", " + Written(item, columns) + " AS " + name;
      writes += (i ? ", " : "") + Emitter::Quote(item.column) + " = [__u]." + name;
    }
    std::string sql = "WITH [__u] AS MATERIALIZED (SELECT " + Emitter::Quote(exposed_) +
                      ".rowid AS [__rid]" + values + " FROM " + emitter_.FromList(update_.from);
    if (update_.where) sql += " WHERE " + emitter_.Expression(*update_.where);
    sql += ") UPDATE " + Emitter::Quote(table_) + " SET " + writes + " FROM [__u] WHERE " +
           Emitter::Quote(table_) + ".rowid = [__u].[__rid]";
    return emitter_.Finish(std::move(sql), false);
  }

  std::string Assignments() {
    const std::vector<ColumnInfo>& columns = emitter_.RequireColumns(table_, update_.target_pos);
    std::string out;
    for (size_t i = 0; i < update_.sets.size(); ++i) {
      const SetItem& item = update_.sets[i];
      CheckQualifier(item);
      out += (i ? ", " : "") + Emitter::Quote(item.column) + " = " + Written(item, columns);
    }
    return out;
  }

  void CheckQualifier(const SetItem& item) const {
    if (item.qualifier.empty() || SameName(item.qualifier, exposed_) ||
        SameName(item.qualifier, table_)) {
      return;
    }
    RaiseInvalid("The column prefix '" + item.qualifier + "' does not match the UPDATE target",
                 item.pos);
  }

  std::string Written(const SetItem& item, const std::vector<ColumnInfo>& columns) {
    for (const ColumnInfo& info : columns) {
      if (SameName(info.name, item.column)) {
        if (SameName(info.declared_type, "INTEGER IDENTITY")) RaiseIdentityUpdate(item.column);
        return emitter_.Written(*item.value, TypeOfDeclared(info.declared_type));
      }
    }
    RaiseNoSuchObject("Invalid column name '" + item.column + "'", item.pos, 207);
  }

  const UpdateStmt& update_;
  Emitter emitter_;
  std::string table_;    // the table that changes
  std::string exposed_;  // the name the statement uses for it
};

}  // namespace

Translation TranslateNode(const UpdateStmt& update, Catalog& catalog) {
  return UpdateWriter(update, catalog).Run();
}

}  // namespace cb::tsql
