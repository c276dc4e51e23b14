// The site's hook components registered in t_ThirdPartyComponent, and their creation by ProgID.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/recordset.h"
#include "platform/variant/object.h"
#include "platform/variant/vector.h"

namespace cb::hooks {

// FTypeID of the two hook kinds.
inline constexpr int32_t kHookTypeBill = 9;   // detail = the bill's transaction type
inline constexpr int32_t kHookTypeStage = 2;  // detail = a stage number

// nWhich = 1 lists FComponentSrv; any other value lists FComponentName.
inline constexpr int32_t kWhichComponentSrv = 1;

// "SELECT FIndex,FComponentName,FComponentSrv FROM t_ThirdPartyComponent WHERE FTypeID=<type> AND
// FTypeDetailID=<detail> ORDER BY FIndex ".
[[nodiscard]] std::string ThirdPartyComponentsQuery(int32_t lTypeID, int32_t lTypeDetailID);

// The trimmed ProgIDs of every row from the first, FComponentSrv when nWhich is 1 and
// FComponentName otherwise, Null read as ""; blank names are left out, the order is kept.
[[nodiscard]] VectorPtr ReadComponentProgIDs(db::Recordset& rows, int32_t nWhich);

// Votes VoteCommit, binds the frame to sDsn (AttachDsn), takes a connection from OpenConnection and
// lists the ProgIDs registered under the type and detail (see ReadComponentProgIDs). nullptr when
// no row matches. Errors reach the caller.
[[nodiscard]] VectorPtr GetThirdPartyComponents(frame::ClassFrame& frame, const std::string& sDsn,
                                                int32_t lTypeID, int32_t lTypeDetailID,
                                                int32_t nWhich);

// A new instance of the component registered under ProgID in this thread's object factory. Raises
// cb::Error when it cannot be created.
[[nodiscard]] ObjectPtr CreateComponentByProgID(std::string_view ProgID);

}  // namespace cb::hooks
