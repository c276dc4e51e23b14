// Translates CREATE TABLE, CREATE INDEX and DROP TABLE, mapping types to native declarations.
#include "platform/tsql/emitter.h"
#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/translator.h"
#include "platform/tsql/tsql_error.h"
#include "platform/tsql/type_map.h"

namespace cb::tsql {
namespace {

bool IsTemp(const std::string& name) {
  return !name.empty() && name[0] == '#';
}

const Expr& StripParens(const Expr& expr) {
  return expr.kind == ExprKind::kParen ? StripParens(*expr.args[0]) : expr;
}

std::string NameList(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + Emitter::Quote(name);
  return out;
}

std::string ColumnText(Emitter& emitter, const ColumnDef& column) {
  std::string out = Emitter::Quote(column.name);
  if (column.identity) {
    // The rowid alias numbers rows 1, 2, … as IDENTITY(1,1) does; AUTOINCREMENT keeps it from
    // giving a deleted row's number again.
    out += " INTEGER PRIMARY KEY AUTOINCREMENT";
  } else {
    out += " " + NativeType(column.type);
    if (IsCharacterType(column.type)) out += " COLLATE TSQLCI";
    if (column.primary_key) out += " PRIMARY KEY";
  }
  if (column.unique) out += " UNIQUE";
  if (column.not_null) out += " NOT NULL";
  if (column.null) out += " NULL";
  if (column.default_value) {
    out += " DEFAULT (" + emitter.Expression(StripParens(*column.default_value)) + ")";
  }
  return out;
}

}  // namespace

Translation TranslateNode(const CreateTableStmt& create, Catalog& catalog) {
  Emitter emitter(catalog);
  int primary_keys = create.primary_key.empty() ? 0 : 1;
  for (const ColumnDef& column : create.columns) {
    if (column.identity || column.primary_key) ++primary_keys;
  }
  if (primary_keys > 1) {
    RaiseInvalid("Cannot add multiple PRIMARY KEY constraints to table '" + create.table + "'",
                 create.pos);
  }
  std::string sql = IsTemp(create.table) ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  sql += Emitter::Quote(create.table) + " (";
  for (size_t i = 0; i < create.columns.size(); ++i) {
    sql += (i ? ", " : "") + ColumnText(emitter, create.columns[i]);
  }
  if (!create.primary_key.empty()) sql += ", PRIMARY KEY (" + NameList(create.primary_key) + ")";
  for (const std::vector<std::string>& unique : create.unique) {
    sql += ", UNIQUE (" + NameList(unique) + ")";
  }
  return emitter.Finish(sql + ")", false);
}

// The server's number for an index on a table that does not exist.
constexpr int kNoIndexTableNative = 1088;

Translation TranslateNode(const CreateIndexStmt& create, Catalog& catalog) {
  Emitter emitter(catalog);
  if (!emitter.Columns(create.table)) {
    RaiseNoSuchObject("Cannot find the object \"" + create.table +
                          "\" because it does not exist or you do not have permissions.",
                      create.pos, kNoIndexTableNative);
  }
  // An index lives in its table's schema, which must be named for a temporary table.
  std::string sql = create.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  sql += (IsTemp(create.table) ? "temp." : "") + Emitter::Quote(create.name) + " ON " +
         Emitter::Quote(create.table) + " (";
  for (size_t i = 0; i < create.columns.size(); ++i) {
    const OrderItem& item = create.columns[i];
    sql += (i ? ", " : "") + Emitter::Quote(item.expr->text) + (item.descending ? " DESC" : "");
  }
  return emitter.Finish(sql + ")", false);
}

// The server's number for a DROP TABLE of a table that does not exist.
constexpr int kCannotDropNative = 3701;

Translation TranslateNode(const DropTableStmt& drop, Catalog& catalog) {
  Emitter emitter(catalog);
  // Many steps begin by dropping a temporary table that is usually not there; the catalog says so
  // far more cheaply than a native statement that fails to prepare.
  if (!emitter.Columns(drop.table)) {
    RaiseNoSuchObject("Cannot drop the table '" + drop.table +
                          "', because it does not exist or you do not have permission",
                      drop.pos, kCannotDropNative);
  }
  std::string sql = "DROP TABLE ";
  sql += (IsTemp(drop.table) ? "temp." : "") + Emitter::Quote(drop.table);
  return emitter.Finish(std::move(sql), false);
}

}  // namespace cb::tsql
