// Tests of the data source string reader.
#include "platform/db/data_source.h"

#include <gtest/gtest.h>

#include "platform/variant/error.h"

namespace cb::db {
namespace {

TEST(DataSource, ReadsTheUsualString) {
  const DataSource dsn =
      ParseDataSource("Provider=SQLite;Data Source=demo.db;UserID=16;Language=en");
  EXPECT_EQ(dsn.provider, "SQLite");
  EXPECT_EQ(dsn.data_source, "demo.db");
  EXPECT_EQ(dsn.user_id, std::optional<int16_t>(16));
  EXPECT_EQ(dsn.language, "en");
}

TEST(DataSource, KeysIgnoreCaseAndBlanksValuesAreTrimmedOrQuoted) {
  struct Case {
    const char* text;
    const char* data_source;
    const char* language;
  };
  const Case cases[] = {
      {"provider=sqlite;DATA SOURCE=a.db", "a.db", ""},
      {"  Provider = SQLite ;  DataSource =  /tmp/my file.db  ; ", "/tmp/my file.db", ""},
      {"Provider=SQLite;Data Source=\"x;y.db\";Language=zh", "x;y.db", "zh"},
      {"Provider=SQLite;Data Source=' padded ' ;Language='it''s'", " padded ", "it's"},
      {";;Provider=SQLite;;Data Source=b.db;;", "b.db", ""},
      {"Provider=SQLite;Data Source=old.db;data source=new.db", "new.db", ""},
      {"Provider=SQLite;Data Source=a=b.db", "a=b.db", ""},
  };
  for (const Case& c : cases) {
    const DataSource dsn = ParseDataSource(c.text);
    EXPECT_EQ(dsn.provider.size(), 6u) << c.text;
    EXPECT_EQ(dsn.data_source, c.data_source) << c.text;
    EXPECT_EQ(dsn.language, c.language) << c.text;
    EXPECT_FALSE(dsn.user_id.has_value()) << c.text;
  }
}

TEST(DataSource, GetFindsAnyKeyTheWayKeysCompare) {
  const DataSource dsn = ParseDataSource("Provider=SQLite;Data Source=a.db;Busy Timeout=500");
  EXPECT_EQ(dsn.Get("busytimeout"), std::optional<std::string>("500"));
  EXPECT_EQ(dsn.Get("BUSY TIMEOUT"), std::optional<std::string>("500"));
  EXPECT_EQ(dsn.Get("Timeout"), std::nullopt);
}

TEST(DataSource, RefusesBrokenStringsWithTheReason) {
  struct Case {
    const char* text;
    const char* reason;
  };
  const Case cases[] = {
      {"Data Source=a.db", "Provider is missing"},
      {"Provider=SQLite", "Data Source is missing"},
      {"Provider=SQLite;Data Source=a.db;junk", "'junk' is not a key=value pair"},
      {"Provider=SQLite;=a.db", "a value has no key"},
      {"Provider=SQLite;Data Source='a.db", "is not closed"},
      {"Provider=SQLite;Data Source='a.db' x", "unexpected text after"},
      {"Provider=SQLite;Data Source=a.db;UserID=abc", "UserID 'abc' is not a 16-bit integer"},
      {"Provider=SQLite;Data Source=a.db;UserID=40000", "UserID '40000'"},
  };
  for (const Case& c : cases) {
    try {
      static_cast<void>(ParseDataSource(c.text));
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), kErrInvalidArgument) << c.text;
      EXPECT_NE(error.description().find(c.reason), std::string::npos)
          << c.text << " gave: " << error.description();
    }
  }
}

}  // namespace
}  // namespace cb::db
