// The type pass: each expression's server type, and the conversions that make a native value stand
// for a value of another type.
#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "platform/tsql/emitter.h"
#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"
#include "platform/variant/decimal.h"

namespace cb::tsql {
namespace {

const Expr& StripParens(const Expr& expr) {
  return expr.kind == ExprKind::kParen ? StripParens(*expr.args[0]) : expr;
}

// The exact value of a number literal, or of a minus sign before one; nullopt for anything else.
std::optional<Decimal> LiteralValue(const Expr& expr) {
  const Expr& bare = StripParens(expr);
  if (bare.kind == ExprKind::kNegate) {
    std::optional<Decimal> inner = LiteralValue(*bare.args[0]);
    if (inner) return inner->Negated();
    return std::nullopt;
  }
  if (bare.kind != ExprKind::kNumber) return std::nullopt;
  if (bare.text.find_first_of("eE") != std::string::npos) {
    return Decimal::FromDouble(std::strtod(bare.text.c_str(), nullptr));
  }
  return Decimal::Parse(bare.text);
}

std::string BlobConstant(const Decimal& value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "X'";
  for (unsigned char byte : value.Encode()) {
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out + "'";
}

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The expression under its parentheses and minus signs.
const Expr& StripSigns(const Expr& expr) {
  const Expr* bare = &StripParens(expr);
  while (bare->kind == ExprKind::kNegate) bare = &StripParens(*bare->args[0]);
  return *bare;
}

// Whether a value of `source` may lie outside the range of the integer type `target`: a constant
// is known, a narrower integer or a bit always fits; dates keep the write they have.
bool MayExceed(const Expr& expr, ValueType source, ValueType target) {
  if (std::optional<Decimal> literal = LiteralValue(expr)) {
    std::optional<int64_t> whole = literal->TruncatedInt();
    return !whole || *whole < IntegerMin(target.bytes) || *whole > IntegerMax(target.bytes);
  }
  switch (source.family) {
    case TypeFamily::kInt:
      return source.bytes > target.bytes;
    case TypeFamily::kBigInt:
    case TypeFamily::kDecimal:
    case TypeFamily::kFloat:
    case TypeFamily::kText:
    case TypeFamily::kUnknown:
      return true;
    default:
      return false;
  }
}

bool IsIntegerFamily(ValueType type) {
  return type.Is(TypeFamily::kInt) || type.Is(TypeFamily::kBigInt) || type.Is(TypeFamily::kBit);
}

}  // namespace

ValueType Emitter::TypeOf(const Expr& expr) {
  switch (expr.kind) {
    case ExprKind::kColumn:
      return TypeOfDeclared(DeclaredType(expr));
    case ExprKind::kVariable:
      return TypeOfDeclared(catalog_.VariableType(expr.text));
    case ExprKind::kRowCount:
      return ValueType::Of(TypeFamily::kInt);
    case ExprKind::kNumber:
      return TypeOfNumber(expr.text);
    case ExprKind::kString:
      return ValueType::Of(TypeFamily::kText);
    case ExprKind::kNull:
      return ValueType::Of(TypeFamily::kNull);
    case ExprKind::kParen:
    case ExprKind::kNegate:
      return TypeOf(*expr.args[0]);
    case ExprKind::kArith:
      return ArithmeticType(expr.text[0], TypeOf(*expr.args[0]), TypeOf(*expr.args[1]));
    case ExprKind::kSubquery: {
      std::vector<ValueType> items = ItemTypes(*expr.select);
      return items.empty() ? ValueType::Of(TypeFamily::kUnknown) : items[0];
    }
    case ExprKind::kFunction:
      return FunctionType(expr);
    case ExprKind::kCast:
    case ExprKind::kConvert:
      return TypeOfSql(expr.type);
    case ExprKind::kCase: {
      ValueType type = ValueType::Of(TypeFamily::kNull);
      size_t pairs = expr.args.size() - (expr.has_else ? 1 : 0);
      for (size_t i = 1; i < pairs; i += 2) type = CommonType(type, TypeOf(*expr.args[i]));
      if (expr.has_else) type = CommonType(type, TypeOf(*expr.args.back()));
      return type;
    }
    case ExprKind::kStar:
      return ValueType::Of(TypeFamily::kUnknown);
    default:  // predicates
      return ValueType::Of(TypeFamily::kBit);
  }
}

ValueType Emitter::FunctionType(const Expr& call) {
  const std::string& name = call.text;
  if (name == "GETDATE") return ValueType::Of(TypeFamily::kDate);
  if (name == "COUNT" || name == "LEN") return ValueType::Of(TypeFamily::kInt);
  if (name == "LEFT" || name == "UPPER" || name == "LOWER" || name == "LTRIM" || name == "RTRIM") {
    return ValueType::Of(TypeFamily::kText);
  }
  ValueType first = TypeOf(*call.args[0]);
  if (name == "ISNULL") return first.Is(TypeFamily::kNull) ? TypeOf(*call.args[1]) : first;
  if (name == "SUM" || name == "AVG") {
    if (first.Is(TypeFamily::kDecimal)) {
      return ValueType::Decimal(38, name == "SUM" ? first.scale : std::max(first.scale, 6));
    }
    // A sum of TINYINT or SMALLINT values is an int, and may not fit its operands' type.
    if (first.Is(TypeFamily::kBit) || first.Is(TypeFamily::kNull) || first.Is(TypeFamily::kInt)) {
      return ValueType::Of(TypeFamily::kInt);
    }
    if (first.Is(TypeFamily::kText) || first.Is(TypeFamily::kDate)) {
      return ValueType::Of(TypeFamily::kUnknown);
    }
    return first;
  }
  return first;  // MIN, MAX, ABS, ROUND keep their argument's type
}

std::vector<ValueType> Emitter::ItemTypes(const Select& select) {
  const SelectCore& core = select.cores[0];
  ScopeGuard scope(*this, TablesOf(core.from));
  std::vector<ValueType> types;
  for (const SelectItem& item : core.items) {
    if (item.expr->kind != ExprKind::kStar) {
      types.push_back(TypeOf(*item.expr));
      continue;
    }
    for (const ExprPtr& column : StarColumns(core, *item.expr)) types.push_back(TypeOf(*column));
  }
  return types;
}

int Emitter::InheritedIdentity(const Select& select) {
  const SelectCore& core = select.cores[0];
  // A union, a join, a derived table or a grouping makes every column a plain value.
  if (select.cores.size() != 1 || core.from.size() != 1 || core.from[0].table.derived ||
      !core.group_by.empty()) {
    return -1;
  }
  ScopeGuard scope(*this, TablesOf(core.from));
  int found = -1;
  int position = 0;
  auto visit = [&](const Expr& value) {
    if (value.kind == ExprKind::kColumn && SameName(DeclaredType(value), "INTEGER IDENTITY")) {
      found = found == -1 ? position : -2;  // listed twice, it is numbered by neither
    }
    ++position;
  };
  for (const SelectItem& item : core.items) {
    if (item.expr->kind != ExprKind::kStar) {
      visit(*item.expr);
      continue;
    }
    for (const ExprPtr& column : StarColumns(core, *item.expr)) visit(*column);
  }
  return found >= 0 ? found : -1;
}

std::string Emitter::Converted(const Expr& expr, ValueType target) {
  ValueType source = TypeOf(expr);
  if (target.Is(TypeFamily::kDecimal)) {
    if (source.Is(TypeFamily::kNull)) return "NULL";
    if (std::optional<Decimal> literal = LiteralValue(expr)) return BlobConstant(*literal);
    // A literal (negated or not) that no decimal holds would come back here from its writer.
    const Expr& bare = StripSigns(expr);
    if (bare.kind == ExprKind::kNumber) RaiseNumberOutOfRange(bare.text, bare.pos);
    if (source.Is(TypeFamily::kDecimal)) return Expression(expr);
    return "dec(" + Expression(expr) + ")";
  }
  if (target.Is(TypeFamily::kInt) && MayExceed(expr, source, target)) {
    std::string value =
        source.Is(TypeFamily::kDecimal) ? "dec_int(" + Expression(expr) + ")" : Expression(expr);
    // An integer constant that fits an int but not the target fails naming its value.
    bool constant = LiteralValue(expr) && TypeOfNumber(StripSigns(expr).text).Is(TypeFamily::kInt);
    return "tsql_int(" + value + ", " + std::to_string(target.bytes) + (constant ? ", 1)" : ")");
  }
  if (source.Is(TypeFamily::kText) &&
      (target.Is(TypeFamily::kInt) || target.Is(TypeFamily::kBigInt))) {
    return "tsql_int(" + Expression(expr) + ")";
  }
  if (!source.Is(TypeFamily::kDecimal)) return Expression(expr);
  if (target.Is(TypeFamily::kFloat)) {
    if (std::optional<Decimal> literal = LiteralValue(expr)) return literal->ToString();
    return "dec_float(" + Expression(expr) + ")";
  }
  if (IsIntegerFamily(target)) return "dec_int(" + Expression(expr) + ")";
  if (target.Is(TypeFamily::kText)) {
    return "dec_text(" + Expression(expr) + ", " + std::to_string(source.scale) + ")";
  }
  return Expression(expr);
}

int Emitter::LongestText(const Expr& expr) {
  const Expr& bare = StripParens(expr);
  switch (bare.kind) {
    case ExprKind::kString:
      return static_cast<int>(CharacterCount(bare.text));
    case ExprKind::kColumn:
      return TypeOfDeclared(DeclaredType(bare)).length;
    case ExprKind::kCast:
    case ExprKind::kConvert:
      return IsCharacterType(bare.type) ? bare.type.length : -1;
    case ExprKind::kFunction:
      if (bare.text == "ISNULL") {
        int first = LongestText(*bare.args[0]);
        int second = LongestText(*bare.args[1]);
        return first < 0 || second < 0 ? -1 : std::max(first, second);
      }
      if (bare.text == "LEFT" && StripParens(*bare.args[1]).kind == ExprKind::kNumber) {
        return std::atoi(StripParens(*bare.args[1]).text.c_str());
      }
      return -1;
    default:
      return -1;
  }
}

std::string Emitter::WrittenChecked(const Expr& expr, ValueType column) {
  ValueType source = TypeOf(expr);
  if (column.Is(TypeFamily::kText)) {
    std::string value = Converted(expr, column);
    bool text = source.Is(TypeFamily::kText) || source.Is(TypeFamily::kUnknown);
    if (!text || column.length < 0) return value;
    // A CHAR(n) column holds every value padded to n.
    if (column.fixed) return "tsql_text(" + value + ", " + std::to_string(column.length) + ", 1)";
    // A value that cannot be longer than the column needs no check on every row.
    int longest = LongestText(expr);
    if (longest >= 0 && longest <= column.length) return value;
    return "tsql_text(" + value + ", " + std::to_string(column.length) + ")";
  }
  if (column.Is(TypeFamily::kBit)) {
    if (source.Is(TypeFamily::kBit)) return Expression(expr);
    if (source.Is(TypeFamily::kDecimal)) return "tsql_bit(dec_float(" + Expression(expr) + "))";
    return "tsql_bit(" + Expression(expr) + ")";
  }
  return AsStoredDate(expr);
}

std::string Emitter::AsStoredDate(const Expr& expr) {
  // A date column already holds the stored form; anything else is read as the server reads it.
  const Expr& bare = StripParens(expr);
  if (bare.kind == ExprKind::kColumn && TypeOf(bare).Is(TypeFamily::kDate)) {
    return Expression(expr);
  }
  return "tsql_datetime(" + Expression(expr) + ")";
}

std::string Emitter::Written(const Expr& expr, ValueType column) {
  if (StripParens(expr).kind == ExprKind::kNull) return "NULL";
  if (column.Is(TypeFamily::kText) || column.Is(TypeFamily::kBit) || column.Is(TypeFamily::kDate)) {
    return WrittenChecked(expr, column);
  }
  if (!column.Is(TypeFamily::kDecimal)) {
    return column.Is(TypeFamily::kUnknown) ? Expression(expr) : Converted(expr, column);
  }
  std::string precision =
      ", " + std::to_string(column.precision) + ", " + std::to_string(column.scale) + ")";
  if (std::optional<Decimal> literal = LiteralValue(expr)) {
    std::optional<Decimal> rounded = literal->Rounded(column.scale);
    if (rounded && rounded->FitsIntegerDigits(column.precision, column.scale)) {
      return BlobConstant(*rounded);
    }
  }
  std::string value = Expression(expr);
  // Arithmetic that yields a decimal writes its result in the same call.
  if (expr.kind == ExprKind::kArith && TypeOf(expr).Is(TypeFamily::kDecimal)) {
    value.pop_back();
    return value + precision;
  }
  return "dec(" + value + precision;
}

}  // namespace cb::tsql
