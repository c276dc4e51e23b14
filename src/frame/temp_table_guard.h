// TempTableGuard: a temporary table dropped at the point its rule names, and on every other way
// out of the scope that created it.
#pragma once

#include <string>

#include "frame/class_frame.h"
#include "platform/db/connection.h"

namespace cb::frame {

// Create the guard right after the table is created. Drop() drops the table at the point its rule
// names; when the scope is left without it (a refusal, an error), the destructor drops it. Both go
// through ClassFrame::DropTempTable, and the destructor never throws.
class TempTableGuard {
 public:
  TempTableGuard(ClassFrame& frame, std::string dsn, std::string table,
                 db::ConnectionPtr connection);
  ~TempTableGuard();
  TempTableGuard(const TempTableGuard&) = delete;
  TempTableGuard& operator=(const TempTableGuard&) = delete;

  // Drops the table now; later calls and the destructor do nothing more.
  void Drop();

 private:
  ClassFrame& frame_;
  std::string dsn_;
  std::string table_;
  db::ConnectionPtr connection_;
  bool dropped_ = false;
};

}  // namespace cb::frame
