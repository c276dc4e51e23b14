// Tests of the SQL function a connection registers that no case can check: the clock's format.
// The collation and tsql_div are run by the case files.
#include "platform/sqlite/sqlite_functions.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/sqlite/sqlite_backend.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

TEST(SessionFunctions, GetDateGivesLocalTimeWithMilliseconds) {
  cb::testing::TempDatabase dir;
  SqliteBackend backend(dir.File("f.db"), SqliteOptions{});
  tsql::StatementResult result = backend.Run("SELECT getdate()", {});
  ASSERT_EQ(result.rows.size(), 1u);
  std::string now = result.rows[0][0].ToString();
  EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3})")))
      << now;
}

}  // namespace
}  // namespace cb::sqlite
