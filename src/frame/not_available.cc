// The error of a public member whose work is not part of this build yet.
#include "frame/not_available.h"

#include <string>

#include "platform/variant/error.h"

namespace cb::frame {

void RaiseNotAvailable(std::string_view member) {
  throw Error(kErrNotAvailable, "VellMCheckBill",
              std::string(member) + " is not available in this build");
}

}  // namespace cb::frame
