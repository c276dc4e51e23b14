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

FaultState& State() {
  static FaultState state;
  return state;
}

// A file of the fault file system: the default one's file follows in the same allocation.
struct FaultFile {
  sqlite3_file base;
  sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file) {
  return reinterpret_cast<FaultFile*>(file)->real;
}

// Counts one write, sync or lock (or, when reads are swept, one read); answers the error it must
// report, or SQLITE_OK to let it through.
int NextOperation(int io_error, bool is_read = false) {
  FaultState& state = State();
  if (is_read != (state.fault.load() == StorageFault::kReadError)) return SQLITE_OK;
  const int64_t number = ++state.count;
  if (number != state.fail_at.load()) return SQLITE_OK;
  state.fired = true;
  return state.fault.load() == StorageFault::kDiskFull ? SQLITE_FULL : io_error;
}

int Close(sqlite3_file* file) {
  return Real(file)->pMethods->xClose(Real(file));
}
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  if (int rc = NextOperation(SQLITE_IOERR_READ, true); rc != SQLITE_OK) return rc;
  return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
  if (int rc = NextOperation(SQLITE_IOERR_WRITE); rc != SQLITE_OK) return rc;
  return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
  return Real(file)->pMethods->xTruncate(Real(file), size);
}
int Sync(sqlite3_file* file, int flags) {
  if (int rc = NextOperation(SQLITE_IOERR_FSYNC); rc != SQLITE_OK) return rc;
  return Real(file)->pMethods->xSync(Real(file), flags);
}
int FileSize(sqlite3_file* file, sqlite3_int64* size) {
  return Real(file)->pMethods->xFileSize(Real(file), size);
}
int Lock(sqlite3_file* file, int level) {
  if (int rc = NextOperation(SQLITE_IOERR_LOCK); rc != SQLITE_OK) return rc;
  return Real(file)->pMethods->xLock(Real(file), level);
}
int Unlock(sqlite3_file* file, int level) {
  return Real(file)->pMethods->xUnlock(Real(file), level);
}
int CheckReservedLock(sqlite3_file* file, int* out) {
  return Real(file)->pMethods->xCheckReservedLock(Real(file), out);
}
int FileControl(sqlite3_file* file, int op, void* arg) {
  return Real(file)->pMethods->xFileControl(Real(file), op, arg);
}
int SectorSize(sqlite3_file* file) {
  return Real(file)->pMethods->xSectorSize(Real(file));
}
int DeviceCharacteristics(sqlite3_file* file) {
  return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}
int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** out) {
  return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, out);
}
int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
  if ((flags & SQLITE_SHM_LOCK) != 0) {
    if (int rc = NextOperation(SQLITE_IOERR_SHMLOCK); rc != SQLITE_OK) return rc;
  }
  return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}
void ShmBarrier(sqlite3_file* file) {
  Real(file)->pMethods->xShmBarrier(Real(file));
}
int ShmUnmap(sqlite3_file* file, int delete_flag) {
  return Real(file)->pMethods->xShmUnmap(Real(file), delete_flag);
}
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
  return Real(file)->pMethods->xFetch(Real(file), offset, amount, out);
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
  return Real(file)->pMethods->xUnfetch(Real(file), offset, page);
}

// One table for the files of every version: a file's methods are chosen at open by what the
// default file system's file offers (shared memory from version 2, memory mapping from 3).
sqlite3_io_methods MethodsOfVersion(int version) {
  sqlite3_io_methods methods{};
  methods.iVersion = version;
  methods.xClose = Close;
  methods.xRead = Read;
  methods.xWrite = Write;
  methods.xTruncate = Truncate;
  methods.xSync = Sync;
  methods.xFileSize = FileSize;
  methods.xLock = Lock;
  methods.xUnlock = Unlock;
  methods.xCheckReservedLock = CheckReservedLock;
  methods.xFileControl = FileControl;
  methods.xSectorSize = SectorSize;
  methods.xDeviceCharacteristics = DeviceCharacteristics;
  if (version >= 2) {
    methods.xShmMap = ShmMap;
    methods.xShmLock = ShmLock;
    methods.xShmBarrier = ShmBarrier;
    methods.xShmUnmap = ShmUnmap;
  }
  if (version >= 3) {
    methods.xFetch = Fetch;
    methods.xUnfetch = Unfetch;
  }
  return methods;
}

