// Test fixtures over a real database file: SchemaDatabase holds a fresh file with the suite's
// schema installed; SuiteDatabase adds a data-access service on this thread that hands out its
// connection and logs every vote and binding, whichever instance was asked.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/services/service_locator.h"
#include "platform/sqlite/sqlite_connection.h"
#include "schema/suite_schema.h"
#include "support/recording_service.h"
#include "support/temp_database.h"

namespace cb::testing {

class SchemaDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_ = sqlite::OpenSqliteConnection(database_.path());
    schema::InstallSuiteSchema(*connection_);
  }

  db::Connection& connection() { return *connection_; }
  std::string path() const { return database_.path(); }
  void Exec(std::string_view sql) { (void)connection_->Execute(sql); }
  // The first column of the first row of a query.
  Variant Scalar(std::string_view sql) {
    db::RecordsetPtr rows = connection_->Execute(sql);
    EXPECT_FALSE(rows->Eof()) << sql;
    return rows->Eof() ? Variant() : rows->Field(size_t{0});
  }
  int32_t Count(std::string_view sql) { return Scalar(sql).ToInt32(); }

  TempDatabase database_;  // declared first: the connection closes before the file goes
  std::shared_ptr<sqlite::SqliteConnection> connection_;
};

class SuiteDatabase : public SchemaDatabase {
 protected:
  static constexpr int16_t kUserID = 16;
  static constexpr const char* kDsn = "Provider=SQLite;Data Source=test.db";

  void SetUp() override {
    SchemaDatabase::SetUp();
    services::ServiceLocator::Current().SetDataAccessServiceFactory([this] {
      return std::make_shared<RecordingService>(connection_, log_, kUserID, language_);
    });
  }
  void TearDown() override { services::ServiceLocator::Current().SetDataAccessServiceFactory({}); }

  // The engine takes connections as pointers: this one hides the base's reference.
  db::ConnectionPtr connection() const { return connection_; }
  ServiceLog& log() { return *log_; }
  // The language the services report; set before the frame under test is created.
  void set_language(std::string language) { language_ = std::move(language); }

 private:
  std::shared_ptr<ServiceLog> log_ = std::make_shared<ServiceLog>();
  std::string language_ = "zh";
};

}  // namespace cb::testing
