// The stored procedures of the suite's database that the engine calls.
#pragma once

#include "platform/sqlite/procedure_registry.h"

namespace cb::sqlite {

// A registry holding GetPeriodStartEnd and PORequest2ICMrpResult; shared, built once.
ProcedureRegistryPtr SuiteProcedures();

}  // namespace cb::sqlite
