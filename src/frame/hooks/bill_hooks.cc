// Runs the type-9 hook components in their registered order until one vetoes.
#include "frame/hooks/bill_hooks.h"

#include <exception>

#include "frame/hooks/hook_component.h"
#include "frame/hooks/third_party_components.h"

namespace cb::hooks {

bool RunThirdPartyHooks(frame::ClassFrame& frame, const std::string& sDsn, int32_t lTypeID,
                        int32_t lTypeDetailID, int32_t nWhich, DictionaryPtr& dictHook,
                        int32_t& lRet, std::string& sMsg) {
  try {
    const VectorPtr prog_ids = GetThirdPartyComponents(frame, sDsn, lTypeID, lTypeDetailID, nWhich);
    if (prog_ids == nullptr) return true;
    // The data source string travels by reference too: a change made by one component is what the
    // next one receives.
    std::string dsn = sDsn;
    for (const Variant& prog_id : prog_ids->items()) {
      const std::string name = prog_id.ToString();
      const ObjectPtr component = CreateComponentByProgID(name);
      AsBillHook(component, name).HookInvoke(dsn, dictHook, lRet, sMsg);
      if (lRet < 0) break;
    }
  } catch (const std::exception&) {
    // A component that cannot be created or fails ends the calls; what was set so far stands.
  }
  return true;
}

}  // namespace cb::hooks
