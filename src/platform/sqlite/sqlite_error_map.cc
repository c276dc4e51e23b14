// SQLite result codes and messages to DbErrorKind, native codes and descriptions.
#include "platform/sqlite/sqlite_error_map.h"

#include <sqlite3.h>

#include <string>

namespace cb::sqlite {
namespace {

struct MessageRule {
  std::string_view prefix;  // SQLite's message up to the object name
  db::DbErrorKind kind;
  int native;
  std::string_view before;  // the description around the object name
  std::string_view after;
};

// SQLite reports these as SQLITE_ERROR; only the message tells them apart.
constexpr MessageRule kMessageRules[] = {
    {"no such table: ", db::DbErrorKind::kNoSuchObject, 208, "Invalid object name '", "'."},
    {"no such column: ", db::DbErrorKind::kNoSuchObject, 207, "Invalid column name '", "'."},
    {"no such function: ", db::DbErrorKind::kNoSuchObject, 195, "'",
     "' is not a recognized built-in function name."},
    {"table ", db::DbErrorKind::kObjectExists, 2714, "There is already an object named '",
     "' in the database."},
    {"ambiguous column name: ", db::DbErrorKind::kSyntax, 209, "Ambiguous column name '", "'."},
};

// SQLite names the object as the statement wrote it: with a schema, and quoted or bracketed.
std::string_view BareName(std::string_view name) {
  for (std::string_view schema : {"temp.", "main."}) {
    if (name.substr(0, schema.size()) == schema) name = name.substr(schema.size());
  }
  if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                           (name.front() == '[' && name.back() == ']'))) {
    name = name.substr(1, name.size() - 2);
  }
  return name;
}

bool ApplyMessageRule(std::string_view message, db::DbError& error) {
  for (const MessageRule& rule : kMessageRules) {
    if (message.substr(0, rule.prefix.size()) != rule.prefix) continue;
    std::string_view name = message.substr(rule.prefix.size());
    if (rule.kind == db::DbErrorKind::kObjectExists) {
      constexpr std::string_view kExists = " already exists";
      if (name.size() <= kExists.size() || name.substr(name.size() - kExists.size()) != kExists) {
        continue;
      }
      name = name.substr(0, name.size() - kExists.size());
    }
    name = BareName(name);
    error.kind = rule.kind;
    error.native_error = rule.native;
    error.description = std::string(rule.before) + std::string(name) + std::string(rule.after);
    return true;
  }
  return false;
}

// "NOT NULL constraint failed: t.FQty" names the table and the column.
std::string NullColumnText(std::string_view message, std::string_view statement) {
  std::string_view target = message.substr(
      message.find(": ") == std::string_view::npos ? message.size() : message.find(": ") + 2);
  size_t dot = target.rfind('.');
  std::string_view table = dot == std::string_view::npos ? "" : target.substr(0, dot);
  std::string_view column = dot == std::string_view::npos ? target : target.substr(dot + 1);
  bool update = statement.find("UPDATE") != std::string_view::npos &&
                statement.find("INSERT") == std::string_view::npos;
  return "Cannot insert the value NULL into column '" + std::string(column) + "', table '" +
         std::string(table) + "'; column does not allow nulls. " +
         (update ? "UPDATE fails." : "INSERT fails.");
}

std::string_view ConstrainedTable(std::string_view message) {
  size_t colon = message.find(": ");
  std::string_view target = colon == std::string_view::npos ? "" : message.substr(colon + 2);
  return target.substr(0, target.find('.'));
}

void ApplyConstraintRule(int extended_code, std::string_view message, std::string_view statement,
                         db::DbError& error) {
  error.kind = db::DbErrorKind::kConstraint;
  switch (extended_code) {
    case SQLITE_CONSTRAINT_NOTNULL:
      error.native_error = 515;
      error.description = NullColumnText(message, statement);
      return;
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
      error.native_error = 2627;
      error.description =
          "Violation of PRIMARY KEY or UNIQUE KEY constraint. Cannot insert "
          "duplicate key in object '" +
          std::string(ConstrainedTable(message)) + "'.";
      return;
    default:
      error.native_error = 547;
      error.description = "The statement conflicted with a constraint on table '" +
                          std::string(ConstrainedTable(message)) + "'.";
  }
}

// What the caller reads for a failure no rule names: the server's wording, never SQLite's text.
void ApplyUnnamed(int extended_code, db::DbError& error) {
  error.kind = db::DbErrorKind::kOther;
  error.native_error = 50000;
  error.description =
      "The statement failed in the database (native code " + std::to_string(extended_code) + ").";
}

}  // namespace

db::DbError MapSqliteError(int extended_code, std::string_view message,
                           std::string_view statement) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.source = std::string(kErrorSource);
  error.statement = std::string(statement);
  error.description = std::string(message);
  error.native_error = extended_code;
  switch (extended_code & 0xff) {
    case SQLITE_ERROR:
      if (!ApplyMessageRule(message, error)) ApplyUnnamed(extended_code, error);
      break;
    case SQLITE_CONSTRAINT:
      ApplyConstraintRule(extended_code, message, statement, error);
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      error.kind = db::DbErrorKind::kBusy;
      error.native_error = 1222;
      error.description = "Lock request time out period exceeded.";
      break;
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
    case SQLITE_RANGE:
      error.kind = db::DbErrorKind::kConversion;
      error.native_error = 8114;
      error.description = "Error converting data type.";
      break;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_FULL:
    case SQLITE_PERM:
    case SQLITE_MISUSE:
      error.kind = db::DbErrorKind::kConnection;
      error.number = db::kDbGenericFailure;
      break;
    default:
      ApplyUnnamed(extended_code, error);
  }
  return error;
}

}  // namespace cb::sqlite
