// SqliteBackend: opens and sets up the handle, runs native statements through the cache, and
// answers catalog questions from the table_info pragma.
#include "platform/sqlite/sqlite_backend.h"

#include <string>

#include "platform/sqlite/sqlite_error_map.h"
#include "platform/variant/date.h"

namespace cb::sqlite {
namespace {

constexpr char kTableInfoSql[] = "SELECT name, type, pk FROM pragma_table_info(?1, ?2)";
constexpr char kTempSchemaSql[] =
    "SELECT type, sql FROM temp.sqlite_master WHERE tbl_name = ?1 COLLATE NOCASE";
constexpr std::string_view kDropTable = "DROP TABLE ";

db::DbError ConnectionError(std::string description, std::string_view path) {
  db::DbError error;
  error.number = db::kDbGenericFailure;
  error.kind = db::DbErrorKind::kConnection;
  error.source = std::string(kErrorSource);
  error.description = std::move(description);
  error.statement = std::string(path);
  return error;
}

// Join Bloom filters (SQLite 3.38 and later) hash text by its bytes and ignore the column's
// collation, so a join of 'lot-a' with 'LOT-A ' under TSQLCI silently finds nothing. Switching
// them off (SQLITE_BloomFilter and SQLITE_BloomPulldown) keeps automatic indexes, which respect
// the collation. A library built without test controls would ignore the request, so it is refused.
bool SwitchOffJoinBloomFilters(sqlite3* db) {
  constexpr int kFirstVersionWithBloomFilters = 3038000;
  if (sqlite3_libversion_number() < kFirstVersionWithBloomFilters) return true;
  if (sqlite3_compileoption_used("SQLITE_UNTESTABLE") != 0) return false;
  constexpr unsigned kBloomFilterOptimisations = 0x00080000u | 0x00100000u;
  return sqlite3_test_control(SQLITE_TESTCTRL_OPTIMIZATIONS, db, kBloomFilterOptimisations) ==
         SQLITE_OK;
}

int BindValue(sqlite3_stmt* statement, int index, const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      return sqlite3_bind_null(statement, index);
    case VariantType::kBool:
      return sqlite3_bind_int(statement, index, value.ToBool() ? 1 : 0);
    case VariantType::kInt16:
    case VariantType::kInt32:
    case VariantType::kInt64:
      return sqlite3_bind_int64(statement, index, value.ToInt64());
    case VariantType::kDouble:
      if (value.IsDecimal()) {
        auto bytes = value.ToDecimal().Encode();
        return sqlite3_bind_blob(statement, index, bytes.data(), static_cast<int>(bytes.size()),
                                 SQLITE_TRANSIENT);
      }
      return sqlite3_bind_double(statement, index, value.ToDouble());
    case VariantType::kDate: {
      std::string text = FormatDateAuto(value.ToDate());
      return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    }
    case VariantType::kString: {
      std::string text = value.ToString();
      return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                               SQLITE_TRANSIENT);
    }
    case VariantType::kObject:
      break;
  }
  return SQLITE_MISMATCH;
}

Variant ReadValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
      return Variant(static_cast<int64_t>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
      return Variant(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
      return Variant::Null();
    case SQLITE_BLOB:
      // The only blobs the dialect layer stores are decimals.
      if (sqlite3_column_bytes(statement, column) == static_cast<int>(Decimal::kEncodedSize)) {
        return Variant(Decimal::Decode(
            static_cast<const unsigned char*>(sqlite3_column_blob(statement, column))));
      }
      [[fallthrough]];
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      int size = sqlite3_column_bytes(statement, column);
      return Variant(std::string(text == nullptr ? "" : text, static_cast<size_t>(size)));
    }
  }
}

std::vector<tsql::ColumnInfo> ReadColumns(sqlite3_stmt* statement) {
  int count = sqlite3_column_count(statement);
  std::vector<tsql::ColumnInfo> columns;
  columns.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const char* name = sqlite3_column_name(statement, i);
    const char* type = sqlite3_column_decltype(statement, i);
    columns.push_back({name == nullptr ? "" : name, type == nullptr ? "" : type});
  }
  return columns;
}

// Table names arrive as written; a bracketed name is looked up without its brackets.
std::string_view Unbracket(std::string_view table) {
  if (table.size() >= 2 && table.front() == '[' && table.back() == ']') {
    return table.substr(1, table.size() - 2);
  }
  return table;
}

