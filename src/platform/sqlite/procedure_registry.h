// The stored procedures a connection can call: C++ functions registered by name, which run their
// SQL on the calling connection.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/parameters.h"

namespace cb::sqlite {

using Procedure = std::function<void(db::Connection&, db::Parameters&)>;

class ProcedureRegistry {
 public:
  // Adds or replaces the procedure under `name` (compared without regard to ASCII case).
  void Register(std::string_view name, Procedure procedure);
  // The procedure, or nullptr when none has that name.
  const Procedure* Find(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, Procedure>> procedures_;
};

using ProcedureRegistryPtr = std::shared_ptr<const ProcedureRegistry>;

// Raises db::DatabaseException for a procedure that does not exist: "Could not find stored
// procedure 'X'." (native 2812, kNoSuchObject).
[[noreturn]] void RaiseUnknownProcedure(std::string_view name);

}  // namespace cb::sqlite
