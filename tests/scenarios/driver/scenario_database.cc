// Scenario databases: the schema installed once into a file whose bytes every run copies.
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "scenarios/driver/scenario_call.h"
#include "schema/suite_schema.h"
#include "support/temp_database.h"

namespace cb::scenario {

namespace {

sqlite::SqliteOptions RunOptions() {
  sqlite::SqliteOptions options;
  options.write_ahead_log = false;
  return options;
}

Image Serialize(sqlite3* handle) {
  sqlite3_int64 size = 0;
  unsigned char* bytes = sqlite3_serialize(handle, "main", &size, 0);
  if (bytes == nullptr) throw std::runtime_error("cannot take an image of the database");
  Image image(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
  sqlite3_free(bytes);
  return image;
}

// Runs sql on the raw handle and hands each row's columns, as text, to row.
template <typename OnRow>
void ForEachRow(sqlite3* handle, const std::string& sql, OnRow row) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(handle, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    throw std::runtime_error("cannot read the database: " + std::string(sqlite3_errmsg(handle)));
  }
  while (sqlite3_step(statement) == SQLITE_ROW) {
    std::vector<std::string> cells;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const unsigned char* text = sqlite3_column_text(statement, i);
      cells.emplace_back(text == nullptr ? "NULL" : reinterpret_cast<const char*>(text));
    }
    row(cells);
  }
  sqlite3_finalize(statement);
}

}  // namespace

const Image& SchemaImage() {
  static const Image image = [] {
    const testing::TempDatabase scratch;
    const auto connection = sqlite::OpenSqliteConnection(scratch.path(), RunOptions());
    schema::InstallSuiteSchema(*connection);
    return Serialize(connection->backend().handle());
  }();
  return image;
}

RunDatabase::RunDatabase(const Image& image) {
  {
    std::ofstream out(directory_.path(), std::ios::binary | std::ios::trunc);
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    if (!out) throw std::runtime_error("cannot write " + directory_.path());
  }
  connection_ = sqlite::OpenSqliteConnection(directory_.path(), RunOptions());
}

Image RunDatabase::Snapshot() const {
  return Serialize(connection_->backend().handle());
}

TableRows RunDatabase::AllRows() const {
  sqlite3* handle = connection_->backend().handle();
  std::vector<std::string> tables;
  ForEachRow(handle,
             "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
             "ORDER BY name",
             [&](const std::vector<std::string>& cells) { tables.push_back(cells[0]); });
  TableRows all;
  for (const std::string& table : tables) {
    std::vector<std::string>& rows = all[table];
    ForEachRow(handle, "SELECT * FROM \"" + table + "\"",
               [&](const std::vector<std::string>& cells) {
                 std::string text;
                 for (const std::string& cell : cells) text += cell + " | ";
                 rows.push_back(text.substr(0, text.size() - 3));
               });
    std::sort(rows.begin(), rows.end());
  }
  return all;
}

}  // namespace cb::scenario
