// CallState: what the steps of one CheckBill call share, from the request to the step results.
#pragma once

#include <cstdint>

#include "check/check_request.h"
#include "frame/vocabulary/operate_code.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/variant.h"

namespace cb::check {

struct CallState {
  CheckRequest request;
  Dictionary* DictParams = nullptr;  // the caller's dictionary; outlives the call
  Variant* Rs = nullptr;             // handed to the stock driver
  db::ConnectionPtr connection;
  int32_t checker_id = 0;
  DictionaryPtr sys_profile;
  db::RecordsetPtr bill_head;
  db::RecordsetPtr bill_entry;
  DictionaryPtr dict_hook;
  double period_start = 0;  // day numbers of the current period
  double period_end = 0;
  bool before_system_start_up = false;
  DictionaryPtr step_params;  // dictStepParams
  DictionaryPtr step_result;  // dictResult
};

}  // namespace cb::check
