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

TEST(SuiteScripts, EmbedEverySqlFileOfTheSchemaFolderOnceAsItStandsOnDisk) {
  const std::filesystem::path folder = std::filesystem::path(CHECKBILL_SOURCE_DIR) / "schema";
  std::set<std::string> on_disk;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (file.path().extension() == ".sql") on_disk.insert(file.path().filename().string());
  }
  std::set<std::string> embedded;
  for (const auto& scripts : {SuiteScripts(), DemoScripts()}) {
    for (const SuiteScript& script : scripts) {
      EXPECT_TRUE(embedded.insert(std::string(script.name)).second) << script.name;
      std::ifstream in(folder / std::string(script.name), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      EXPECT_EQ(script.text, text.str()) << script.name;
    }
  }
  EXPECT_EQ(embedded, on_disk);
}

}  // namespace
}  // namespace cb::schema
