// TempDirectory: mkdtemp under the system's temporary directory.
#include "temp_database.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace cb::sqlite::testing {

TempDirectory::TempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "checkbill-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace cb::sqlite::testing
