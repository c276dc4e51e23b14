// Conversion of any exception into the engine's one error type.
#include "frame/public_call.h"

#include <exception>
#include <string>

namespace cb::frame {

Error CurrentExceptionAsError() {
  try {
    throw;
  } catch (const Error& error) {
    return error;
  } catch (const std::exception& exception) {
    return Error(kErrInternal, "", std::string("Internal error: ") + exception.what());
  } catch (...) {
    return Error(kErrInternal, "", "Internal error of unknown kind");
  }
}

}  // namespace cb::frame
