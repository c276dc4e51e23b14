// What went wrong in the database: one entry of a connection's Errors collection, and the exception
// that carries it out of a backend.
#pragma once

#include <cstdint>
#include <string>

#include "platform/variant/error.h"

namespace cb::db {

enum class DbErrorKind {
  kSyntax,        // the text is not T-SQL the layer can read
  kUnsupported,   // readable T-SQL outside what the layer runs with SQL Server's meaning
  kNoSuchObject,  // unknown table, column, variable or procedure
  kObjectExists,  // creating a table that exists
  kConstraint,    // NOT NULL, UNIQUE, PRIMARY KEY, CHECK
  kDivideByZero,
  kConversion,  // a value that does not convert to the type asked for
  kBusy,        // locked by another connection beyond the busy timeout
  kConnection,  // cannot open or use the database file
  kOther,
};

// Error numbers as the data-access layer reports them (the platform's HRESULT values).
inline constexpr int32_t kDbErrorsInCommand =
    static_cast<int32_t>(0x80040E14);  // DB_E_ERRORSINCOMMAND
inline constexpr int32_t kDbGenericFailure = static_cast<int32_t>(0x80004005);  // E_FAIL

struct DbError {
  int32_t number = kDbGenericFailure;
  std::string description;
  int32_t native_error = 0;  // the backend's own code (SQL Server message number where one applies)
  std::string source;        // who reported it
  DbErrorKind kind = DbErrorKind::kOther;
  std::string statement;    // the statement or batch that failed, for debugging
  int line = 0;             // line of the batch where the failing statement starts; 0 when unknown
  bool is_warning = false;  // informational messages that are not real errors
};

// Raised by backends and by the dialect layer; Connection::Execute records it in Errors and raises
// a cb::Error with the same number and description.
class DatabaseException : public Error {
 public:
  explicit DatabaseException(DbError error)
      : Error(error.number, error.source, error.description), error_(std::move(error)) {}
  const DbError& error() const { return error_; }
  DbError& error() { return error_; }

 private:
  DbError error_;
};

}  // namespace cb::db
