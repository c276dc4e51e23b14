// Errors: the pending database errors of a connection, cleared when the next statement starts.
#pragma once

#include <vector>

#include "platform/db/database_error.h"

namespace cb::db {

class Errors {
 public:
  size_t Count() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  // Raises cb::Error (subscript out of range) outside 0..Count()-1.
  const DbError& Item(size_t index) const;
  void Add(DbError error) { items_.push_back(std::move(error)); }
  void Clear() { items_.clear(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<DbError> items_;
};

}  // namespace cb::db
