// DsnDataAccessService: the built-in data-access service over data source strings such as
// "Provider=SQLite;Data Source=demo.db;UserID=16;Language=en".
#pragma once

#include <optional>
#include <string>

#include "platform/db/data_source.h"
#include "platform/services/data_access_service.h"

namespace cb::services {

class DsnDataAccessService final : public DataAccessService {
 public:
  // Parses the string (cb::Error with the parser's text when it cannot be read) and checks that its
  // provider is available (cb::Error kErrProviderNotFound otherwise). A failed bind keeps the
  // earlier binding.
  Variant OpenDsn(std::string_view dsn) override;
  // UserID and Language of the bound string (0 and kDefaultUserLanguage when absent or unbound).
  SecurityInfoPtr GetSecurityInfo() override;
  // Inside a public call (see CallScope): the call's connection to the bound data source, opened
  // and begun on first use and shared by nested calls. Outside any call: a new connection of its
  // own, in no transaction. Raises cb::Error when nothing is bound or the data source cannot be
  // opened.
  db::ConnectionPtr OpenConnection() override;
  db::ConnectionPtr OpenConnectionEx() override { return OpenConnection(); }
  // Recorded on the running call's transaction; ignored outside any call.
  void VoteCommit() override;
  void VoteAbort() override;

 private:
  std::optional<db::DataSource> bound_;
};

}  // namespace cb::services
