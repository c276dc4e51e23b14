// Translation of each leaf statement's syntax tree into one native SQLite statement.
#pragma once

#include "platform/tsql/ast.h"
#include "platform/tsql/backend.h"
#include "platform/tsql/batch.h"
#include "platform/tsql/value_type.h"

namespace cb::tsql {

// Each raises db::DatabaseException (kSyntax, kUnsupported or kNoSuchObject) naming the construct
// and its position when the statement cannot run with the server's meaning.
Translation TranslateNode(const InsertStmt& insert, Catalog& catalog);
Translation TranslateNode(const UpdateStmt& update, Catalog& catalog);
Translation TranslateNode(const DeleteStmt& remove, Catalog& catalog);
Translation TranslateNode(const CreateTableStmt& create, Catalog& catalog);
Translation TranslateNode(const CreateIndexStmt& create, Catalog& catalog);
Translation TranslateNode(const DropTableStmt& drop, Catalog& catalog);

// A query without its INTO and with the targets of SELECT @v = … dropped.
Translation TranslateQuery(const Select& select, Catalog& catalog, bool returns_rows);
// SELECT <value>, for SET @v = value; converted when `target`, the variable's type, is an
// integer type narrower than 64 bits.
Translation TranslateValue(const Expr& value, Catalog& catalog, ValueType target);
// SELECT CASE WHEN <condition> THEN 1 ELSE 0 END, for IF.
Translation TranslateCondition(const Expr& condition, Catalog& catalog);

}  // namespace cb::tsql
