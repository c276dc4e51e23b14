// The layer rule of the source tree as a function of one include line, so that the tree scan and
// the table of planted violations apply the same rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cb::layering {

// One include line: the file it is in (relative to the project root, e.g.
// "src/stock/temp_bill.cc"), the name between the quotes or angle brackets, and which of the two it
// used.
struct IncludeLine {
  std::string_view file;
  std::string_view target;
  bool angled = false;
};

// Why the include breaks the layer rule, or nullopt when it is allowed:
// - a file includes a folder of a higher layer (variant < db < tsql < sqlite < services < frame <
//   business folders < check < engine);
// - a file outside the dialect and SQLite layers and the engine (services, frame, the business
//   folders, schema) includes platform/tsql, platform/sqlite or sqlite3.h, and no file but the
//   SQLite layer includes sqlite3.h;
// - a file under tools/ includes anything but the public header set ("checkbill/…"), its own
//   headers ("tools/…") and standard or third-party headers.
std::optional<std::string> LayerViolation(const IncludeLine& line);

}  // namespace cb::layering
