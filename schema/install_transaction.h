// The transaction the installer writes in: its own when the connection has none open, else the
// caller's.
#pragma once

#include "platform/db/connection.h"

namespace cb::schema {

// Begins a transaction unless one is open. An owned transaction that is not committed is rolled
// back when the object goes out of scope; a joined one is left to its owner either way.
class InstallTransaction {
 public:
  explicit InstallTransaction(db::Connection& connection)
      : connection_(connection), owned_(!connection.InTransaction()) {
    if (owned_) connection_.BeginTrans();
  }
  InstallTransaction(const InstallTransaction&) = delete;
  InstallTransaction& operator=(const InstallTransaction&) = delete;

  ~InstallTransaction() {
    if (!owned_ || committed_) return;
    try {
      connection_.RollbackTrans();
    } catch (...) {
      // The failure that brought us here is the one worth reporting.
    }
  }

  void Commit() {
    if (owned_) connection_.CommitTrans();
    committed_ = true;
  }

 private:
  db::Connection& connection_;
  bool owned_;
  bool committed_ = false;
};

}  // namespace cb::schema
