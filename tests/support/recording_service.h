// RecordingService: a data-access service for tests that hands out one given connection and counts
// what it is asked, so that tests can tell whether the service was touched.
#pragma once

#include <string>
#include <vector>

#include "platform/services/data_access_service.h"

namespace cb::testing {

class RecordingService : public services::DataAccessService {
 public:
  explicit RecordingService(db::ConnectionPtr connection) : connection_(std::move(connection)) {}

  Variant OpenDsn(std::string_view dsn) override {
    bound_dsns.emplace_back(dsn);
    return Variant();
  }
  services::SecurityInfoPtr GetSecurityInfo() override {
    ++security_requests;
    return std::make_shared<services::SecurityInfo>(int16_t{7}, "en");
  }
  db::ConnectionPtr OpenConnection() override {
    ++connection_requests;
    return connection_;
  }
  db::ConnectionPtr OpenConnectionEx() override {
    ++other_connection_requests;
    return connection_;
  }
  void VoteCommit() override { votes.push_back("commit"); }
  void VoteAbort() override { votes.push_back("abort"); }

  std::vector<std::string> bound_dsns;
  int security_requests = 0;
  int connection_requests = 0;
  int other_connection_requests = 0;
  std::vector<std::string> votes;

 private:
  db::ConnectionPtr connection_;
};

}  // namespace cb::testing
