// Reads the installed database file directly and checks every column got the storage the dialect
// layer relies on: text under the suite's collation, exact decimals, dates as text, rowid tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "installed_schema.h"

namespace cb::schema::testing {
namespace {

// Rows of a query as text.
std::vector<std::vector<std::string>> Query(sqlite3* db, const std::string& sql) {
  std::vector<std::vector<std::string>> rows;
  sqlite3_stmt* statement = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
  while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
    std::vector<std::string> row;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const unsigned char* text = sqlite3_column_text(statement, i);
      row.emplace_back(text == nullptr ? "" : reinterpret_cast<const char*>(text));
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(statement);
  return rows;
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

TEST_F(InstalledSchema, EveryColumnHasTheStorageTheDialectLayerReliesOn) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  int text_columns = 0;
  int decimals = 0;
  for (const auto& table : Query(db,
                                 "SELECT name, sql FROM sqlite_master WHERE type='table' "
                                 "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")) {
    EXPECT_FALSE(Contains(table[1], "WITHOUT ROWID")) << table[0];
    for (const auto& column : Query(db, "SELECT name FROM pragma_table_info('" + table[0] + "')")) {
      const char* declared = nullptr;
      const char* collation = nullptr;
      ASSERT_EQ(sqlite3_table_column_metadata(db, nullptr, table[0].c_str(), column[0].c_str(),
                                              &declared, &collation, nullptr, nullptr, nullptr),
                SQLITE_OK);
      const std::string type = declared ? declared : "";
      SCOPED_TRACE(table[0] + "." + column[0] + " " + type);
      if (Contains(type, "CHAR")) {
        ++text_columns;
        EXPECT_EQ(std::string(collation ? collation : ""), "TSQLCI");
      }
      if (Contains(type, "DEC") || Contains(type, "NUMERIC")) {
        ++decimals;
        EXPECT_EQ(type.rfind("DECIMAL_REAL", 0), 0u);
      }
      if (Contains(type, "DATE")) {
        EXPECT_EQ(type, "DATETIME_TEXT");
      }
      EXPECT_FALSE(Contains(type, "IDENTITY"));
    }
  }
  sqlite3_close(db);
  EXPECT_GT(text_columns, 50);
  EXPECT_GT(decimals, 100);
}

}  // namespace
}  // namespace cb::schema::testing
