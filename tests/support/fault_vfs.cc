// FaultVfs: the wrapping file system and its per-file methods, which count and fail operations.
#include "support/fault_vfs.h"

#include <sqlite3.h>

#include <atomic>

namespace cb::testing {
namespace {

struct FaultState {
  std::atomic<int64_t> count{0};
  std::atomic<int64_t> fail_at{0};
  std::atomic<bool> fired{false};
  std::atomic<StorageFault> fault{StorageFault::kIoError};
};

FaultState state;

// The default file system before the fault one took its place.
sqlite3_vfs* previous_default = nullptr;

// A file of the fault file system: the default one's file follows in the same allocation.
struct FaultFile {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file) {
  return reinterpret_cast<FaultFile*>(file)->real;
}

sqlite3_vfs* Inner(sqlite3_vfs* vfs) {
  return static_cast<sqlite3_vfs*>(vfs->pAppData);
}

// Passes a file method on to the default file system's file, and a file system method to the
// default file system, unchanged.
template <auto Method>
struct Forward;
template <typename R, typename... Args, R (*sqlite3_io_methods::*Method)(sqlite3_file*, Args...)>
struct Forward<Method> {
  static R Call(sqlite3_file* file, Args... args) {
    return (Real(file)->pMethods->*Method)(Real(file), args...);
  }
};
template <typename R, typename... Args, R (*sqlite3_vfs::*Method)(sqlite3_vfs*, Args...)>
struct Forward<Method> {
  static R Call(sqlite3_vfs* vfs, Args... args) {
    return (Inner(vfs)->*Method)(Inner(vfs), args...);
  }
};

// Counts one write, sync or lock (or, when reads are swept, one read); answers the error it must
// report, or SQLITE_OK to let it through.
int NextOperation(int io_error, bool is_read = false) {
  if (is_read != (state.fault.load() == StorageFault::kReadError)) return SQLITE_OK;
  const int64_t number = ++state.count;
  if (number != state.fail_at.load()) return SQLITE_OK;
  state.fired = true;
  return state.fault.load() == StorageFault::kDiskFull ? SQLITE_FULL : io_error;
}

// A file method that first counts its call as one operation, failing it when its number comes up.
template <auto Method, int kIoError, bool kIsRead = false>
struct Counted;
template <typename R, typename... Args, R (*sqlite3_io_methods::*Method)(sqlite3_file*, Args...),
          int kIoError, bool kIsRead>
struct Counted<Method, kIoError, kIsRead> {
  static R Call(sqlite3_file* file, Args... args) {
    if (int rc = NextOperation(kIoError, kIsRead); rc != SQLITE_OK) return rc;
    return Forward<Method>::Call(file, args...);
  }
};
int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
  if ((flags & SQLITE_SHM_LOCK) != 0) {
    if (int rc = NextOperation(SQLITE_IOERR_SHMLOCK); rc != SQLITE_OK) return rc;
  }
  return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}

// One table for the files of each version: a file's methods are chosen at open by what the default
// file system's file offers (shared memory from version 2; memory mapping, version 3, is not
// offered, so SQLite reads through xRead, where read faults are counted).
sqlite3_io_methods MethodsOfVersion(int version) {
  using M = sqlite3_io_methods;
  sqlite3_io_methods methods{};
  methods.iVersion = version;
  methods.xClose = Forward<&M::xClose>::Call;
  methods.xRead = Counted<&M::xRead, SQLITE_IOERR_READ, true>::Call;
  methods.xWrite = Counted<&M::xWrite, SQLITE_IOERR_WRITE>::Call;
  methods.xTruncate = Forward<&M::xTruncate>::Call;
  methods.xSync = Counted<&M::xSync, SQLITE_IOERR_FSYNC>::Call;
  methods.xFileSize = Forward<&M::xFileSize>::Call;
  methods.xLock = Counted<&M::xLock, SQLITE_IOERR_LOCK>::Call;
  methods.xUnlock = Forward<&M::xUnlock>::Call;
  methods.xCheckReservedLock = Forward<&M::xCheckReservedLock>::Call;
  methods.xFileControl = Forward<&M::xFileControl>::Call;
  methods.xSectorSize = Forward<&M::xSectorSize>::Call;
  methods.xDeviceCharacteristics = Forward<&M::xDeviceCharacteristics>::Call;
  if (version >= 2) {
    methods.xShmMap = Forward<&M::xShmMap>::Call;
    methods.xShmLock = ShmLock;
    methods.xShmBarrier = Forward<&M::xShmBarrier>::Call;
    methods.xShmUnmap = Forward<&M::xShmUnmap>::Call;
  }
  return methods;
}

const sqlite3_io_methods* MethodsFor(const sqlite3_io_methods* real) {
  static const sqlite3_io_methods kVersions[] = {MethodsOfVersion(1), MethodsOfVersion(2)};
  return &kVersions[real->iVersion >= 2 ? 1 : 0];
}

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out_flags) {
  auto* fault_file = reinterpret_cast<FaultFile*>(file);
  fault_file->base.pMethods = nullptr;
  fault_file->real = reinterpret_cast<sqlite3_file*>(fault_file + 1);
  const int rc = Inner(vfs)->xOpen(Inner(vfs), name, fault_file->real, flags, out_flags);
  // Closing goes through our methods whenever the inner file has methods of its own to close.
  if (fault_file->real->pMethods != nullptr) {
    fault_file->base.pMethods = MethodsFor(fault_file->real->pMethods);
  }
  return rc;
}