std::string LowerName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The name after a table keyword, unquoted and lower-cased: "[#TempBill] (" -> "#tempbill". A
// "temp." or "main." schema in front is skipped. Empty when the text does not start with a name
// that can be read.
std::string LeadingTableName(std::string_view text) {
  for (std::string_view schema : {"temp.", "main."}) {
    if (LowerName(text.substr(0, schema.size())) == schema) text.remove_prefix(schema.size());
  }
  // "IF [NOT] EXISTS" is not a name.
  if (text.empty() || LowerName(text.substr(0, 3)) == "if ") return "";
  const char open = text.front();
  if (open == '[' || open == '"' || open == '`') {
    const char close = open == '[' ? ']' : open;
    const size_t end = text.find(close, 1);
    return end == std::string_view::npos ? "" : LowerName(text.substr(1, end - 1));
  }
  size_t end = 0;
  while (end < text.size() && text[end] != ' ' && text[end] != '(' && text[end] != '\r' &&
         text[end] != '\n') {
    ++end;
  }
  return LowerName(text.substr(0, end));
}

// What a statement may do to the columns the catalog knows.
struct CatalogEffect {
  enum Kind { kNone, kOneTable, kAnyTable } kind = kNone;
  std::string table;  // kOneTable: the lower-cased name
};

// CREATE TABLE and DROP TABLE change the one table they name; indexes change no columns; ALTER,
// ROLLBACK and anything unreadable may change any table.
CatalogEffect CatalogEffectOf(std::string_view sql) {
  while (!sql.empty() && (sql.front() == ' ' || sql.front() == '\r' || sql.front() == '\n')) {
    sql.remove_prefix(1);
  }
  const std::string head = LowerName(sql.substr(0, 18));
  for (std::string_view prefix : {"create temp table ", "create table ", "drop table "}) {
    if (head.compare(0, prefix.size(), prefix) == 0) {
      std::string table = LeadingTableName(sql.substr(prefix.size()));
      if (table.empty()) return {CatalogEffect::kAnyTable, ""};
      return {CatalogEffect::kOneTable, std::move(table)};
    }
  }
  for (std::string_view word : {"create", "drop", "alter", "rollback"}) {
    if (head.compare(0, word.size(), word) == 0) {
      const bool index = head.find("index") != std::string::npos;
      return {index ? CatalogEffect::kNone : CatalogEffect::kAnyTable, ""};
    }
  }
  return {};
}

}  // namespace

SqliteBackend::SqliteBackend(const std::string& path, const SqliteOptions& options)
    : observe_statement_(options.observe_statement) {
  int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw db::DatabaseException(
        ConnectionError("Cannot open database '" + path + "': " + message, path));
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, options.busy_timeout_ms);
  // Double-quoted names that resolve to nothing must fail, not turn into string literals.
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  if (!SwitchOffJoinBloomFilters(db_)) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw db::DatabaseException(ConnectionError(
        "Cannot set up database '" + path + "': this SQLite cannot switch off join Bloom filters",
        path));
  }
  // Any rollback, asked for or SQLite's own after a failure, also restores what was parked.
  sqlite3_rollback_hook(
      db_, [](void* parked) { static_cast<ParkedTables*>(parked)->RollBack(); }, &parked_);
  rc = RegisterFunctions(db_, &fault_);
  cache_ = std::make_unique<StatementCache>(db_, options.statement_cache);
  if (rc == SQLITE_OK && options.write_ahead_log) {
    rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) {
    std::string message = sqlite3_errmsg(db_);
    cache_.reset();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw db::DatabaseException(
        ConnectionError("Cannot set up database '" + path + "': " + message, path));
  }
}

