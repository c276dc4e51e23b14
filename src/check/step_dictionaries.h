// The three dictionaries CheckBill builds for the steps it calls: dictHook for the hook components,
// dictStepParams for the type-specific handlers, and dictResult for what the handlers answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "check/check_request.h"
#include "frame/vocabulary/dictionary_keys.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"

namespace cb::check {

// A new dictHook: "sDsn", "OperateCode", "InterID", "TranType", and "ROB" = the head row's FROB
// when the head has a column of that name (any case), otherwise 0 (also when there is no head).
[[nodiscard]] DictionaryPtr BuildHookDictionary(const CheckRequest& request,
                                                const db::RecordsetPtr& rsBillHead);

// What dictStepParams carries besides the request.
struct StepContext {
  std::string language;
  int32_t checker_id = 0;
  bool before_system_start_up = false;
  db::RecordsetPtr bill_head;
  db::RecordsetPtr bill_entry;
  double period_start = 0;  // day numbers
  double period_end = 0;
  DictionaryPtr sys_profile;
};

// A new dictStepParams with its keys in their fixed order: "Language", "TransType", "InterID",
// "CheckerID", "CheckSwitch", "bBeforeSystemStartUp", "rsBillHead", "rsBillEntry", "OperateType",
// "OperateCode", "ReCheck", "datePeriodStart", "datePeriodEnd", "CheckDate", "DictSysProfile",
// "vectDeleteItem" (none when the caller gave none), "PropString", then "YesWhenUnderTip" and
// "YesWhenStockWarnTip" copied from DictParams, each only when the caller supplied it.
[[nodiscard]] DictionaryPtr BuildStepParams(const CheckRequest& request, const StepContext& context,
                                            const Dictionary& DictParams);

// A new dictResult: "ReturnString" "", "ReturnCode" 0, "VectItemInfo" a new empty Vector,
// "ShowUnderTip" 0, "ShowStockWarnTip" 0.
[[nodiscard]] DictionaryPtr NewStepResult();

// "bBeforeSystemStartUp": the inventory module has not finished its initialisation (the switch
// "IC|ICClosed" is off, which includes absent and Null) and the bill date lies before the start of
// the current period. Raises cb::Error
// (object required) when there is no profile, as every profile lookup does.
[[nodiscard]] bool IsBeforeSystemStartUp(const DictionaryPtr& sys_profile, double bill_date,
                                         double period_start);

}  // namespace cb::check
