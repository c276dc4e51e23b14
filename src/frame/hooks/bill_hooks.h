// The type-9 hooks: components registered for a transaction type, called once after the bill loads.
#pragma once

#include <cstdint>
#include <string>

#include "frame/class_frame.h"
#include "platform/variant/dictionary.h"

namespace cb::hooks {

// Calls HookInvoke (type-9 form) of every component GetThirdPartyComponents lists for the type and
// detail, in FIndex order, handing each sDsn, dictHook, lRet and sMsg by reference and keeping the
// dictHook it hands back. Stops after the first component that leaves lRet negative. An error (the
// list cannot be read, a component cannot be created or fails, or lacks the type-9 form) ends the
// calls silently: lRet and sMsg keep what the components set so far. Always true; callers look at
// lRet only.
bool RunThirdPartyHooks(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTypeID,
                        int32_t lTypeDetailID, int32_t nWhich, DictionaryPtr& dictHook,
                        int32_t& lRet, std::string& sMsg);

}  // namespace cb::hooks
