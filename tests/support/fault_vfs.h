// FaultVfs: a SQLite file system for tests that passes everything to the default one but fails the
// Nth write, sync or lock, so that every storage failure of an operation can be exercised.
#pragma once

#include <cstdint>

namespace cb::testing {

// Which operations count, and what the failing one reports.
enum class StorageFault {
  kIoError,    // writes, syncs and locks; SQLITE_IOERR with the write, sync or lock detail
  kDiskFull,   // writes, syncs and locks; SQLITE_FULL
  kReadError,  // reads; SQLITE_IOERR_READ (a page read in the middle of a transaction)
};

// While an instance lives, the fault file system (registered once as kName) is the default
// one, so every connection opened meanwhile goes through it; the previous default comes back on
// destruction. Files opened before keep the file system they were opened with. One instance at a
// time per process.
class FaultVfs {
 public:
  static constexpr const char* kName = "checkbill-fault";

  FaultVfs();
  ~FaultVfs();
  FaultVfs(const FaultVfs&) = delete;
  FaultVfs& operator=(const FaultVfs&) = delete;

  // From now on, counts the operations `fault` names (lock requests are file locks and
  // shared-memory locks; unlocking is never failed) of the files opened through this file system,
  // and fails the one numbered fail_at (from 1) with `fault`; the operations after it succeed
  // again, as after a passing fault. fail_at 0 fails nothing and only counts.
  void Arm(int64_t fail_at, StorageFault fault);
  // Operations counted since the last Arm.
  int64_t operations() const;
  // Whether the armed operation was reached and failed.
  bool fired() const;
};

}  // namespace cb::testing
