// Registers the suite's procedures.
#include "platform/sqlite/procedures/suite_procedures.h"

#include "platform/sqlite/procedures/get_period_start_end.h"
#include "platform/sqlite/procedures/po_request_to_mrp_result.h"

namespace cb::sqlite {

ProcedureRegistryPtr SuiteProcedures() {
  static const ProcedureRegistryPtr registry = [] {
    auto procedures = std::make_shared<ProcedureRegistry>();
    procedures->Register("GetPeriodStartEnd", GetPeriodStartEnd);
    procedures->Register("PORequest2ICMrpResult", PORequest2ICMrpResult);
    return ProcedureRegistryPtr(std::move(procedures));
  }();
  return registry;
}

}  // namespace cb::sqlite
