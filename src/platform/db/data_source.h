// DataSource: the parts of a data source string such as
// "Provider=SQLite;Data Source=demo.db;UserID=16;Language=en".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cb::db {

struct DataSource {
  std::string provider;     // as written, e.g. "SQLite"
  std::string data_source;  // the database the provider opens (a file name for SQLite)
  std::optional<int16_t> user_id;
  std::string language;  // empty when not given
  // Every pair in the order written, keys as written; a key given twice keeps its last value.
  std::vector<std::pair<std::string, std::string>> entries;

  // The value under key (compared as keys are, see ParseDataSource); nullopt when absent.
  std::optional<std::string> Get(std::string_view key) const;
};

// Reads semicolon-separated key=value pairs. Keys ignore case and blanks ("Data Source" is
// "datasource"); blanks around keys and values are trimmed; a value may be quoted with ' or " (a
// doubled quote stands for one) to hold ';' or outer blanks; empty pairs (";;", a trailing ';') are
// skipped. Raises cb::Error (kErrInvalidArgument) naming the fault when a pair has no '=' or no
// key, a quote is not closed, UserID is not a 16-bit integer, or Provider or Data Source is missing
// or empty.
DataSource ParseDataSource(std::string_view text);

// True when two keys name the same entry: equal once ASCII case and blanks are ignored.
bool SameDataSourceKey(std::string_view a, std::string_view b);

}  // namespace cb::db
