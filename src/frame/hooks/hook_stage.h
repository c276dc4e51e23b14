// The type-2 hooks: components registered for a stage of CheckBill, any of which can veto it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "platform/db/connection.h"
#include "platform/variant/dictionary.h"

namespace cb::hooks {

// The stages at which CheckBill runs the type-2 hooks.
inline constexpr int32_t kStageAfterLoad = 200001;  // after the type-9 hooks
inline constexpr int32_t kStageAfterWriteBack =
    200002;  // after the order write-backs of stock bills
inline constexpr int32_t kStageBeforeSuccess = 200003;  // the last step before success

// RunHookStage's answer when a component refused or the stage failed.
inline constexpr int32_t kHookStageRefused = -200026;

// The description used when a refusing component left none in dictHook.
inline constexpr std::string_view kNoInformation = "No Information";

// "SELECT FComponentSrv FROM t_ThirdPartyComponent WHERE FTypeID=2 AND FTypeDetailID=<stage> ORDER
// BY FIndex".
[[nodiscard]] std::string HookStageQuery(int32_t lStage);

// Calls HookInvoke (type-2 form) of every component registered for the stage, in FIndex order, on
// the connection GetConnection gives for dictHook's "sDsn" (oConnection when set), keeping the
// dictHook each one hands back. When all agree (or none is registered): votes VoteCommit and
// answers 0. When one answers false, the refusal is the error "ErrCode" (default 0), "ErrSource"
// (default "") and "ErrDescription" (default "No Information") of dictHook; that error, or any
// other (a component that cannot be created, a failing query), sets sMsg to its description
// (replacing its text), votes VoteAbort and answers kHookStageRefused. Never raises. sLanguage is
// accepted and not used.
[[nodiscard]] int32_t RunHookStage(frame::ClassFrame& frame, int32_t lStage,
                                   DictionaryPtr& dictHook, std::string& sMsg,
                                   const db::ConnectionPtr& oConnection,
                                   const std::string& sLanguage);

}  // namespace cb::hooks
