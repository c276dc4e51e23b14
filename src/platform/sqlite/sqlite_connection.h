// SqliteConnection: the engine's Connection over one SQLite database file, running T-SQL batches
// through the dialect layer and stored procedures through a registry.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/sqlite/sqlite_backend.h"
#include "platform/sqlite/sqlite_options.h"
#include "platform/tsql/interpreter.h"

namespace cb::sqlite {

class SqliteConnection : public db::Connection {
 public:
  // Opens the file (creating it when missing); raises db::DatabaseException (kConnection) on
  // failure. The WAL journal of `options` is switched on only in a file that holds the suite's
  // schema; any other file keeps the journal it has (a new one is filled in the rollback journal).
  SqliteConnection(const std::string& path, SqliteOptions options);

  db::RecordsetPtr Execute(std::string_view sql) override;
  // Unknown names raise "Could not find stored procedure 'X'." (native 2812) through Errors.
  void CallProcedure(std::string_view name, db::Parameters& parameters) override;
  db::Errors& errors() override { return errors_; }

  // BeginTrans takes the write lock at once (BEGIN IMMEDIATE), so two writers queue up on the busy
  // timeout instead of failing halfway. Nested transactions raise cb::Error. A transaction SQLite
  // rolled back by itself stays open as lost (see db::Connection) until RollbackTrans.
  void BeginTrans() override;
  void CommitTrans() override;
  void RollbackTrans() override;
  bool InTransaction() const override;

  // @@ROWCOUNT after the last statement run on this connection.
  int64_t row_count() const { return interpreter_.row_count(); }
  SqliteBackend& backend() { return backend_; }

 private:
  // Records the error in Errors (with `statement` when it names none) and raises it as cb::Error.
  // When the failure ended the transaction, the error is kept as the one that lost it.
  [[noreturn]] void Raise(const db::DatabaseException& exception, std::string_view statement);
  // Raises the error that lost the transaction, through Errors, when there is one.
  void RefuseWhenTransactionLost();

  bool in_transaction_ = false;
  // The first error after which SQLite was no longer in the transaction BeginTrans opened.
  std::optional<db::DbError> lost_transaction_;

  SqliteBackend backend_;
  tsql::Interpreter interpreter_;
  db::Errors errors_;
  ProcedureRegistryPtr procedures_;
};

// Opens a connection to the database file at `path`; a missing file is created.
std::shared_ptr<SqliteConnection> OpenSqliteConnection(const std::string& path,
                                                       SqliteOptions options = {});

}  // namespace cb::sqlite
