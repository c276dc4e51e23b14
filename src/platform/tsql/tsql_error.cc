// Builds the dialect layer's error descriptions and raises them as database errors.
#include "platform/tsql/tsql_error.h"

#include <string>

#include "platform/db/database_error.h"

namespace cb::tsql {
namespace {

constexpr const char* kSource = "T-SQL";
constexpr int kNativeSyntax = 102;
constexpr int kNativeExplicitIdentity = 544;
constexpr int kNativeIdentityUpdate = 8102;
constexpr int kNativeNumberOutOfRange = 1007;
constexpr int kNativeArithmeticOverflow = 8115;
constexpr size_t kServerMaxPrecision = 38;

std::string Where(SourcePos pos) {
  return " at line " + std::to_string(pos.line) + ", column " + std::to_string(pos.column);
}

[[noreturn]] void Raise(db::DbErrorKind kind, std::string description, int native_error = 0) {
  db::DbError error;
  error.number = db::kDbErrorsInCommand;
  error.native_error = native_error;
  error.kind = kind;
  error.source = kSource;
  error.description = std::move(description);
  throw db::DatabaseException(std::move(error));
}

}  // namespace

void RaiseSyntax(std::string_view near, SourcePos pos) {
  if (near.empty()) {
    Raise(db::DbErrorKind::kSyntax, "Incorrect syntax near the end of the batch" + Where(pos),
          kNativeSyntax);
  }
  Raise(db::DbErrorKind::kSyntax, "Incorrect syntax near '" + std::string(near) + "'" + Where(pos),
        kNativeSyntax);
}

void RaiseUnsupported(std::string_view construct, SourcePos pos) {
  Raise(db::DbErrorKind::kUnsupported,
        "Unsupported T-SQL construct '" + std::string(construct) + "'" + Where(pos));
}

void RaiseInvalid(std::string_view what, SourcePos pos) {
  Raise(db::DbErrorKind::kSyntax, std::string(what) + Where(pos));
}

void RaiseExplicitIdentity(std::string_view table) {
  Raise(db::DbErrorKind::kConstraint,
        "Cannot insert explicit value for identity column in table '" + std::string(table) +
            "' when IDENTITY_INSERT is set to OFF.",
        kNativeExplicitIdentity);
}

void RaiseIdentityUpdate(std::string_view column) {
  Raise(db::DbErrorKind::kConstraint,
        "Cannot update identity column '" + std::string(column) + "'.", kNativeIdentityUpdate);
}

void RaiseNumberOutOfRange(std::string_view number, SourcePos pos) {
  size_t digits = 0;
  bool leading = true;
  for (char c : number) {
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++digits;
  }
  if (digits > kServerMaxPrecision) {
    Raise(db::DbErrorKind::kConversion,
          "The number '" + std::string(number) +
              "' is out of the range for numeric representation (maximum precision 38)" +
              Where(pos),
          kNativeNumberOutOfRange);
  }
  Raise(db::DbErrorKind::kConversion,
        "Arithmetic overflow error converting numeric to data type numeric" + Where(pos),
        kNativeArithmeticOverflow);
}

void RaiseNoSuchObject(std::string_view what, SourcePos pos, int native_error) {
  Raise(db::DbErrorKind::kNoSuchObject, std::string(what) + Where(pos), native_error);
}

}  // namespace cb::tsql
