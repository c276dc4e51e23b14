// CallState: what the steps of one CheckBill call share, each step's outputs in a struct of its
// own.
#pragma once

#include <cstdint>

#include "check/check_request.h"
#include "frame/vocabulary/operate_code.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/variant.h"

namespace cb::check {

// How a step ends: the flow goes on to the next step, the call is refused (the running code stays
// in lRet), or the call is finished by the step's own success exit (the multi-level check's code
// 3).
enum class StepResult {
  kGoOn,
  kRefuse,
  kFinished,
};

// kGoOn when the step passed, kRefuse otherwise.
constexpr StepResult GoOnIf(bool passed) {
  return passed ? StepResult::kGoOn : StepResult::kRefuse;
}

// What CheckBill reads before the first step.
struct CallInput {
  CheckRequest request;
  Dictionary* DictParams = nullptr;  // the caller's dictionary; outlives the call
  Variant* Rs = nullptr;             // handed to the stock driver
  db::ConnectionPtr connection;
  int32_t checker_id = 0;
};

// The bill as loaded: the system profile and the head and entry rows.
struct LoadedBill {
  DictionaryPtr sys_profile;  // nullptr when t_SystemProfile holds none of the keys
  db::RecordsetPtr head;
  db::RecordsetPtr entry;  // nullptr for a type without an entry table
};

// The bill-hook step's output, which the stage hooks read.
struct HookStepOutput {
  DictionaryPtr dict_hook;
};

// The current period's first and last day (day numbers; 0 when the lookup failed).
struct PeriodDates {
  double start = 0;
  double end = 0;
};

// The dictionaries the type-specific handlers share.
struct StepDictionaries {
  bool before_system_start_up = false;
  DictionaryPtr params;  // dictStepParams
  DictionaryPtr result;  // dictResult
};

struct CallState {
  CallInput call;
  LoadedBill bill;
  HookStepOutput hooks;
  PeriodDates period;
  StepDictionaries steps;
};

}  // namespace cb::check
