// Tests of the collation and SQL functions a connection registers, directly and inside native SQL;
// tsql_div is run by the decimal cases.
#include "platform/sqlite/sqlite_functions.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/sqlite/sqlite_backend.h"
#include "support/temp_database.h"

namespace cb::sqlite {
namespace {

TEST(CompareCaseInsensitiveTrimmed, FoldsAsciiCaseAndIgnoresTrailingBlanks) {
  struct Case {
    std::string_view a, b;
    int sign;
  };
  const Case cases[] = {
      {"b1 ", "B1", 0},
      {"", "   ", 0},
      {"B", "a", 1},
      {"ab ", "abc", -1},
      {" a", "a", -1},
      {"Z", "\xC3\xA9", -1},
      {"\xC3\x89", "\xC3\xA9", -1},
  };
  for (const Case& c : cases) {
    int result = CompareCaseInsensitiveTrimmed(c.a, c.b);
    int sign = (result > 0) - (result < 0);
    EXPECT_EQ(sign, c.sign) << "'" << c.a << "' vs '" << c.b << "'";
  }
}

class SessionFunctions : public ::testing::Test {
 protected:
  Variant One(std::string_view sql) {
    tsql::StatementResult result = backend_.Run(sql, {});
    EXPECT_EQ(result.rows.size(), 1u) << sql;
    return result.rows.empty() ? Variant() : result.rows.front().front();
  }
  db::DbError Failure(std::string_view sql) {
    try {
      (void)backend_.Run(sql, {});
    } catch (const db::DatabaseException& exception) {
      return exception.error();
    }
    ADD_FAILURE() << "no error from " << sql;
    return {};
  }

  cb::testing::TempDatabase dir_;
  SqliteBackend backend_{dir_.File("f.db"), SqliteOptions{}};
};

TEST_F(SessionFunctions, GetDateGivesLocalTimeWithMilliseconds) {
  std::string now = One("SELECT getdate()").ToString();
  EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3})")))
      << now;
}

TEST_F(SessionFunctions, DoubleQuotedUnknownNameIsAnErrorNotAString) {
  (void)backend_.Run("CREATE TABLE a (x INT)", {});
  db::DbError error = Failure("SELECT \"nosuchcol\" FROM a");
  EXPECT_EQ(error.kind, db::DbErrorKind::kNoSuchObject);
  EXPECT_EQ(error.native_error, 207);
}

}  // namespace
}  // namespace cb::sqlite
