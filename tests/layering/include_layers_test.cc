// The layer rule, checked on every include line of src/, schema/ and tools/, and shown to catch a
// violation of each kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "layering/include_rule.h"

namespace cb::layering {
namespace {

namespace fs = std::filesystem;

TEST(IncludeRule, CatchesEachKindOfViolationAndAllowsTheDirectionOfTheLayers) {
  struct Case {
    const char* file;
    const char* target;
    bool angled;
    bool allowed;
  };
  const Case cases[] = {
      // Business folders and the frame never see the dialect layer or SQLite.
      {"src/stock/temp_bill.cc", "platform/tsql/parser.h", false, false},
      {"src/rules/period_guard.cc", "platform/sqlite/sqlite_connection.h", false, false},
      {"src/check/check_bill.cc", "sqlite3.h", true, false},
      {"src/frame/class_frame.cc", "platform/sqlite/sqlite_connection.h", false, false},
      {"src/platform/services/default_components.cc", "platform/sqlite/sqlite_connection.h", false,
       false},
      // A lower layer never includes a higher one.
      {"src/platform/db/connection.h", "platform/services/call_scope.h", false, false},
      {"src/platform/tsql/parser.cc", "platform/sqlite/sqlite_backend.h", false, false},
      {"src/frame/public_call.cc", "check/check_bill.h", false, false},
      {"src/stock/temp_bill.cc", "check/call_state.h", false, false},
      {"src/check/check_bill.cc", "engine/engine_components.h", false, false},
      {"src/check/check_bill.cc", "checkbill/check_now.h", false, false},
      // The tool sees only the public headers.
      {"tools/checkbill/main.cc", "platform/variant/error.h", false, false},
      {"tools/checkbill/main.cc", "frame/class_frame.h", false, false},
      {"tools/checkbill/main.cc", "platform/variant/error.h", true, false},
      {"tools/checkbill/main.cc", "sqlite3.h", true, false},
      // What the layers allow.
      {"src/check/check_bill.cc", "stock/update_bill_stock.h", false, true},
      {"src/stock/temp_bill.cc", "frame/class_frame.h", false, true},
      {"src/platform/sqlite/sqlite_backend.h", "sqlite3.h", true, true},
      {"src/platform/sqlite/sqlite_connection.cc", "platform/tsql/batch.h", false, true},
      {"src/engine/sqlite_provider.cc", "platform/sqlite/sqlite_connection.h", false, true},
      {"src/engine/database.cc", "schema/suite_schema.h", false, true},
      {"schema/suite_schema.cc", "platform/db/connection.h", false, true},
      {"tools/checkbill/main.cc", "checkbill/check_now.h", false, true},
      {"tools/checkbill/main.cc", "tools/checkbill/verb.h", false, true},
      {"tools/checkbill/main.cc", "nlohmann/json.hpp", true, true},
      {"tools/checkbill/main.cc", "CLI/CLI.hpp", true, true},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> violation = LayerViolation({c.file, c.target, c.angled});
    EXPECT_EQ(!violation.has_value(), c.allowed)
        << c.file << " includes " << c.target << ": " << violation.value_or("allowed");
  }
}

// Every source file under folder, as paths relative to root.
std::vector<fs::path> SourceFiles(const fs::path& root, const char* folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
    const fs::path& path = entry.path();
    if (entry.is_regular_file() && (path.extension() == ".h" || path.extension() == ".cc")) {
      files.push_back(fs::relative(path, root));
    }
  }
  return files;
}

TEST(IncludeRule, NoSourceFileBreaksTheLayerRule) {
  const fs::path root = CHECKBILL_SOURCE_DIR;
  const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  size_t files_read = 0;
  std::vector<std::string> violations;
  for (const char* folder : {"src", "schema", "tools"}) {
    for (const fs::path& file : SourceFiles(root, folder)) {
      ++files_read;
      std::ifstream in(root / file);
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, include_line)) continue;
        const std::string name = file.generic_string();
        const std::string target = match[2].str();
        if (auto violation = LayerViolation({name, target, match[1].str() == "<"})) {
          violations.push_back(name + ":" + std::to_string(number) + ": " + *violation);
        }
      }
    }
  }
  // The scan must have found the tree, or it proves nothing.
  EXPECT_GT(files_read, 200u);
  for (const std::string& violation : violations) ADD_FAILURE() << violation;
}

}  // namespace
}  // namespace cb::layering
