// Errors: bounds-checked access to a connection's pending database errors.
#include "platform/db/errors.h"

#include <string>

namespace cb::db {

const DbError& Errors::Item(size_t index) const {
  if (index >= items_.size()) {
    throw Error(kErrSubscriptOutOfRange, "Errors",
                "Subscript out of range: error " + std::to_string(index) + " of " +
                    std::to_string(items_.size()));
  }
  return items_[index];
}

}  // namespace cb::db
