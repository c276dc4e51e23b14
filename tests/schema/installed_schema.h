// Test fixture: a fresh database file with the suite's schema installed through the SQLite
// connection.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/sqlite/sqlite_connection.h"
#include "schema/suite_schema.h"

namespace cb::schema::testing {

// A database file of its own per test, removed with its journal files afterwards.
class TempDatabase {
 public:
  TempDatabase() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("schema_") + info->test_suite_name() + "_" + info->name() + "_" +
                       std::to_string(::getpid()) + ".db";
    // Parameterised tests have '/' in their names.
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / name;
    Remove();
  }
  ~TempDatabase() { Remove(); }
  const std::string path() const { return path_.string(); }

 private:
  void Remove() {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
      std::error_code ignored;
      std::filesystem::remove(path_.string() + suffix, ignored);
    }
  }
  std::filesystem::path path_;
};

class InstalledSchema : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_ = sqlite::OpenSqliteConnection(database_.path());
    InstallSuiteSchema(*connection_);
  }
  void TearDown() override { connection_.reset(); }

  db::Connection& connection() { return *connection_; }
  const std::string path() const { return database_.path(); }

  // The first column of the first row of a query.
  Variant Scalar(std::string_view sql) {
    db::RecordsetPtr rows = connection_->Execute(sql);
    EXPECT_FALSE(rows->Eof()) << sql;
    return rows->Eof() ? Variant() : rows->Field(size_t{0});
  }
  int32_t Count(std::string_view sql) { return Scalar(sql).ToInt32(); }

 private:
  TempDatabase database_;  // declared first: the connection closes before the file goes
  std::shared_ptr<sqlite::SqliteConnection> connection_;
};

}  // namespace cb::schema::testing
