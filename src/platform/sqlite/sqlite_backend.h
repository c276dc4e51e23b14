// The dialect layer's Backend over one SQLite handle: prepared-statement cache, binding, stepping
// into raw rows, and the catalog of temporary and permanent tables.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/sqlite/parked_tables.h"
#include "platform/sqlite/sqlite_functions.h"
#include "platform/sqlite/sqlite_options.h"
#include "platform/sqlite/statement_cache.h"
#include "platform/tsql/backend.h"

namespace cb::sqlite {

class SqliteBackend : public tsql::Backend {
 public:
  // Opens (creating when missing) the database file and sets the connection up: the TSQLCI
  // collation, dec, tsql_div and getdate, double-quoted strings off, WAL and the busy timeout.
  // Raises db::DatabaseException (kConnection) when the file cannot be opened or set up.
  SqliteBackend(const std::string& path, const SqliteOptions& options);
  ~SqliteBackend() override;
  SqliteBackend(const SqliteBackend&) = delete;
  SqliteBackend& operator=(const SqliteBackend&) = delete;

  // Prepares through the cache, binds `params` by name (names the statement does not read are
  // skipped) and reads every row. `changes` counts only rows written by INSERT, UPDATE and DELETE.
  // A temporary table that a DROP TABLE leaves empty and parked (parked_tables.h) is taken back by
  // a CREATE TABLE of the same text, with no native statement at all.
  tsql::StatementResult Run(std::string_view native_sql,
                            std::span<const tsql::BoundParameter> params) override;
  // Names and declared types of a query's columns, from the prepared statement.
  std::vector<tsql::ColumnInfo> Describe(std::string_view native_sql,
                                         std::span<const tsql::BoundParameter> params) override;
  // Temporary tables first, then the main database ('#' names only among temporary tables); a
  // parked table is not found.
  // Answers are cached until this connection runs DDL or a rollback, or another one commits.
  std::optional<std::vector<tsql::ColumnInfo>> TableColumns(std::string_view table) override;

  // Runs a native statement that returns nothing and binds nothing (BEGIN, COMMIT …).
  void RunNative(std::string_view native_sql);

  // True inside an explicit transaction.
  bool InTransaction() const;

  sqlite3* handle() const { return db_; }

 private:
  // Run without the parking: the observer sees the statement.
  tsql::StatementResult RunObserved(std::string_view native_sql,
                                    std::span<const tsql::BoundParameter> params);
  // Parks the temporary table `name` that `drop_sql` would drop, when it may be parked; false when
  // the statement must run as it is.
  bool Park(const std::string& name, std::string_view drop_sql);
  // The table's text in the schema table when it may be parked: no AUTOINCREMENT column, and no
  // index or trigger made for it after its creation.
  std::optional<std::string> ParkableDefinition(const std::string& name);
  // Drops for real the parked tables that a native statement names, so that SQLite answers it as
  // if they had been dropped when asked.
  void DropParkedNamedBy(std::string_view native_sql);
  void DropParked(const std::vector<std::string>& names);
  tsql::StatementResult RunStatement(std::string_view native_sql,
                                     std::span<const tsql::BoundParameter> params);
  sqlite3_stmt* Prepare(std::string_view native_sql);
  void Bind(sqlite3_stmt* statement, std::span<const tsql::BoundParameter> params,
            std::string_view native_sql);
  // Raise the mapped error; a fault a registered function left overrides the kind and native code.
  [[noreturn]] void Fail(int code, std::string message, std::string_view native_sql);
  [[noreturn]] void FailStep(sqlite3_stmt* statement, std::string_view native_sql);
  std::optional<std::vector<tsql::ColumnInfo>> SchemaColumns(std::string_view table,
                                                             const char* schema);

  // Forgets the cached columns of the table a statement created or dropped (of every table after a
  // rollback or a statement it cannot read), and keeps track of the data version.
  void InvalidateCatalogAfter(std::string_view native_sql, bool was_in_transaction);
  // Forgets every cached table when another connection committed since the last look.
  void InvalidateCatalogOnForeignCommit();
  unsigned int DataVersion() const;

  sqlite3* db_ = nullptr;
  FunctionFault fault_;
  StatementObserver observe_statement_;
  // Table columns by lower-cased name: the table_info pragma costs far more than a statement it
  // serves.
  std::unordered_map<std::string, std::optional<std::vector<tsql::ColumnInfo>>> catalog_;
  unsigned int data_version_ = 0;
  std::unique_ptr<StatementCache> cache_;
  ParkedTables parked_;
};

}  // namespace cb::sqlite
