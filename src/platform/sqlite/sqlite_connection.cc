// SqliteConnection: Errors bookkeeping around the interpreter, transactions and procedure calls.
#include "platform/sqlite/sqlite_connection.h"

#include <sqlite3.h>

#include "platform/sqlite/procedures/suite_procedures.h"
#include "platform/sqlite/recordset_builder.h"
#include "platform/sqlite/sqlite_error_map.h"

namespace cb::sqlite {
namespace {

// The registry of transaction types: every database of the suite has it, and nothing else does.
constexpr char kSuiteSchemaProbeSql[] =
    "SELECT 1 FROM main.sqlite_master WHERE type='table' AND name='ICTransactionType' COLLATE "
    "NOCASE";

[[noreturn]] void RaiseTransactionState(const char* description) {
  throw Error(db::kDbGenericFailure, std::string(kErrorSource), description);
}

// The backend opens the file as it is found; the journal mode is decided once the file is known.
SqliteOptions AsFound(SqliteOptions options) {
  options.write_ahead_log = false;
  return options;
}

bool HoldsSuiteSchema(sqlite3* handle) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(handle, kSuiteSchemaProbeSql, -1, &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return false;
  }
  const bool found = sqlite3_step(statement) == SQLITE_ROW;
  sqlite3_finalize(statement);
  return found;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, SqliteOptions options)
    : backend_(path, AsFound(options)),
      interpreter_(backend_),
      procedures_(options.procedures ? options.procedures : SuiteProcedures()) {
  // Switching to WAL writes to the file and leaves -wal and -shm files beside it: a file that is
  // not the suite's database (a mistyped name, someone else's database) is left as it was.
  if (!options.write_ahead_log || !HoldsSuiteSchema(backend_.handle())) return;
  if (sqlite3_exec(backend_.handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    db::DbError error;
    error.kind = db::DbErrorKind::kConnection;
    error.source = std::string(kErrorSource);
    error.description =
        "Cannot set up database '" + path + "': " + sqlite3_errmsg(backend_.handle());
    error.statement = path;
    throw db::DatabaseException(std::move(error));
  }
}

void SqliteConnection::Raise(const db::DatabaseException& exception, std::string_view statement) {
  db::DbError error = exception.error();
  if (error.statement.empty()) error.statement = std::string(statement);
  // SQLite rolls back on its own after SQLITE_FULL, SQLITE_IOERR and the like; what the call runs
  // after that must not go to the database one statement at a time.
  if (in_transaction_ && !lost_transaction_ && !backend_.InTransaction()) lost_transaction_ = error;
  errors_.Add(error);
  throw Error(error.number, error.source, error.description);
}

void SqliteConnection::RefuseWhenTransactionLost() {
  if (!lost_transaction_) return;
  errors_.Add(*lost_transaction_);
  throw Error(lost_transaction_->number, lost_transaction_->source, lost_transaction_->description);
}

db::RecordsetPtr SqliteConnection::Execute(std::string_view sql) {
  errors_.Clear();
  RefuseWhenTransactionLost();
  try {
    tsql::BatchResult result = interpreter_.Run(sql);
    if (!result.first_result) return std::make_shared<db::Recordset>();
    return BuildRecordset(std::move(*result.first_result));
  } catch (const db::DatabaseException& exception) {
    Raise(exception, sql);
  }
}

void SqliteConnection::CallProcedure(std::string_view name, db::Parameters& parameters) {
  errors_.Clear();
  RefuseWhenTransactionLost();
  try {
    const Procedure* procedure = procedures_->Find(name);
    if (procedure == nullptr) RaiseUnknownProcedure(name);
    (*procedure)(*this, parameters);
  } catch (const db::DatabaseException& exception) {
    Raise(exception, name);
  }
  // A cb::Error from a statement the procedure ran has already left its entry in Errors.
}

void SqliteConnection::BeginTrans() {
  if (InTransaction()) RaiseTransactionState("A transaction is already active.");
  errors_.Clear();
  try {
    backend_.RunNative("BEGIN IMMEDIATE");
  } catch (const db::DatabaseException& exception) {
    Raise(exception, "BEGIN IMMEDIATE");
  }
  in_transaction_ = true;
}

void SqliteConnection::CommitTrans() {
  if (!InTransaction()) RaiseTransactionState("No transaction is active.");
  errors_.Clear();
  RefuseWhenTransactionLost();
  try {
    backend_.RunNative("COMMIT");
  } catch (const db::DatabaseException& exception) {
    // A COMMIT that fails may leave the transaction open (SQLITE_BUSY) or end it (an I/O error).
    if (!backend_.InTransaction()) in_transaction_ = false;
    Raise(exception, "COMMIT");
  }
  in_transaction_ = false;
}

void SqliteConnection::RollbackTrans() {
  if (!InTransaction()) RaiseTransactionState("No transaction is active.");
  errors_.Clear();
  in_transaction_ = false;
  lost_transaction_.reset();
  // A lost transaction has nothing left to roll back.
  if (!backend_.InTransaction()) return;
  try {
    backend_.RunNative("ROLLBACK");
  } catch (const db::DatabaseException& exception) {
    Raise(exception, "ROLLBACK");
  }
}

bool SqliteConnection::InTransaction() const {
  return in_transaction_;
}

std::shared_ptr<SqliteConnection> OpenSqliteConnection(const std::string& path,
                                                       SqliteOptions options) {
  return std::make_shared<SqliteConnection>(path, std::move(options));
}

}  // namespace cb::sqlite
