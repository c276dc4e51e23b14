// RecordingService: a data-access service for tests that hands out one given connection and logs
// what it is asked; instances may share one log, so that a test sees the requests of every
// instance the engine created.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/services/data_access_service.h"

namespace cb::testing {

// What the services sharing it were asked.
struct ServiceLog {
  std::vector<std::string> bound_dsns;
  std::vector<std::string> votes;  // "commit" / "abort"
  int connection_requests = 0;
};

class RecordingService : public services::DataAccessService {
 public:
  RecordingService(db::ConnectionPtr connection, std::shared_ptr<ServiceLog> log, int16_t user_id,
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
  db::ConnectionPtr OpenConnectionEx() override { return connection_; }
  void VoteCommit() override { log_->votes.emplace_back("commit"); }
  void VoteAbort() override { log_->votes.emplace_back("abort"); }

 private:
  db::ConnectionPtr connection_;
  std::shared_ptr<ServiceLog> log_;
  int16_t user_id_;
  std::string language_;
};

}  // namespace cb::testing