// The fault file system over the default one of the moment it is first asked for.
sqlite3_vfs* FaultFileSystem() {
  static sqlite3_vfs vfs = [] {
    using V = sqlite3_vfs;
    sqlite3_vfs* inner = sqlite3_vfs_find(nullptr);
    sqlite3_vfs made{};
    made.iVersion = 2;
    made.szOsFile = static_cast<int>(sizeof(FaultFile)) + inner->szOsFile;
    made.mxPathname = inner->mxPathname;
    made.zName = FaultVfs::kName;
    made.pAppData = inner;
    made.xOpen = Open;
    made.xDelete = Forward<&V::xDelete>::Call;
    made.xAccess = Forward<&V::xAccess>::Call;
    made.xFullPathname = Forward<&V::xFullPathname>::Call;
    made.xDlOpen = Forward<&V::xDlOpen>::Call;
    made.xDlError = Forward<&V::xDlError>::Call;
    made.xDlSym = Forward<&V::xDlSym>::Call;
    made.xDlClose = Forward<&V::xDlClose>::Call;
    made.xRandomness = Forward<&V::xRandomness>::Call;
    made.xSleep = Forward<&V::xSleep>::Call;
    made.xCurrentTime = Forward<&V::xCurrentTime>::Call;
    made.xGetLastError = Forward<&V::xGetLastError>::Call;
    made.xCurrentTimeInt64 = Forward<&V::xCurrentTimeInt64>::Call;
    return made;
  }();
  return &vfs;
}

}  // namespace

FaultVfs::FaultVfs() {
  sqlite3_initialize();
  previous_default = sqlite3_vfs_find(nullptr);
  Arm(0, StorageFault::kIoError);
  sqlite3_vfs_register(FaultFileSystem(), 1);
}

FaultVfs::~FaultVfs() {
  Arm(0, StorageFault::kIoError);
  // Registering again moves a known file system to the head of the list, as the default.
  if (previous_default != nullptr) sqlite3_vfs_register(previous_default, 1);
}

void FaultVfs::Arm(int64_t fail_at, StorageFault fault) {
  state.fail_at = fail_at;
  state.fault = fault;
  state.fired = false;
  state.count = 0;
}

int64_t FaultVfs::operations() const {
  return state.count;
}

bool FaultVfs::fired() const {
  return state.fired;
}

}  // namespace cb::testing
