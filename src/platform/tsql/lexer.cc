// A hand-written scanner for the T-SQL subset; positions count lines from 1 and bytes within a
// line.
#include "platform/tsql/lexer.h"

#include <cstddef>

#include "platform/tsql/tsql_error.h"

namespace cb::tsql {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) {
  return IsNameStart(c) || IsDigit(c) || c == '@' || c == '#' || c == '$';
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    while (true) {
      SkipBlanksAndComments();
      if (at_ >= text_.size()) break;
      tokens.push_back(Next());
    }
    tokens.push_back(Token{TokenKind::kEnd, "", pos_});
    return tokens;
  }

 private:
  char Peek(size_t ahead = 0) const {
    return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
  }

  void Advance() {
    if (text_[at_] == '\n') {
      ++pos_.line;
      pos_.column = 1;
    } else {
      ++pos_.column;
    }
    ++at_;
  }

  void SkipBlanksAndComments() {
    while (at_ < text_.size()) {
      char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
        Advance();
      } else if (c == '-' && Peek(1) == '-') {
        while (at_ < text_.size() && Peek() != '\n') Advance();
      } else if (c == '/' && Peek(1) == '*') {
        SkipBlockComment();
      } else {
        return;
      }
    }
  }

  // Block comments nest, as they do on the server.
  void SkipBlockComment() {
    SourcePos start = pos_;
    int depth = 0;
    while (at_ < text_.size()) {
      if (Peek() == '/' && Peek(1) == '*') {
        ++depth;
        Advance();
        Advance();
      } else if (Peek() == '*' && Peek(1) == '/') {
        --depth;
        Advance();
        Advance();
        if (depth == 0) return;
      } else {
        Advance();
      }
    }
    RaiseInvalid("Missing end comment mark '*/'", start);
  }

  Token Next() {
    Token token;
    token.pos = pos_;
    char c = Peek();
    if (c == '\'') return String(token);
    if ((c == 'N' || c == 'n') && Peek(1) == '\'') RaiseUnsupported("N'...' string", pos_);
    if (c == '"') RaiseUnsupported("double-quoted identifier", pos_);
    if (c == '[') return Bracketed(token);
    if (c == '#') return Prefixed(token, TokenKind::kTempName, 1);
    if (c == '@') {
      if (Peek(1) == '@') return Prefixed(token, TokenKind::kSystemVariable, 2);
      return Prefixed(token, TokenKind::kVariable, 1);
    }
    if (IsDigit(c) || (c == '.' && IsDigit(Peek(1)))) return Number(token);
    if (IsNameStart(c)) {
      token.kind = TokenKind::kWord;
      while (at_ < text_.size() && IsNameChar(Peek())) {
        token.text += Peek();
        Advance();
      }
      return token;
    }
    return Symbol(token);
  }

  Token String(Token& token) {
    token.kind = TokenKind::kString;
    Advance();
    while (true) {
      if (at_ >= text_.size()) RaiseInvalid("Unclosed quotation mark", token.pos);
      if (Peek() == '\'') {
        if (Peek(1) != '\'') break;
        Advance();
      }
      token.text += Peek();
      Advance();
    }
    Advance();
    return token;
  }

  Token Bracketed(Token& token) {
    token.kind = TokenKind::kQuotedName;
    Advance();
    while (true) {
      if (at_ >= text_.size()) RaiseInvalid("Unclosed bracket", token.pos);
      if (Peek() == ']') {
        if (Peek(1) != ']') break;
        RaiseUnsupported("']' inside a bracketed name", pos_);
      }
      token.text += Peek();
      Advance();
    }
    Advance();
    if (token.text.empty()) RaiseSyntax("[]", token.pos);
    return token;
  }

  // #name, @name and @@name: `skip` prefix characters, then name characters.
  Token Prefixed(Token& token, TokenKind kind, size_t skip) {
    token.kind = kind;
    if (kind == TokenKind::kTempName) {
      if (Peek(1) == '#') RaiseUnsupported("##global temporary table", pos_);
      token.text = "#";
    }
    for (size_t i = 0; i < skip; ++i) Advance();
    size_t start = at_;
    while (at_ < text_.size() && IsNameChar(Peek())) {
      token.text += Peek();
      Advance();
    }
    if (at_ == start) RaiseSyntax(std::string(skip, text_[start - 1]), token.pos);
    return token;
  }

  Token Number(Token& token) {
    token.kind = TokenKind::kNumber;
    auto take_digits = [&] {
      while (IsDigit(Peek())) {
        token.text += Peek();
        Advance();
      }
    };
    if (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X'))
      RaiseUnsupported("binary literal", pos_);
    take_digits();
    if (Peek() == '.') {
      token.text += '.';
      Advance();
      take_digits();
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
      token.text += Peek();
      Advance();
      if (Peek() == '+' || Peek() == '-') {
        token.text += Peek();
        Advance();
      }
      take_digits();
    }
    return token;
  }

  Token Symbol(Token& token) {
    token.kind = TokenKind::kSymbol;
    char c = Peek();
    char next = Peek(1);
    if (c == '%') RaiseUnsupported("%", pos_);
    if (c == '!')
      RaiseUnsupported(next == '=' || next == '<' || next == '>' ? std::string{c, next} : "!",
                       pos_);
    if ((c == '<' && (next == '>' || next == '=')) || (c == '>' && next == '=')) {
      token.text = {c, next};
      Advance();
      Advance();
      return token;
    }
    static constexpr std::string_view kSingles = "(),.;+-*/=<>";
    if (kSingles.find(c) == std::string_view::npos) {
      RaiseSyntax(std::string(1, c), pos_);
    }
    token.text = std::string(1, c);
    Advance();
    return token;
  }

  std::string_view text_;
  size_t at_ = 0;
  SourcePos pos_;
};

}  // namespace

std::vector<Token> Lex(std::string_view text) {
  return Scanner(text).Run();
}

}  // namespace cb::tsql
