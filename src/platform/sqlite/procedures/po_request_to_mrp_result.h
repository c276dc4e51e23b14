// PORequest2ICMrpResult: hands a checked or unchecked purchase requisition over to the planning
// results.
#pragma once

#include "platform/db/connection.h"

namespace cb::sqlite {

// Parameters "@lInterID" (the requisition), "@iType" (1: the requisition's check state changed),
// "@iStatus" (0 checked, 1 unchecked), "@strReturn" (input-output text, at most 200 characters) and
// the return value.
//
// This database keeps no planning results of its own, so the procedure only confirms that the
// hand-over is one it can accept: the requisition must exist in PORequest, the type must be 1 and
// the status 0 or
// 1. It then returns 0 with "@strReturn" empty; otherwise it returns 1 with the reason in
// "@strReturn". It changes no data.
void PORequest2ICMrpResult(db::Connection& connection, db::Parameters& parameters);

}  // namespace cb::sqlite
