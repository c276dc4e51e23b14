// Filter expressions of a detached recordset: read once against the columns, then matched row by
// row.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/recordset.h"

namespace cb::db {

// Ordinal of the first column called name, ignoring case; nullopt when there is none.
std::optional<size_t> FindColumn(const std::vector<ColumnDef>& columns, std::string_view name);

// A condition of the form `column op literal`, combined with AND and OR and grouped by parentheses.
// Operators are = <> < > <= >=; literals are numbers, 'text' (a doubled quote stands for one),
// #date# and NULL (only with = and <>). Strings compare without regard to case or trailing blanks;
// numbers, dates and numeric text compare by value; a Null field matches nothing but "= NULL".
class FilterExpression {
 public:
  // Reads text against the columns. Blank text gives a filter that keeps every row. Raises
  // cb::Error 3001 for a text that cannot be read and 3265 for a column the recordset does not
  // have.
  static FilterExpression Parse(std::string_view text, const std::vector<ColumnDef>& columns);

  // True when the row (one value per column, in column order) satisfies the condition.
  bool Matches(const std::vector<Variant>& row) const;

  enum class Op { kEq, kNe, kLt, kGt, kLe, kGe };
  enum class LiteralKind { kNull, kNumber, kString, kDate };
  struct Literal {
    LiteralKind kind = LiteralKind::kNull;
    double number = 0;  // kNumber: the value; kDate: the day number
    std::string text;   // the literal as written (without quotes for strings)
  };
  struct Node {
    enum class Kind { kAll, kAnd, kOr, kCompare };
    Kind kind = Kind::kAll;
    size_t left = 0;  // kAnd, kOr: child nodes
    size_t right = 0;
    size_t column = 0;  // kCompare
    Op op = Op::kEq;
    Literal literal;
  };

 private:
  bool MatchNode(size_t index, const std::vector<Variant>& row) const;

  std::vector<Node> nodes_;
  size_t root_ = 0;
};

}  // namespace cb::db
