// The tokens of a T-SQL batch as the lexer hands them to the parser.
#pragma once

#include <string>

#include "platform/tsql/batch.h"

namespace cb::tsql {

enum class TokenKind {
  kWord,            // identifier or keyword as written: Select, FQty, t1
  kQuotedName,      // [name]: never a keyword; text holds the name without brackets
  kTempName,        // #name: text holds '#' and the name
  kVariable,        // @name: text holds the name without '@'
  kSystemVariable,  // @@name: text holds the name without '@@'
  kNumber,          // 12, 1.5, .5, 1e-3: text as written
  kString,          // 'it''s': text holds the value with quotes undoubled
  kSymbol,          // ( ) , . ; + - * / = <> < > <= >=
  kEnd,             // end of the batch
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  SourcePos pos;
};

}  // namespace cb::tsql
