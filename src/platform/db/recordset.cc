// Recordset: navigation, field access and filtering over rows held in memory.
#include "platform/db/recordset.h"

#include <string>

#include "platform/db/db_error_codes.h"
#include "platform/db/name_compare.h"
#include "platform/db/recordset_filter.h"
#include "platform/variant/error.h"

namespace cb::db {

namespace {

constexpr const char* kSource = "Recordset";

[[noreturn]] void RaiseItemNotFound() {
  throw Error(kErrItemNotFound, kSource, kTextItemNotFound);
}

}  // namespace

Recordset::Recordset(std::vector<ColumnDef> columns, std::vector<Row> rows)
    : open_(true), columns_(std::move(columns)), rows_(std::move(rows)) {
  visible_.reserve(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) visible_.push_back(i);
}

const ColumnDef& Recordset::Column(size_t ordinal) const {
  if (ordinal >= columns_.size()) RaiseItemNotFound();
  return columns_[ordinal];
}

bool Recordset::HasField(std::string_view name) const {
  return FindColumn(columns_, name).has_value();
}

Variant Recordset::Field(std::string_view name) const {
  RequireOpen();
  const std::optional<size_t> ordinal = FindColumn(columns_, name);
  if (!ordinal) RaiseItemNotFound();
  return Field(*ordinal);
}

Variant Recordset::Field(size_t ordinal) const {
  RequireOpen();
  if (ordinal >= columns_.size()) RaiseItemNotFound();
  return rows_[CurrentRow()][ordinal];
}

void Recordset::SetField(std::string_view name, Variant value) {
  RequireOpen();
  const std::optional<size_t> ordinal = FindColumn(columns_, name);
  if (!ordinal) RaiseItemNotFound();
  rows_[CurrentRow()][*ordinal] = std::move(value);
}

bool Recordset::Eof() const {
  RequireOpen();
  return position_ >= static_cast<int64_t>(visible_.size());
}

bool Recordset::Bof() const {
  RequireOpen();
  return position_ < 0 || visible_.empty();
}

void Recordset::MoveFirst() {
  RequireOpen();
  position_ = 0;
}

void Recordset::MoveNext() {
  if (Eof()) throw Error(kErrBofOrEof, kSource, kTextBofOrEof);
  ++position_;
}

void Recordset::MovePrevious() {
  if (Bof()) throw Error(kErrBofOrEof, kSource, kTextBofOrEof);
  --position_;
}

void Recordset::MoveLast() {
  RequireOpen();
  // An empty recordset stays at EOF, as MoveFirst leaves it.
  position_ = visible_.empty() ? 0 : static_cast<int64_t>(visible_.size()) - 1;
}

int64_t Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<int64_t>(visible_.size());
}

int64_t Recordset::AbsolutePosition() const {
  if (Bof() || Eof()) return -1;
  return position_ + 1;
}

void Recordset::SetFilter(std::string_view expression) {
  RequireOpen();
  const FilterExpression filter = FilterExpression::Parse(expression, columns_);
  visible_.clear();
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (filter.Matches(rows_[i])) visible_.push_back(i);
  }
  filter_text_ = std::string(expression);
  position_ = 0;
}

void Recordset::RequireOpen() const {
  if (!open_) throw Error(kErrObjectClosed, kSource, kTextObjectClosed);
}

size_t Recordset::CurrentRow() const {
  if (position_ < 0 || position_ >= static_cast<int64_t>(visible_.size())) {
    throw Error(kErrBofOrEof, kSource, kTextBofOrEof);
  }
  return visible_[static_cast<size_t>(position_)];
}

std::optional<size_t> FindColumn(const std::vector<ColumnDef>& columns, std::string_view name) {
  for (size_t i = 0; i < columns.size(); ++i) {
    if (EqualsIgnoreCase(columns[i].name, name)) return i;
  }
  return std::nullopt;
}

}  // namespace cb::db
