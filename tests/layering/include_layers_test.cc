// The layer rule of the source tree, checked on every include line of src/, schema/ and tools/, and
// shown to catch a violation of each kind.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace cb::layering {
namespace {

namespace fs = std::filesystem;

// Each source folder has a floor, and an include may only reach down. Business folders share a
// level; check sits above them because it drives their steps.
struct Floor {
  std::string_view folder;  // a prefix of the path below src/ (or of an include name)
  int level;
};
constexpr int kBusinessLevel = 6;
constexpr int kEngineLevel = 8;
constexpr int kSqliteLevel = 3;
constexpr std::array<Floor, 15> kFloors = {{
    {"platform/variant/", 0},
    {"platform/db/", 1},
    {"platform/tsql/", 2},
    {"platform/sqlite/", kSqliteLevel},
    {"platform/services/", 4},
    {"schema/", 4},
    {"frame/", 5},
    {"rules/", kBusinessLevel},
    {"stock/", kBusinessLevel},
    {"qc/", kBusinessLevel},
    {"precheck/", kBusinessLevel},
    {"batch/", kBusinessLevel},
    {"check/", 7},
    {"engine/", kEngineLevel},
    {"checkbill/", kEngineLevel},  // the public header set
}};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The level of a folder-relative path ("stock/temp_bill.h"), or -1 when it names no project folder.
int LevelOf(std::string_view path) {
  for (const Floor& floor : kFloors) {
    if (StartsWith(path, floor.folder)) return floor.level;
  }
  return -1;
}

// Why `file` (relative to the project root) may not include `target`, or nullopt when it may:
// - a file includes a folder of a higher layer;
// - a file between the SQLite layer and the engine includes the dialect or SQLite layer, and no
//   file but the SQLite layer includes sqlite3.h;
// - a file under tools/ includes anything but the public headers ("checkbill/…"), its own headers
//   ("tools/…") and standard or third-party headers.
std::optional<std::string> LayerViolation(std::string_view file, const std::string& target,
                                          bool angled) {
  if (StartsWith(file, "tools/")) {
    const bool allowed = angled ? target != "sqlite3.h" && LevelOf(target) < 0
                                : StartsWith(target, "checkbill/") || StartsWith(target, "tools/");
    if (allowed) return std::nullopt;
    return "the tool reaches past the public headers (checkbill/…) to " + target;
  }
  const int file_level = StartsWith(file, "src/")      ? LevelOf(file.substr(4))
                         : StartsWith(file, "schema/") ? LevelOf(file)
                                                       : -1;
  if (file_level < 0) return std::nullopt;
  if (target == "sqlite3.h" && !StartsWith(file, "src/platform/sqlite/")) {
    return "only the SQLite layer includes sqlite3.h";
  }
  const bool dialect_or_sqlite = StartsWith(target, "platform/tsql/") ||
                                 StartsWith(target, "platform/sqlite/") || target == "sqlite3.h";
  if (dialect_or_sqlite && file_level > kSqliteLevel && file_level < kEngineLevel) {
    return "a file above the database layer includes the dialect or SQLite layer (" + target + ")";
  }
  if (LevelOf(target) > file_level) return "a lower layer includes a higher one (" + target + ")";
  return std::nullopt;
}

// What the layers allow is shown by the scan of the tree below; these are the kinds it forbids.
TEST(IncludeRule, CatchesEachKindOfViolation) {
  struct Case {
    const char* file;
    const char* target;
    bool angled;
  };
  const Case cases[] = {
      {"src/stock/temp_bill.cc", "platform/tsql/parser.h", false},
      {"src/platform/db/connection.h", "platform/services/call_scope.h", false},
      {"tools/checkbill/main.cc", "platform/variant/error.h", true},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(LayerViolation(c.file, c.target, c.angled).has_value())
        << c.file << " includes " << c.target;
  }
}

TEST(IncludeRule, NoSourceFileBreaksTheLayerRule) {
  const fs::path root = CHECKBILL_SOURCE_DIR;
  const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  size_t files_read = 0;
  for (const char* folder : {"src", "schema", "tools"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cc")) continue;
      ++files_read;
      const std::string name = fs::relative(entry.path(), root).generic_string();
      std::ifstream in(entry.path());
      std::string line;
      for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, include_line)) continue;
        if (auto violation = LayerViolation(name, match[2].str(), match[1].str() == "<")) {
          ADD_FAILURE() << name << ":" << number << ": " << *violation;
        }
      }
    }
  }
  // The scan must have found the tree, or it proves nothing.
  EXPECT_GT(files_read, 200u);
}

}  // namespace
}  // namespace cb::layering
