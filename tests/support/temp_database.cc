// TempDatabase: mkdtemp under the system's temporary directory.
#include "support/temp_database.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace cb::testing {

TempDatabase::TempDatabase() {
  std::string pattern = (std::filesystem::temp_directory_path() / "checkbill-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
}

TempDatabase::~TempDatabase() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

}  // namespace cb::testing
