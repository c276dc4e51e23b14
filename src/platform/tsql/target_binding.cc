// Binds the target of UPDATE … FROM and DELETE … FROM to a table of the FROM clause.
#include "platform/tsql/target_binding.h"

#include <string>

#include "platform/tsql/text_case.h"
#include "platform/tsql/tsql_error.h"

namespace cb::tsql {

const FromItem* BindTarget(const std::vector<FromItem>& from, std::string_view target,
                           SourcePos pos) {
  const FromItem* by_exposed = nullptr;
  const FromItem* by_table = nullptr;
  int exposed_count = 0;
  int table_count = 0;
  for (const FromItem& item : from) {
    if (SameName(item.table.exposed(), target)) {
      by_exposed = &item;
      ++exposed_count;
    } else if (!item.table.derived && SameName(item.table.name, target)) {
      by_table = &item;
      ++table_count;
    }
  }
  const FromItem* bound = exposed_count > 0 ? by_exposed : by_table;
  if (exposed_count > 1 || (exposed_count == 0 && table_count > 1)) {
    RaiseInvalid("The target '" + std::string(target) + "' is ambiguous", pos);
  }
  if (bound && bound->table.derived) RaiseUnsupported("UPDATE or DELETE of a derived table", pos);
  return bound;
}

}  // namespace cb::tsql
