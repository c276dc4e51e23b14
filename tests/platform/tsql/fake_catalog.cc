// A catalog of fixed tables for translation tests.
#include "fake_catalog.h"

#include "platform/tsql/text_case.h"

namespace cb::tsql::test_support {

void FakeCatalog::Add(std::string table, std::vector<ColumnInfo> columns) {
  tables_[Lower(table)] = std::move(columns);
}

std::optional<std::vector<ColumnInfo>> FakeCatalog::TableColumns(std::string_view table) {
  auto found = tables_.find(Lower(table));
  if (found == tables_.end()) return std::nullopt;
  return found->second;
}

}  // namespace cb::tsql::test_support