SqliteBackend::~SqliteBackend() {
  // Closing discards the temporary tables; parked ones are dropped first so that the statements an
  // observer saw leave none behind, and a replay of them on one handle finds what this one did.
  if (observe_statement_ && db_ != nullptr && !parked_.empty() && !InTransaction()) {
    try {
      DropParked(parked_.Names());
    } catch (const db::DatabaseException&) {
      // The handle is closing: the tables go with it.
    }
  }
  cache_.reset();
  if (db_ != nullptr) {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
}

void SqliteBackend::Fail(int code, std::string message, std::string_view native_sql) {
  db::DbError error = MapSqliteError(code, message, native_sql);
  if (fault_.raised) {
    error.kind = fault_.kind;
    error.native_error = fault_.native_error;
    error.description = message;  // a registered function's message is the server's text
    fault_ = {};
  }
  throw db::DatabaseException(std::move(error));
}

void SqliteBackend::FailStep(sqlite3_stmt* statement, std::string_view native_sql) {
  // The message belongs to the failed step; reset afterwards releases the statement's locks.
  int code = sqlite3_extended_errcode(db_);
  std::string message = sqlite3_errmsg(db_);
  sqlite3_reset(statement);
  Fail(code, std::move(message), native_sql);
}

sqlite3_stmt* SqliteBackend::Prepare(std::string_view native_sql) {
  int rc = SQLITE_OK;
  sqlite3_stmt* statement = cache_->Acquire(native_sql, rc);
  if (statement == nullptr && rc == SQLITE_MISUSE) {
    Fail(rc, "The native statement is empty or holds more than one statement.", native_sql);
  }
  if (statement == nullptr) Fail(sqlite3_extended_errcode(db_), sqlite3_errmsg(db_), native_sql);
  return statement;
}

void SqliteBackend::Bind(sqlite3_stmt* statement, std::span<const tsql::BoundParameter> params,
                         std::string_view native_sql) {
  for (const tsql::BoundParameter& param : params) {
    int index = sqlite3_bind_parameter_index(statement, param.name.c_str());
    if (index == 0) continue;  // the statement does not read this variable
    int rc = BindValue(statement, index, param.value);
    if (rc != SQLITE_OK) {
      sqlite3_reset(statement);
      Fail(SQLITE_MISMATCH, "Cannot bind the value of " + param.name + ".", native_sql);
    }
  }
}

tsql::StatementResult SqliteBackend::Run(std::string_view native_sql,
                                         std::span<const tsql::BoundParameter> params) {
  if (!InTransaction()) parked_.Settle();
  if (!parked_.empty()) {
    const std::string created = ParkedTables::CreatedTable(native_sql);
    const ParkedTables::Parked* parked = created.empty() ? nullptr : parked_.Find(created);
    if (parked != nullptr && parked->definition == ParkedTables::StoredDefinition(native_sql)) {
      // The same table, empty: the catalog's answer is the one it gave before the drop.
      catalog_[created] = parked->columns;
      parked_.Remove(created);
      if (!InTransaction()) parked_.Settle();
      return {};
    }
    DropParkedNamedBy(native_sql);
  }
  if (const std::string dropped = ParkedTables::DroppedTable(native_sql);
      !dropped.empty() && Park(dropped, native_sql)) {
    return {};
  }
  tsql::StatementResult result = RunObserved(native_sql, params);
  if (!InTransaction()) parked_.Settle();
  return result;
}

void SqliteBackend::DropParkedNamedBy(std::string_view native_sql) {
  DropParked(parked_.MentionedBy(native_sql));
}

void SqliteBackend::DropParked(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    (void)RunObserved(std::string(kDropTable) + "temp.[" + name + "]", {});
    parked_.Remove(name);
    // Committed already outside a transaction: a later failure's rollback must not bring it back.
    if (!InTransaction()) parked_.Settle();
  }
}

std::optional<std::string> SqliteBackend::ParkableDefinition(const std::string& name) {
  sqlite3_stmt* statement = Prepare(kTempSchemaSql);
  sqlite3_bind_text(statement, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
  std::optional<std::string> definition;
  int tables = 0;
  bool own_objects = false;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
    if (type != nullptr && std::string_view(type) == "table") {
      ++tables;
      if (sql != nullptr) definition = sql;
    } else if (sql != nullptr) {
      own_objects = true;  // the indexes of PRIMARY KEY and UNIQUE have no text of their own
    }
  }
  if (rc != SQLITE_DONE) FailStep(statement, kTempSchemaSql);
  sqlite3_reset(statement);
  if (tables != 1 || own_objects || !definition || !ParkedTables::Parkable(*definition)) {
    return std::nullopt;
  }
  return definition;
}

bool SqliteBackend::Park(const std::string& name, std::string_view drop_sql) {
  std::optional<std::string> definition = ParkableDefinition(name);
  if (!definition) return false;
  std::optional<std::vector<tsql::ColumnInfo>> columns = TableColumns(name);
  (void)RunObserved("DELETE FROM " + std::string(drop_sql.substr(kDropTable.size())), {});
  catalog_.erase(name);
  parked_.Park(name, {std::move(*definition), std::move(columns)});
  if (!InTransaction()) parked_.Settle();
  return true;
}

tsql::StatementResult SqliteBackend::RunObserved(std::string_view native_sql,
                                                 std::span<const tsql::BoundParameter> params) {
  if (!observe_statement_) return RunStatement(native_sql, params);
  try {
    tsql::StatementResult result = RunStatement(native_sql, params);
    observe_statement_(native_sql, params, true);
    return result;
  } catch (const db::DatabaseException&) {
    observe_statement_(native_sql, params, false);
    throw;
  }
}

