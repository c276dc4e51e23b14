// The layer rule: each source folder has a floor, and an include may only reach down.
#include "layering/include_rule.h"

#include <array>

namespace cb::layering {
namespace {

struct Floor {
  std::string_view folder;  // a prefix of the path below src/ (or of an include name)
  int level;
};

// Business folders share a level; check sits above them because it drives their steps.
constexpr int kBusinessLevel = 6;
constexpr std::array<Floor, 14> kFloors = {{
    {"platform/variant/", 0},
    {"platform/db/", 1},
    {"platform/tsql/", 2},
    {"platform/sqlite/", 3},
    {"platform/services/", 4},
    {"schema/", 4},
    {"frame/", 5},
    {"rules/", kBusinessLevel},
    {"stock/", kBusinessLevel},
    {"qc/", kBusinessLevel},
    {"precheck/", kBusinessLevel},
    {"batch/", kBusinessLevel},
    {"check/", 7},
    {"engine/", 8},
}};
constexpr int kEngineLevel = 8;
constexpr int kSqliteLevel = 3;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The level of a folder-relative path ("stock/temp_bill.h"), or -1 when it names no project folder.
int LevelOf(std::string_view path) {
  if (StartsWith(path, "checkbill/")) return kEngineLevel;  // the public header set
  for (const Floor& floor : kFloors) {
    if (StartsWith(path, floor.folder)) return floor.level;
  }
  return -1;
}

// The level of the file that holds the include line; -1 for files outside src/ and schema/.
int FileLevel(std::string_view file) {
  if (StartsWith(file, "src/")) return LevelOf(file.substr(4));
  if (StartsWith(file, "schema/")) return LevelOf(file);
  return -1;
}

bool IsDialectOrSqlite(std::string_view target) {
  return StartsWith(target, "platform/tsql/") || StartsWith(target, "platform/sqlite/") ||
         target == "sqlite3.h";
}

std::optional<std::string> ToolViolation(const IncludeLine& line) {
  if (line.target == "sqlite3.h" || (LevelOf(line.target) >= 0 && line.angled)) {
    return "the tool reaches past the public headers to <" + std::string(line.target) + ">";
  }
  if (line.angled) return std::nullopt;
  if (StartsWith(line.target, "checkbill/") || StartsWith(line.target, "tools/"))
    return std::nullopt;
  return "the tool includes \"" + std::string(line.target) +
         "\", which is not one of the public headers (checkbill/…)";
}

}  // namespace

std::optional<std::string> LayerViolation(const IncludeLine& line) {
  if (StartsWith(line.file, "tools/")) return ToolViolation(line);
  const int file_level = FileLevel(line.file);
  if (file_level < 0) return std::nullopt;
  const std::string target(line.target);
  if (target == "sqlite3.h" && !StartsWith(line.file, "src/platform/sqlite/")) {
    return "only the SQLite layer includes sqlite3.h";
  }
  if (IsDialectOrSqlite(target) && file_level > kSqliteLevel && file_level < kEngineLevel) {
    return "a file above the database layer includes the dialect or SQLite layer (" + target + ")";
  }
  const int target_level = LevelOf(target);
  if (target_level > file_level) return "a lower layer includes a higher one (" + target + ")";
  return std::nullopt;
}

}  // namespace cb::layering
