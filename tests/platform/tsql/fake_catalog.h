// A catalog of fixed tables for translation tests: names compare without regard to case.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tsql/backend.h"

namespace cb::tsql::test_support {

class FakeCatalog : public Catalog {
 public:
  void Add(std::string table, std::vector<ColumnInfo> columns);
  std::optional<std::vector<ColumnInfo>> TableColumns(std::string_view table) override;

 private:
  std::map<std::string, std::vector<ColumnInfo>> tables_;
};

}  // namespace cb::tsql::test_support
