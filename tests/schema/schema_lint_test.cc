// Reads the installed database file directly and checks every column got the storage the dialect
// layer relies on: text under the suite's collation, exact decimals, dates as text, rowid tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "installed_schema.h"

namespace cb::schema::testing {
namespace {

struct ColumnStorage {
  std::string table;
  std::string column;
  std::string declared_type;
  std::string collation;
};

class SchemaLint : public InstalledSchema {
 protected:
  void SetUp() override {
    InstalledSchema::SetUp();
    ASSERT_EQ(sqlite3_open_v2(path().c_str(), &db_, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  }
  void TearDown() override {
    sqlite3_close(db_);
    InstalledSchema::TearDown();
  }

  // Rows of a one- or two-column query as text.
  std::vector<std::vector<std::string>> Query(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
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

  std::vector<ColumnStorage> AllColumns() {
    std::vector<ColumnStorage> columns;
    for (const auto& table : Query("SELECT name FROM sqlite_master WHERE type='table' "
                                   "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")) {
      for (const auto& column : Query("SELECT name FROM pragma_table_info('" + table[0] + "')")) {
        const char* type = nullptr;
        const char* collation = nullptr;
        EXPECT_EQ(sqlite3_table_column_metadata(db_, nullptr, table[0].c_str(), column[0].c_str(),
                                                &type, &collation, nullptr, nullptr, nullptr),
                  SQLITE_OK);
        columns.push_back({table[0], column[0], type ? type : "", collation ? collation : ""});
      }
    }
    return columns;
  }

  sqlite3* db_ = nullptr;
};

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

TEST_F(SchemaLint, TextColumnsCompareUnderTheSuitesCollation) {
  int text_columns = 0;
  for (const ColumnStorage& c : AllColumns()) {
    if (!Contains(c.declared_type, "CHAR")) continue;
    ++text_columns;
    EXPECT_EQ(c.collation, "TSQLCI") << c.table << "." << c.column;
  }
  EXPECT_GT(text_columns, 50);
}

TEST_F(SchemaLint, DecimalAndDateColumnsUseTheExactStorageTypes) {
  int decimals = 0;
  for (const ColumnStorage& c : AllColumns()) {
    SCOPED_TRACE(c.table + "." + c.column + " " + c.declared_type);
    if (Contains(c.declared_type, "DEC") || Contains(c.declared_type, "NUMERIC")) {
      ++decimals;
      EXPECT_EQ(c.declared_type.rfind("DECIMAL_REAL", 0), 0u);
    }
    if (Contains(c.declared_type, "DATE")) {
      EXPECT_EQ(c.declared_type, "DATETIME_TEXT");
    }
    EXPECT_FALSE(Contains(c.declared_type, "IDENTITY"));
  }
  EXPECT_GT(decimals, 100);
}

TEST_F(SchemaLint, EveryTableKeepsItsRowid) {
  for (const auto& table : Query("SELECT name, sql FROM sqlite_master WHERE type='table'")) {
    EXPECT_FALSE(Contains(table[1], "WITHOUT ROWID")) << table[0];
  }
}

}  // namespace
}  // namespace cb::schema::testing
