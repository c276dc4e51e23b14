// A scratch directory for database files, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace cb::sqlite::testing {

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  // A path inside the directory; the file is not created.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace cb::sqlite::testing
