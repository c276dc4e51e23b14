// The ADO-error classifier ("VellErrorHandle.CheckADOError"): tells real database errors from
// warnings.
#pragma once

#include <string_view>

#include "platform/db/database_error.h"
#include "platform/variant/object.h"

namespace cb::services {

inline constexpr std::string_view kAdoErrorClassifierProgID = "VellErrorHandle.CheckADOError";

class AdoErrorClassifier : public virtual Object {
 public:
  // True when the error is a real error rather than a warning or an informational message. The
  // default rule: everything the backend did not mark as a warning is real.
  virtual bool IsError(const db::DbError& error) const { return !error.is_warning; }
};

}  // namespace cb::services
