// Finds which table of an UPDATE … FROM or DELETE … FROM the statement's target names.
#pragma once

#include <string_view>
#include <vector>

#include "platform/tsql/ast.h"

namespace cb::tsql {

// The FROM item the target binds to, or nullptr when the target is a table outside FROM. The
// server's rule: the target binds to the item it names by alias (or by an unaliased table name);
// failing that, a table name binds to the single aliased instance of that table in FROM. Raises
// kSyntax when the name is ambiguous and kUnsupported when it names a derived table.
const FromItem* BindTarget(const std::vector<FromItem>& from, std::string_view target,
                           SourcePos pos);

}  // namespace cb::tsql
