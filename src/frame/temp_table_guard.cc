// Drops a guarded temporary table once, at the named point or on the way out.
#include "frame/temp_table_guard.h"

#include <utility>

namespace cb::frame {

TempTableGuard::TempTableGuard(ClassFrame& frame, std::string dsn, std::string table,
                               db::ConnectionPtr connection)
    : frame_(frame),
      dsn_(std::move(dsn)),
      table_(std::move(table)),
      connection_(std::move(connection)) {}

TempTableGuard::~TempTableGuard() {
  try {
    Drop();
  } catch (...) {
    // Leaving a scope must not fail because a drop did: the table dies with its connection anyway.
  }
}

void TempTableGuard::Drop() {
  if (dropped_) return;
  dropped_ = true;
  frame_.DropTempTable(dsn_, table_, connection_);
}

}  // namespace cb::frame
