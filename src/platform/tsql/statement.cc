// The default accessors of Statement: empty answers for the kinds that do not carry the item.
#include "platform/tsql/batch.h"

namespace cb::tsql {

const std::string& Statement::into_table() const {
  static const std::string kNone;
  return kNone;
}

const std::vector<std::string>& Statement::targets() const {
  static const std::vector<std::string> kNone;
  return kNone;
}

const std::vector<Declaration>& Statement::declarations() const {
  static const std::vector<Declaration> kNone;
  return kNone;
}

const Statement* Statement::then_branch() const {
  return nullptr;
}

const Statement* Statement::else_branch() const {
  return nullptr;
}

const std::vector<std::unique_ptr<Statement>>& Statement::children() const {
  static const std::vector<std::unique_ptr<Statement>> kNone;
  return kNone;
}

}  // namespace cb::tsql
