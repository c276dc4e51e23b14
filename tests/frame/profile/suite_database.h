// Test fixture: a database file with the suite's schema, and a data-access service on this thread
// that hands out its connection and logs every vote and binding, whichever instance was asked.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/data_access_service.h"
#include "platform/services/service_locator.h"
#include "platform/sqlite/sqlite_connection.h"
#include "schema/installed_schema.h"
#include "schema/suite_schema.h"

namespace cb::testing {

// What the services of one test were asked, across all instances.
struct ServiceLog {
  std::vector<std::string> bound_dsns;
  std::vector<std::string> votes;  // "commit" / "abort"
  int connection_requests = 0;
  int other_connection_requests = 0;
};

class LoggingService : public services::DataAccessService {
 public:
  LoggingService(db::ConnectionPtr connection, std::shared_ptr<ServiceLog> log, int16_t user_id,
                 std::string language)
      : connection_(std::move(connection)),
        log_(std::move(log)),
        user_id_(user_id),
        language_(std::move(language)) {}

  Variant OpenDsn(std::string_view dsn) override {
    log_->bound_dsns.emplace_back(dsn);
    return Variant();
  }
  services::SecurityInfoPtr GetSecurityInfo() override {
    return std::make_shared<services::SecurityInfo>(user_id_, language_);
  }
  db::ConnectionPtr OpenConnection() override {
    ++log_->connection_requests;
    return connection_;
  }
  db::ConnectionPtr OpenConnectionEx() override {
    ++log_->other_connection_requests;
    return connection_;
  }
  void VoteCommit() override { log_->votes.emplace_back("commit"); }
  void VoteAbort() override { log_->votes.emplace_back("abort"); }

 private:
  db::ConnectionPtr connection_;
  std::shared_ptr<ServiceLog> log_;
  int16_t user_id_;
  std::string language_;
};

class SuiteDatabase : public ::testing::Test {
 protected:
  static constexpr int16_t kUserID = 16;
  static constexpr const char* kDsn = "Provider=SQLite;Data Source=test.db";

  void SetUp() override {
    connection_ = sqlite::OpenSqliteConnection(database_.path());
    schema::InstallSuiteSchema(*connection_);
    services::ServiceLocator::Current().SetDataAccessServiceFactory(
        [this] { return std::make_shared<LoggingService>(connection_, log_, kUserID, language_); });
  }
  void TearDown() override {
    services::ServiceLocator::Current().SetDataAccessServiceFactory({});
    connection_.reset();
  }

  void Exec(std::string_view sql) { connection_->Execute(sql); }
  const db::ConnectionPtr& connection() const { return connection_; }
  ServiceLog& log() { return *log_; }
  // The language the services report; set before the frame under test is created.
  void set_language(std::string language) { language_ = std::move(language); }

 private:
  schema::testing::TempDatabase database_;  // first: the connection closes before the file goes
  db::ConnectionPtr connection_;
  std::shared_ptr<ServiceLog> log_ = std::make_shared<ServiceLog>();
  std::string language_ = "zh";
};

}  // namespace cb::testing
