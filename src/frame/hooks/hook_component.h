// The two forms of HookInvoke that a site's hook component registered in t_ThirdPartyComponent
// implements, as C++ interfaces a host can derive from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/variant/dictionary.h"
#include "platform/variant/object.h"

namespace cb::hooks {

// The platform's number for a late-bound call of a method the object does not have.
inline constexpr int32_t kErrMethodNotSupported = 438;

// Type-9 form, called once right after the bill is loaded with the bill's transaction type as
// detail. Every argument is by reference. A negative lRet vetoes the operation with sMsg as its
// message; the dictHook the component leaves behind replaces the caller's.
class BillHookComponent : public virtual Object {
 public:
  virtual void HookInvoke(std::string& sDsn, DictionaryPtr& dictHook, int32_t& lRet,
                          std::string& sMsg) = 0;
};

// Type-2 form, called at the stages 200001, 200002 and 200003. False vetoes the operation; the
// component then explains itself through "ErrCode", "ErrSource" and "ErrDescription" of dictHook.
// The dictHook the component leaves behind replaces the caller's.
class StageHookComponent : public virtual Object {
 public:
  virtual bool HookInvoke(int32_t& lStage, DictionaryPtr& dictHook) = 0;
};

// The form a created component offers; raises cb::Error 438 (as a late-bound call of a missing
// method does) when the object does not implement it. prog_id only names the object in the
// description.
BillHookComponent& AsBillHook(const ObjectPtr& component, std::string_view prog_id);
StageHookComponent& AsStageHook(const ObjectPtr& component, std::string_view prog_id);

}  // namespace cb::hooks
