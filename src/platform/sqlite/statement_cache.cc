// Prepared-statement cache: prepare once per distinct native text, reuse after reset.
#include "platform/sqlite/statement_cache.h"

#include <climits>

namespace cb::sqlite {

sqlite3_stmt* StatementCache::Acquire(std::string_view sql, int& rc) {
  rc = SQLITE_OK;
  if (auto found = statements_.find(sql); found != statements_.end()) {
    sqlite3_stmt* statement = found->second;
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return statement;
  }
  if (sql.size() > static_cast<size_t>(INT_MAX)) {
    rc = SQLITE_TOOBIG;
    return nullptr;
  }
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                          &statement, &tail);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(statement);
    return nullptr;
  }
  // Only blanks or comments, or a second statement after the first: both mean the caller built the
  // text wrongly, and running part of it would hide that.
  bool rest_is_blank = true;
  for (const char* c = tail; c != nullptr && c < sql.data() + sql.size(); ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n' && *c != ';') rest_is_blank = false;
  }
  if (statement == nullptr || !rest_is_blank) {
    sqlite3_finalize(statement);
    rc = SQLITE_MISUSE;
    return nullptr;
  }
  if (statements_.size() >= capacity_) Clear();
  statements_.emplace(std::string(sql), statement);
  return statement;
}

void StatementCache::Clear() {
  for (auto& [text, statement] : statements_) sqlite3_finalize(statement);
  statements_.clear();
}

}  // namespace cb::sqlite