const sqlite3_io_methods* MethodsFor(const sqlite3_io_methods* real) {
  static const sqlite3_io_methods kVersions[] = {MethodsOfVersion(1), MethodsOfVersion(2),
                                                 MethodsOfVersion(3)};
  const int version = real->iVersion < 1 ? 1 : (real->iVersion > 3 ? 3 : real->iVersion);
  return &kVersions[version - 1];
}

sqlite3_vfs* Inner(sqlite3_vfs* vfs) {
  return static_cast<sqlite3_vfs*>(vfs->pAppData);
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
int Delete(sqlite3_vfs* vfs, const char* name, int sync_dir) {
  return Inner(vfs)->xDelete(Inner(vfs), name, sync_dir);
}
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* out) {
  return Inner(vfs)->xAccess(Inner(vfs), name, flags, out);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
  return Inner(vfs)->xFullPathname(Inner(vfs), name, size, out);
}
void* DlOpen(sqlite3_vfs* vfs, const char* name) {
  return Inner(vfs)->xDlOpen(Inner(vfs), name);
}
void DlError(sqlite3_vfs* vfs, int size, char* out) {
  Inner(vfs)->xDlError(Inner(vfs), size, out);
}
void (*DlSym(sqlite3_vfs* vfs, void* handle, const char* symbol))(void) {
  return Inner(vfs)->xDlSym(Inner(vfs), handle, symbol);
}
void DlClose(sqlite3_vfs* vfs, void* handle) {
  Inner(vfs)->xDlClose(Inner(vfs), handle);
}
int Randomness(sqlite3_vfs* vfs, int size, char* out) {
  return Inner(vfs)->xRandomness(Inner(vfs), size, out);
}
int Sleep(sqlite3_vfs* vfs, int microseconds) {
  return Inner(vfs)->xSleep(Inner(vfs), microseconds);
}
int CurrentTime(sqlite3_vfs* vfs, double* out) {
  return Inner(vfs)->xCurrentTime(Inner(vfs), out);
}
int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
  return Inner(vfs)->xGetLastError(Inner(vfs), size, out);
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* out) {
  return Inner(vfs)->xCurrentTimeInt64(Inner(vfs), out);
}

// The fault file system over the default one of the moment it is first asked for.
sqlite3_vfs* FaultFileSystem() {
  static sqlite3_vfs vfs = [] {
    sqlite3_vfs* inner = sqlite3_vfs_find(nullptr);
    sqlite3_vfs made{};
    made.iVersion = 2;
    made.szOsFile = static_cast<int>(sizeof(FaultFile)) + inner->szOsFile;
    made.mxPathname = inner->mxPathname;
    made.zName = FaultVfs::kName;
    made.pAppData = inner;
    made.xOpen = Open;
    made.xDelete = Delete;
    made.xAccess = Access;
    made.xFullPathname = FullPathname;
    made.xDlOpen = DlOpen;
    made.xDlError = DlError;
    made.xDlSym = DlSym;
    made.xDlClose = DlClose;
    made.xRandomness = Randomness;
    made.xSleep = Sleep;
    made.xCurrentTime = CurrentTime;
    made.xGetLastError = GetLastError;
    made.xCurrentTimeInt64 = CurrentTimeInt64;
    return made;
  }();
  return &vfs;
}

sqlite3_vfs*& PreviousDefault() {
  static sqlite3_vfs* previous = nullptr;
  return previous;
}

}  // namespace

FaultVfs::FaultVfs() {
  sqlite3_initialize();
  PreviousDefault() = sqlite3_vfs_find(nullptr);
  Arm(0, StorageFault::kIoError);
  sqlite3_vfs_register(FaultFileSystem(), 1);
}

FaultVfs::~FaultVfs() {
  Arm(0, StorageFault::kIoError);
  // Registering again moves a known file system to the head of the list, as the default.
  if (PreviousDefault() != nullptr) sqlite3_vfs_register(PreviousDefault(), 1);
}

void FaultVfs::Arm(int64_t fail_at, StorageFault fault) {
  FaultState& state = State();
  state.fail_at = fail_at;
  state.fault = fault;
  state.fired = false;
  state.count = 0;
}

int64_t FaultVfs::operations() const {
  return State().count;
}

bool FaultVfs::fired() const {
  return State().fired;
}

}  // namespace cb::testing
