// CheckRequest: the request keys of CheckBill's DictParams, read once at the start of a call.
#pragma once

#include <cstdint>
#include <string>

#include "frame/vocabulary/dictionary_keys.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::check {

struct CheckRequest {
  int32_t InterID = 0;
  int32_t TransType = 0;
  int32_t CheckSwitch = 0;  // an Enu_CheckSwith value
  int32_t OperateType = 0;
  int32_t ReCheck = 0;
  double CheckDate = 0;  // day number
  int32_t OperateCode = 1;
  std::string PropString;
  VectorPtr vectDeleteItem;  // nullptr when the caller gave none
};

// Reads the eight leading keys in their order ("InterID", "TransType", "CheckSwitch",
// "OperateType", "ReCheck", "CheckDate", "OperateCode", "PropString") and "vectDeleteItem". Absent
// keys read as 0, 1 for "OperateCode", "" for "PropString"; an absent "ReCheck" is 0 and an absent
// "CheckDate" is day 0. "CheckDate" may be a date, a day number or 'YYYY-MM-DD[ HH:MM:SS]' text.
// Raises cb::Error (type mismatch) when a value cannot be read as its type: that error belongs to
// the caller.
[[nodiscard]] CheckRequest ReadCheckRequest(const Dictionary& DictParams);

// The checker of the call: "CheckerID" when present and not 0, otherwise user_id (the current
// user). Errors while reading the key are ignored: a value that cannot be read as a 32-bit integer
// counts as absent.
[[nodiscard]] int32_t ResolveCheckerID(const Dictionary& DictParams, int32_t user_id);

}  // namespace cb::check
