// A cache of prepared statements keyed by their native SQL text, so that a batch run again does not
// prepare its statements again.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace cb::sqlite {

class StatementCache {
 public:
  // `capacity` statements are kept; when a new one would exceed it, the cache is emptied first.
  StatementCache(sqlite3* db, size_t capacity) : db_(db), capacity_(capacity) {}
  ~StatementCache() { Clear(); }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The prepared statement for `sql`, reset and with its bindings cleared. Prepares it on first
  // use; on failure returns nullptr with the SQLite result code in `rc` (the handle keeps the
  // message), or SQLITE_MISUSE when the text holds no statement or more than one. The statement
  // stays owned by the cache; callers reset it when they are done.
  sqlite3_stmt* Acquire(std::string_view sql, int& rc);

  // Finalizes every cached statement.
  void Clear();
  size_t size() const { return statements_.size(); }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  sqlite3* db_;
  size_t capacity_;
  std::unordered_map<std::string, sqlite3_stmt*, Hash, std::equal_to<>> statements_;
};

}  // namespace cb::sqlite
