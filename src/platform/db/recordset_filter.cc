// Filter expressions: a small recursive-descent reader and a row matcher under variant rules.
#include "platform/db/recordset_filter.h"

#include <cctype>
#include <charconv>

#include "platform/db/db_error_codes.h"
#include "platform/db/name_compare.h"
#include "platform/variant/date.h"
#include "platform/variant/error.h"

namespace cb::db {

namespace {

constexpr const char* kSource = "Recordset";
// Deeper nesting than any real filter; it keeps hostile text from exhausting the stack.
constexpr int kMaxDepth = 64;

[[noreturn]] void RaiseBadFilter() {
  throw Error(kErrBadArguments, kSource, kTextBadArguments);
}

enum class TokenKind { kEnd, kName, kNumber, kString, kDate, kOp, kOpen, kClose };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // names and strings unquoted; numbers and dates as written
  FilterExpression::Op op = FilterExpression::Op::kEq;
};

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNamePart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    Token token;
    if (pos_ >= text_.size()) return token;
    const char c = text_[pos_];
    if (c == '(' || c == ')') {
      token.kind = c == '(' ? TokenKind::kOpen : TokenKind::kClose;
      ++pos_;
    } else if (c == '[') {
      const size_t close = text_.find(']', pos_);
      if (close == std::string_view::npos) RaiseBadFilter();
      token.kind = TokenKind::kName;
      token.text = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
    } else if (IsNameStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && IsNamePart(text_[pos_])) ++pos_;
      token.kind = TokenKind::kName;
      token.text = std::string(text_.substr(start, pos_ - start));
    } else if (c == '\'') {
      token.kind = TokenKind::kString;
      token.text = ReadQuoted();
    } else if (c == '#') {
      const size_t close = text_.find('#', pos_ + 1);
      if (close == std::string_view::npos) RaiseBadFilter();
      token.kind = TokenKind::kDate;
      token.text = std::string(text_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
    } else if (IsDigit(c) || c == '.' || c == '-' || c == '+') {
      token.kind = TokenKind::kNumber;
      token.text = ReadNumber();
    } else {
      token.kind = TokenKind::kOp;
      token.op = ReadOperator();
    }
    return token;
  }

 private:
  std::string ReadQuoted() {
    std::string value;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      if (text_[pos_] != '\'') {
        value += text_[pos_];
      } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
        value += '\'';
        ++pos_;
      } else {
        ++pos_;
        return value;
      }
    }
    RaiseBadFilter();
  }

  std::string ReadNumber() {
    const size_t start = pos_;
    if (text_[pos_] == '-' || text_[pos_] == '+') ++pos_;
    while (pos_ < text_.size() && (IsDigit(text_[pos_]) || text_[pos_] == '.')) ++pos_;
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
  }

  FilterExpression::Op ReadOperator() {
    using Op = FilterExpression::Op;
    const char c = text_[pos_++];
    const char next = pos_ < text_.size() ? text_[pos_] : '\0';
    switch (c) {
      case '=':
        return Op::kEq;
      case '<':
        if (next == '>') return ++pos_, Op::kNe;
        if (next == '=') return ++pos_, Op::kLe;
        return Op::kLt;
      case '>':
        if (next == '=') return ++pos_, Op::kGe;
        return Op::kGt;
      default:
        RaiseBadFilter();
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
};

class Parser {
 public:
  Parser(std::string_view text, const std::vector<ColumnDef>& columns,
         std::vector<FilterExpression::Node>& nodes)
      : lexer_(text), columns_(columns), nodes_(nodes) {
    Advance();
  }

  size_t ParseWhole() {
    const size_t root = ParseOr(0);
    if (current_.kind != TokenKind::kEnd) RaiseBadFilter();
    return root;
  }

 private:
  using Node = FilterExpression::Node;

  void Advance() { current_ = lexer_.Next(); }
  bool AtKeyword(std::string_view word) const {
    return current_.kind == TokenKind::kName && EqualsIgnoreCase(current_.text, word);
  }

  size_t Add(Node node) {
    nodes_.push_back(std::move(node));
    return nodes_.size() - 1;
  }

  size_t Join(Node::Kind kind, size_t left, size_t right) {
    Node node;
    node.kind = kind;
    node.left = left;
    node.right = right;
    return Add(std::move(node));
  }

  size_t ParseOr(int depth) {
    size_t left = ParseAnd(depth);
    while (AtKeyword("OR")) {
      Advance();
      left = Join(Node::Kind::kOr, left, ParseAnd(depth));
    }
    return left;
  }

  size_t ParseAnd(int depth) {
    size_t left = ParsePrimary(depth);
    while (AtKeyword("AND")) {
      Advance();
      left = Join(Node::Kind::kAnd, left, ParsePrimary(depth));
    }
    return left;
  }

  size_t ParsePrimary(int depth) {
    if (current_.kind == TokenKind::kOpen) {
      if (depth >= kMaxDepth) RaiseBadFilter();
      Advance();
      const size_t inner = ParseOr(depth + 1);
      if (current_.kind != TokenKind::kClose) RaiseBadFilter();
      Advance();
      return inner;
    }
    return ParseComparison();
  }

  size_t ParseComparison() {
    if (current_.kind != TokenKind::kName || AtKeyword("AND") || AtKeyword("OR") ||
        AtKeyword("NULL")) {
      RaiseBadFilter();
    }
    const std::optional<size_t> column = FindColumn(columns_, current_.text);
    if (!column) throw Error(kErrItemNotFound, kSource, kTextItemNotFound);
    Advance();
    if (current_.kind != TokenKind::kOp) RaiseBadFilter();
    Node node;
    node.kind = Node::Kind::kCompare;
    node.column = *column;
    node.op = current_.op;
    Advance();
    node.literal = ReadLiteral();
    if (node.literal.kind == FilterExpression::LiteralKind::kNull &&
        node.op != FilterExpression::Op::kEq && node.op != FilterExpression::Op::kNe) {
      RaiseBadFilter();
    }
    return Add(std::move(node));
  }

  FilterExpression::Literal ReadLiteral() {
    using Kind = FilterExpression::LiteralKind;
    FilterExpression::Literal literal;
    literal.text = current_.text;
    switch (current_.kind) {
      case TokenKind::kString:
        literal.kind = Kind::kString;
        break;
      case TokenKind::kNumber: {
        const std::optional<double> value = ParseNumber(current_.text);
        if (!value) RaiseBadFilter();
        literal.kind = Kind::kNumber;
        literal.number = *value;
        break;
      }
      case TokenKind::kDate: {
        const std::optional<double> day = ParseDate(current_.text);
        if (!day) RaiseBadFilter();
        literal.kind = Kind::kDate;
        literal.number = *day;
        break;
      }
      default:
        if (!AtKeyword("NULL")) RaiseBadFilter();
        literal.kind = Kind::kNull;
        break;
    }
    Advance();
    return literal;
  }

  Lexer lexer_;
  const std::vector<ColumnDef>& columns_;
  std::vector<FilterExpression::Node>& nodes_;
  Token current_;
};

int Sign(double a, double b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
  return CompareIgnoreCase(TrimTrailingBlanks(a), TrimTrailingBlanks(b));
}

// Orders a field value against a literal that is not NULL; nullopt when the field is Null, which
// satisfies no comparison. A value of one kind is read as the other's kind where it can be (numeric
// text as a number, date text as a date) and otherwise both compare as text.
std::optional<int> CompareToLiteral(const Variant& field,
                                    const FilterExpression::Literal& literal) {
  using Kind = FilterExpression::LiteralKind;
  if (field.IsNull()) return std::nullopt;
  const bool field_is_text = field.IsString();
  if (literal.kind == Kind::kString && (field_is_text || field.IsEmpty())) {
    return CompareText(field.IsEmpty() ? std::string() : field.ToString(), literal.text);
  }
  std::optional<double> field_value;
  std::optional<double> literal_value;
  if (field_is_text) {
    field_value =
        literal.kind == Kind::kDate ? ParseDate(field.ToString()) : ParseNumber(field.ToString());
    literal_value = literal.number;
  } else {
    field_value = field.IsDate() ? field.ToDate() : field.ToDouble();
    if (literal.kind == Kind::kString) {
      literal_value = field.IsDate() ? ParseDate(literal.text) : ParseNumber(literal.text);
    } else {
      literal_value = literal.number;
    }
  }
  if (field_value && literal_value) return Sign(*field_value, *literal_value);
  return CompareText(field.ToString(), literal.text);
}

bool Holds(FilterExpression::Op op, int order) {
  using Op = FilterExpression::Op;
  switch (op) {
    case Op::kEq:
      return order == 0;
    case Op::kNe:
      return order != 0;
    case Op::kLt:
      return order < 0;
    case Op::kGt:
      return order > 0;
    case Op::kLe:
      return order <= 0;
    case Op::kGe:
      return order >= 0;
  }
  return false;
}

}  // namespace

FilterExpression FilterExpression::Parse(std::string_view text,
                                         const std::vector<ColumnDef>& columns) {
  FilterExpression filter;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    filter.nodes_.push_back(Node{});
    return filter;
  }
  Parser parser(text, columns, filter.nodes_);
  filter.root_ = parser.ParseWhole();
  return filter;
}

bool FilterExpression::Matches(const std::vector<Variant>& row) const {
  return MatchNode(root_, row);
}

bool FilterExpression::MatchNode(size_t index, const std::vector<Variant>& row) const {
  const Node& node = nodes_[index];
  switch (node.kind) {
    case Node::Kind::kAll:
      return true;
    case Node::Kind::kAnd:
      return MatchNode(node.left, row) && MatchNode(node.right, row);
    case Node::Kind::kOr:
      return MatchNode(node.left, row) || MatchNode(node.right, row);
    case Node::Kind::kCompare:
      break;
  }
  const Variant& field = row.at(node.column);
  if (node.literal.kind == LiteralKind::kNull) {
    return field.IsNull() == (node.op == Op::kEq);
  }
  const std::optional<int> order = CompareToLiteral(field, node.literal);
  return order && Holds(node.op, *order);
}

}  // namespace cb::db
