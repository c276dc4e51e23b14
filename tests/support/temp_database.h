// TempDatabase: a scratch directory of its own per use, holding a database file path, removed with
// everything in it (journals included) when the fixture goes.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace cb::testing {

class TempDatabase {
 public:
  // A new directory under the system's temporary directory.
  TempDatabase() {
    std::string pattern = (std::filesystem::temp_directory_path() / "checkbill-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
  }
  ~TempDatabase() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  // The database file; not created until a connection opens it.
  std::string path() const { return File("test.db"); }
  // Any other file in the directory; not created.
  std::string File(const std::string& name) const { return (directory_ / name).string(); }
  const std::filesystem::path& directory() const { return directory_; }

 private:
  std::filesystem::path directory_;
};

}  // namespace cb::testing
