// Raising the dialect layer's errors: text it cannot read and text outside the subset it runs.
#pragma once

#include <string_view>

#include "platform/tsql/batch.h"

namespace cb::tsql {

// Raises db::DatabaseException of kind kSyntax, native 102: "Incorrect syntax near '<near>' at line
// L, column C". An empty `near` reads as the end of the batch.
[[noreturn]] void RaiseSyntax(std::string_view near, SourcePos pos);

// Raises db::DatabaseException of kind kUnsupported:
// "Unsupported T-SQL construct '<construct>' at line L, column C".
[[noreturn]] void RaiseUnsupported(std::string_view construct, SourcePos pos);

// Raises db::DatabaseException of kind kSyntax with a description of its own followed by the
// position.
[[noreturn]] void RaiseInvalid(std::string_view what, SourcePos pos);

// Raises db::DatabaseException of kind kConstraint, native 544: a value given for the identity
// column of `table`.
[[noreturn]] void RaiseExplicitIdentity(std::string_view table);
// Raises db::DatabaseException of kind kConstraint, native 8102: an UPDATE of the identity column.
[[noreturn]] void RaiseIdentityUpdate(std::string_view column);

// Raises db::DatabaseException of kind kNoSuchObject with a description of its own, the position
// and the server's number (208 for a table, 207 for a column).
[[noreturn]] void RaiseNoSuchObject(std::string_view what, SourcePos pos, int native_error = 0);

// Raises db::DatabaseException of kind kConversion for a numeric literal the layer cannot hold
// exactly: native 1007 past the server's 38 digits, otherwise 8115 (the layer's decimals end near
// 1.7E28, short of the server's 38 digits).
[[noreturn]] void RaiseNumberOutOfRange(std::string_view number, SourcePos pos);

}  // namespace cb::tsql
