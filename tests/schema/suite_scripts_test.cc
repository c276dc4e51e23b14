// The embedded scripts (the suite's and the demo's) are exactly the schema folder's .sql files, as
// they stand on disk.
#include "schema/suite_scripts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace cb::schema {
namespace {

std::filesystem::path SchemaFolder() {
  return std::filesystem::path(CHECKBILL_SOURCE_DIR) / "schema";
}

TEST(SuiteScripts, EmbedEverySqlFileOfTheSchemaFolderOnce) {
  std::set<std::string> on_disk;
  for (const auto& file : std::filesystem::directory_iterator(SchemaFolder())) {
    if (file.path().extension() == ".sql") on_disk.insert(file.path().filename().string());
  }
  std::set<std::string> embedded;
  for (const auto& scripts : {SuiteScripts(), DemoScripts()}) {
    for (const SuiteScript& script : scripts) {
      EXPECT_TRUE(embedded.insert(std::string(script.name)).second) << script.name;
    }
  }
  EXPECT_EQ(embedded, on_disk);
}

TEST(SuiteScripts, MatchTheFilesOnDisk) {
  for (const auto& scripts : {SuiteScripts(), DemoScripts()}) {
    for (const SuiteScript& script : scripts) {
      std::ifstream in(SchemaFolder() / std::string(script.name), std::ios::binary);
      ASSERT_TRUE(in) << script.name;
      std::ostringstream text;
      text << in.rdbuf();
      EXPECT_EQ(script.text, text.str()) << script.name;
    }
  }
}

}  // namespace
}  // namespace cb::schema
