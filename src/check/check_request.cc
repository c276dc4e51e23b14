// Reads CheckBill's request keys with their defaults and resolves the checker.
#include "check/check_request.h"

#include "platform/variant/error.h"

namespace cb::check {

namespace {

int32_t ReadInt32(const Dictionary& params, std::string_view key, int32_t default_value) {
  return params.ReadOr(key, Variant(default_value)).ToInt32();
}

}  // namespace

CheckRequest ReadCheckRequest(const Dictionary& DictParams) {
  CheckRequest request;
  request.InterID = ReadInt32(DictParams, kKeyInterID, 0);
  request.TransType = ReadInt32(DictParams, kKeyTransType, 0);
  request.CheckSwitch = ReadInt32(DictParams, kKeyCheckSwitch, 0);
  request.OperateType = ReadInt32(DictParams, kKeyOperateType, 0);
  // "ReCheck" and "CheckDate" have no default of their own: an absent key reads as Empty, which is
  // 0.
  request.ReCheck = DictParams.Read(kKeyReCheck).ToInt32();
  request.CheckDate = DictParams.Read(kKeyCheckDate).ToDate();
  request.OperateCode = ReadInt32(DictParams, kKeyOperateCode, 1);
  request.PropString = DictParams.ReadOr(kKeyPropString, Variant("")).ToString();
  request.vectDeleteItem = DictParams.Read(kKeyVectDeleteItem).As<Vector>();
  return request;
}

int32_t ResolveCheckerID(const Dictionary& DictParams, int32_t user_id) {
  int32_t checker = 0;
  try {
    checker = DictParams.ReadOr(kKeyCheckerID, Variant(int32_t{0})).ToInt32();
  } catch (const Error&) {
    // The checker is resolved with errors ignored: an unreadable id counts as no id.
    checker = 0;
  }
  return checker == 0 ? user_id : checker;
}

}  // namespace cb::check
