// Resolves the HookInvoke form of a created component, failing as a missing late-bound method
// would.
#include "frame/hooks/hook_component.h"

#include "platform/variant/error.h"

namespace cb::hooks {

namespace {

template <typename Form>
Form& ResolveForm(const ObjectPtr& component, std::string_view prog_id) {
  auto* form = dynamic_cast<Form*>(component.get());
  if (form == nullptr) {
    throw Error(kErrMethodNotSupported, std::string(prog_id),
                "Object doesn't support this property or method: HookInvoke");
  }
  return *form;
}

}  // namespace

BillHookComponent& AsBillHook(const ObjectPtr& component, std::string_view prog_id) {
  return ResolveForm<BillHookComponent>(component, prog_id);
}

StageHookComponent& AsStageHook(const ObjectPtr& component, std::string_view prog_id) {
  return ResolveForm<StageHookComponent>(component, prog_id);
}

}  // namespace cb::hooks
