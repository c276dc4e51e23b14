// Recordset: a detached, fully read result set with a current position and an optional Filter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant/variant.h"

namespace cb::db {

struct ColumnDef {
  std::string name;
  std::string declared_type;  // as the backend declared it; empty for expressions
};

class Recordset : public Object {
 public:
  using Row = std::vector<Variant>;

  // A closed recordset: what a statement without a result set returns.
  Recordset() = default;
  // An open recordset positioned on its first row (EOF when there is none).
  Recordset(std::vector<ColumnDef> columns, std::vector<Row> rows);

  bool IsOpen() const { return open_; }

  size_t FieldCount() const { return columns_.size(); }
  const ColumnDef& Column(size_t ordinal) const;
  // Case-insensitive; with duplicate names the first column wins.
  bool HasField(std::string_view name) const;
  // The current row's value. Raises cb::Error: kErrItemNotFound for an unknown name or ordinal,
  // 3021 when there is no current row (BOF or EOF).
  Variant Field(std::string_view name) const;
  Variant Field(size_t ordinal) const;
  void SetField(std::string_view name, Variant value);

  bool Eof() const;
  bool Bof() const;
  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  // Rows visible through the filter.
  int64_t RecordCount() const;
  // 1-based position among the visible rows; -1 at BOF or EOF.
  int64_t AbsolutePosition() const;

  // Shows only the rows that match an expression such as "FIBTag=0 OR FIBTag=2 " or " FItemID = 5"
  // (column op literal, joined by AND and OR, with parentheses) and moves to the first of them. An
  // empty text clears the filter. A text that cannot be read raises cb::Error 3001.
  void SetFilter(std::string_view expression);
  const std::string& Filter() const { return filter_text_; }

  const std::vector<ColumnDef>& columns() const { return columns_; }
  // Every row, regardless of filter and position.
  const std::vector<Row>& rows() const { return rows_; }

 private:
  // Raises cb::Error 3704 on a closed recordset.
  void RequireOpen() const;
  // Index into rows_ of the current row; raises cb::Error 3021 at BOF or EOF.
  size_t CurrentRow() const;

  bool open_ = false;
  std::vector<ColumnDef> columns_;
  std::vector<Row> rows_;
  std::vector<size_t> visible_;  // indexes into rows_ that pass the filter
  std::string filter_text_;
  int64_t position_ = 0;  // index into visible_; visible_.size() means EOF, -1 means BOF
};

using RecordsetPtr = std::shared_ptr<Recordset>;

}  // namespace cb::db
