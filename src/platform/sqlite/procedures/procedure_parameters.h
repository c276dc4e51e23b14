// Reading and writing the parameters of a registered procedure, with the errors the suite's
// database gives for missing ones.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/parameters.h"

namespace cb::sqlite {

// The parameter under `name`; raises db::DatabaseException (native 201, "Procedure or function 'P'
// expects parameter '@x', which was not supplied.") when the caller did not create it.
db::Parameter& RequiredParameter(db::Parameters& parameters, std::string_view procedure,
                                 std::string_view name);

// The parameter's value as a 32-bit integer; Null and Empty read as 0.
int32_t IntegerParameter(db::Parameters& parameters, std::string_view procedure,
                         std::string_view name);

// Sets the return value when the caller asked for one.
void SetReturnValue(db::Parameters& parameters, int32_t value);

// Raises db::DatabaseException with native 50000 (an error a procedure raises itself).
[[noreturn]] void RaiseProcedureError(std::string description);

}  // namespace cb::sqlite
