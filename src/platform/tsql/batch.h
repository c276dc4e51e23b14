// A parsed T-SQL batch: the statement tree the interpreter walks, and the translation of each leaf
// statement into one native statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/tsql/backend.h"

namespace cb::tsql {

struct SourcePos {
  int line = 1;
  int column = 1;
};

// A T-SQL type as written in DECLARE, CREATE TABLE or CAST.
struct SqlType {
  std::string name;  // upper case: INT, SMALLINT, BIGINT, BIT, DECIMAL, NUMERIC, MONEY, FLOAT,
                     // REAL, CHAR, VARCHAR, NVARCHAR, DATETIME, SMALLDATETIME …
  int length = -1;   // CHAR/VARCHAR length, DECIMAL precision; -1 when not written
  int scale = -1;    // DECIMAL scale; -1 when not written
};

enum class StatementKind {
  kEmpty,         // ';' alone, SET NOCOUNT ON/OFF: nothing runs, @@ROWCOUNT becomes 0
  kSql,           // one native statement: query, INSERT, UPDATE, DELETE, CREATE TABLE, DROP TABLE
  kSelectInto,    // SELECT … INTO #t …: Translate() gives the SELECT without INTO
  kSelectAssign,  // SELECT @a = x, @b = y …: Translate() gives SELECT x, y …
  kSetVariable,   // SET @a = x: Translate() gives SELECT x
  kDeclare,       // DECLARE @a type [, @b type]
  kIf,            // IF cond …: Translate() gives SELECT CASE WHEN cond THEN 1 ELSE 0 END
  kBlock,         // BEGIN … END
};

// The native parameter that carries @@ROWCOUNT: SQLite reads "@@rowcount" as an illegal token,
// while a '$' name can never clash with a T-SQL variable.
inline constexpr const char* kRowCountParameter = "$rowcount";

// One native statement and the variables it reads.
struct Translation {
  std::string sql;
  // Parameters the statement binds, each '@' + lower-cased name; kRowCountParameter stands for
  // @@ROWCOUNT.
  std::vector<std::string> parameters;
  bool returns_rows = false;  // a query whose rows are a result set of the batch
  // SELECT … INTO: the native declared type of each select item by the server's typing ('' when
  // it cannot be told), for the columns the native description leaves untyped;
  // kIdentityColumnType marks the column that keeps its source's IDENTITY.
  std::vector<std::string> column_types;
};

// The declared type the catalog reports for an IDENTITY column.
inline constexpr const char* kIdentityColumnType = "INTEGER IDENTITY";

// A statement's translation together with every catalog answer it was built from, in the order
// they were asked: table as written, and its columns or nullopt.
struct TranslationMemo {
  Translation translation;
  std::vector<std::pair<std::string, std::optional<std::vector<ColumnInfo>>>> tables;
};

struct Declaration {
  std::string variable;  // lower-cased, without '@'
  SqlType type;
};

class Statement {
 public:
  virtual ~Statement() = default;

  virtual StatementKind kind() const = 0;
  virtual SourcePos pos() const = 0;

  // For kSql, kSelectInto, kSelectAssign, kSetVariable and kIf. Looks tables up in the catalog as
  // it is at the moment the statement runs. Raises db::DatabaseException (kSyntax/kUnsupported/
  // kNoSuchObject) with the line and column in its description.
  virtual Translation Translate(Catalog& catalog) const = 0;

  // kSelectInto: the target table as written ('#TempSumQty').
  virtual const std::string& into_table() const;
  // kSelectAssign, kSetVariable: target variables, lower-cased without '@', in column order.
  virtual const std::vector<std::string>& targets() const;
  // kDeclare
  virtual const std::vector<Declaration>& declarations() const;
  // kIf: the statement run when the condition holds, and the ELSE statement or nullptr.
  virtual const Statement* then_branch() const;
  virtual const Statement* else_branch() const;
  // kBlock
  virtual const std::vector<std::unique_ptr<Statement>>& children() const;

  // The last translation, kept by the interpreter that runs the statement (translation_cache.h).
  // A parsed statement belongs to one interpreter, and so to one thread at a time.
  std::optional<TranslationMemo>& memo() const { return memo_; }

 private:
  mutable std::optional<TranslationMemo> memo_;
};

using StatementList = std::vector<std::unique_ptr<Statement>>;

// Parses a whole batch. Statements need no separators. Raises db::DatabaseException (kSyntax or
// kUnsupported) naming the construct, line and column of the first thing it cannot read.
StatementList ParseBatch(std::string_view text);

}  // namespace cb::tsql
