// Runs the type-2 hook components of one stage; the first refusal or failure vetoes the operation.
#include "frame/hooks/hook_stage.h"

#include <exception>

#include "frame/hooks/hook_component.h"
#include "frame/hooks/third_party_components.h"
#include "frame/public_call.h"
#include "frame/sql_template.h"
#include "frame/vocabulary/dictionary_keys.h"

namespace cb::hooks {

namespace {

[[noreturn]] void RaiseRefusal(const DictionaryPtr& dictHook) {
  if (dictHook == nullptr) {
    throw Error(kErrObjectRequired, "", "Object required: the hook component returned no dictHook");
  }
  const int32_t number = dictHook->ReadOr(kHookErrCode, Variant(int32_t{0})).ToInt32();
  const std::string source = dictHook->ReadOr(kHookErrSource, Variant("")).ToString();
  const std::string description =
      dictHook->ReadOr(kHookErrDescription, Variant(kNoInformation)).ToString();
  throw Error(number, source, description);
}

void RunStageComponents(frame::ClassFrame& frame, int32_t lStage, DictionaryPtr& dictHook,
                        const db::ConnectionPtr& oConnection) {
  if (dictHook == nullptr) throw Error(kErrObjectRequired, "", "Object required: dictHook");
  const std::string dsn = dictHook->ReadOr(kHookDsn, Variant("")).ToString();
  const db::ConnectionPtr connection = frame.GetConnection(dsn, false, oConnection);
  const db::RecordsetPtr rows = connection->Execute(HookStageQuery(lStage));
  if (!rows->IsOpen()) return;
  for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
    const std::string prog_id = rows->Field("FComponentSrv").ToString();
    const ObjectPtr component = CreateComponentByProgID(prog_id);
    int32_t stage = lStage;
    if (!AsStageHook(component, prog_id).HookInvoke(stage, dictHook)) RaiseRefusal(dictHook);
  }
}

}  // namespace

std::string HookStageQuery(int32_t lStage) {
  return frame::SqlTemplate(
             "SELECT FComponentSrv FROM t_ThirdPartyComponent WHERE FTypeID=2 AND "
             "FTypeDetailID=##Stage## ORDER BY FIndex")
      .Number("Stage", lStage)
      .Sql();
}

int32_t RunHookStage(frame::ClassFrame& frame, int32_t lStage, DictionaryPtr& dictHook,
                     std::string& sMsg, const db::ConnectionPtr& oConnection,
                     const std::string& /*sLanguage*/) {
  try {
    RunStageComponents(frame, lStage, dictHook, oConnection);
  } catch (...) {
    sMsg = frame::CurrentExceptionAsError().description();
    frame.VoteAbort();
    return kHookStageRefused;
  }
  frame.VoteCommit();
  return 0;
}

}  // namespace cb::hooks
