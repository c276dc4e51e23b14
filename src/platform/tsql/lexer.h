// Splits a T-SQL batch into tokens, dropping blanks and comments.
#pragma once

#include <string_view>
#include <vector>

#include "platform/tsql/token.h"

namespace cb::tsql {

// Returns the tokens of `text`, ending with one kEnd token. Raises db::DatabaseException: kSyntax
// for an unterminated string, bracket or comment and for a character that starts no token;
// kUnsupported for N'…' strings, "…" identifiers, ##global names, '%', '!=' and the other '!'
// operators.
std::vector<Token> Lex(std::string_view text);

}  // namespace cb::tsql