tsql::StatementResult SqliteBackend::RunStatement(std::string_view native_sql,
                                                  std::span<const tsql::BoundParameter> params) {
  sqlite3_stmt* statement = Prepare(native_sql);
  Bind(statement, params, native_sql);
  const bool was_in_transaction = InTransaction();
  tsql::StatementResult result;
  fault_ = {};
  sqlite3_int64 changes_before = sqlite3_total_changes64(db_);
  int rc = sqlite3_step(statement);
  // Counted after the first step: a statement re-prepared on a schema change may have new columns.
  int column_count = sqlite3_column_count(statement);
  for (; rc == SQLITE_ROW; rc = sqlite3_step(statement)) {
    std::vector<Variant> row;
    row.reserve(static_cast<size_t>(column_count));
    for (int i = 0; i < column_count; ++i) row.push_back(ReadValue(statement, i));
    result.rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) {
    // A failure may have rolled a transaction back, and its temporary tables with it.
    catalog_.clear();
    FailStep(statement, native_sql);
  }
  result.columns = ReadColumns(statement);
  result.produces_rows = column_count > 0;
  InvalidateCatalogAfter(native_sql, was_in_transaction);
  // The total moves only for INSERT, UPDATE and DELETE, so DDL and queries report 0, unlike
  // changes().
  result.changes = sqlite3_total_changes64(db_) - changes_before;
  sqlite3_reset(statement);
  return result;
}

std::vector<tsql::ColumnInfo> SqliteBackend::Describe(std::string_view native_sql,
                                                      std::span<const tsql::BoundParameter>) {
  if (!parked_.empty()) DropParkedNamedBy(native_sql);
  sqlite3_stmt* statement = Prepare(native_sql);
  return ReadColumns(statement);
}

std::optional<std::vector<tsql::ColumnInfo>> SqliteBackend::SchemaColumns(std::string_view table,
                                                                          const char* schema) {
  sqlite3_stmt* statement = Prepare(kTableInfoSql);
  sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
  sqlite3_bind_text(statement, 2, schema, -1, SQLITE_STATIC);
  std::vector<tsql::ColumnInfo> columns;
  int keys = 0;
  size_t integer_key = 0;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
    columns.push_back({name == nullptr ? "" : name, type == nullptr ? "" : type});
    if (sqlite3_column_int(statement, 2) > 0) {
      ++keys;
      integer_key = columns.size();
    }
  }
  if (rc != SQLITE_DONE) FailStep(statement, kTableInfoSql);
  sqlite3_reset(statement);
  if (columns.empty()) return std::nullopt;
  // A lone INTEGER primary key is the rowid alias that stands for an IDENTITY column.
  if (keys == 1 &&
      sqlite3_stricmp(columns[integer_key - 1].declared_type.c_str(), "INTEGER") == 0) {
    columns[integer_key - 1].declared_type = "INTEGER IDENTITY";
  }
  return columns;
}

std::optional<std::vector<tsql::ColumnInfo>> SqliteBackend::TableColumns(std::string_view table) {
  table = Unbracket(table);
  InvalidateCatalogOnForeignCommit();
  std::string key = LowerName(table);
  if (!parked_.empty() && parked_.Find(key) != nullptr) return std::nullopt;
  if (auto cached = catalog_.find(key); cached != catalog_.end()) return cached->second;
  std::optional<std::vector<tsql::ColumnInfo>> columns = SchemaColumns(table, "temp");
  if (!columns && !(!table.empty() && table.front() == '#')) columns = SchemaColumns(table, "main");
  catalog_.emplace(std::move(key), columns);
  return columns;
}

void SqliteBackend::InvalidateCatalogAfter(std::string_view native_sql, bool was_in_transaction) {
  const CatalogEffect effect = CatalogEffectOf(native_sql);
  if (effect.kind == CatalogEffect::kAnyTable) {
    catalog_.clear();
  } else if (effect.kind == CatalogEffect::kOneTable) {
    catalog_.erase(effect.table);
  }
  // The data version moves with this connection's own writes as well. Inside a transaction (always
  // taken with the write lock) every move is our own; on the statement that opened one, a move
  // also tells of what other connections committed since this one last looked.
  if (was_in_transaction) {
    data_version_ = DataVersion();
  } else if (InTransaction()) {
    InvalidateCatalogOnForeignCommit();
  }
}

unsigned int SqliteBackend::DataVersion() const {
  unsigned int version = 0;
  sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version);
  return version;
}

void SqliteBackend::InvalidateCatalogOnForeignCommit() {
  const unsigned int version = DataVersion();
  if (version != data_version_) {
    catalog_.clear();
    data_version_ = version;
  }
}

void SqliteBackend::RunNative(std::string_view native_sql) {
  (void)Run(native_sql, {});
}

bool SqliteBackend::InTransaction() const {
  return sqlite3_get_autocommit(db_) == 0;
}

}  // namespace cb::sqlite
