// The exits of CheckBill: how the running code and message of a call become the result keys of
// DictParams, and the vote each exit casts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frame/class_frame.h"
#include "frame/vocabulary/dictionary_keys.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/vector.h"

namespace cb::check {

// The running state the exits read.
struct CheckOutcome {
  int32_t lRet = 0;            // the running result code
  std::string sMsg;            // the accumulated message
  std::string operation_name;  // GetOperationName of the operation code, localised
  std::string bill_no;         // FBillNo of the head row
  std::string language;
  VectorPtr item_info = Vector::Create();
};

// Success: "%1[编号：%2]单据成功!" in front of sMsg; writes "ReturnCode" 0, "ReturnString",
// "ReturnString2" "" and "vectItemInfo"; votes VoteCommit.
void WriteSuccess(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams);

// One level of a multi-level check recorded: code 3, "多级%1[编号：%2]单据成功!" in front of sMsg;
// writes "ReturnCode", "ReturnString" and "vectItemInfo"; votes VoteCommit.
void WriteMultiLevelSuccess(frame::ClassFrame& frame, CheckOutcome& outcome,
                            Dictionary& DictParams);

// A refusal: votes VoteAbort, then by lRet: 1 or 2 keep sMsg (the failure line when it is empty)
// and ask "是否继续？"; -200 and -201 put the failure line in front and ask the lock-stock
// question; -204 and -205 put the failure line in front and ask "是否继续？"; 512 stays as it is;
// any other code becomes -1 with the failure line in front. The description of the thread's pending
// error, when one is set, is appended to sMsg. Writes "ReturnCode", "ReturnString", "ReturnString2"
// (the question, or sMsg when there is none) and "vectItemInfo".
void WriteFailure(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams);

// An unexpected error: votes VoteAbort; lRet -1 and sMsg replaced by
// "%1单据时出现错误！请检查单据后 再试。" with the operation name passed once more through
// LoadLocalString; writes "ReturnCode", "ReturnString" and "vectItemInfo" ("ReturnString2" is left
// as it is).
void WriteError(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams);

}  // namespace cb::check
