// Tests of the SQLite connection provider that the engine registers above the services layer.
#include "engine/sqlite_provider.h"

#include <gtest/gtest.h>

#include "engine/engine_components.h"
#include "platform/services/call_scope.h"
#include "platform/services/connection_providers.h"
#include "platform/services/dsn_data_access_service.h"
#include "platform/variant/error.h"

namespace cb::engine {
namespace {

TEST(SqliteProvider, TheEngineRegistersItAndItNeverCreatesAMissingFile) {
  RegisterEngineComponents();
  EXPECT_TRUE(services::HasConnectionProvider("sqlite"));
  services::DsnDataAccessService service;
  service.OpenDsn("Provider=SQLite;Data Source=/nonexistent/dir/none.db");
  services::CallScope call;
  try {
    service.OpenConnection();
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_NE(error.description().find("/nonexistent/dir/none.db"), std::string::npos);
  }
}

}  // namespace
}  // namespace cb::engine
