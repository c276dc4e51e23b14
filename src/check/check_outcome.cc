// Writes CheckBill's result keys for each way a call can end.
#include "check/check_outcome.h"

#include "check/check_result.h"
#include "frame/messages/messages.h"
#include "platform/services/pending_error.h"

namespace cb::check {

namespace {

std::string FormatWithBill(std::string_view format, const CheckOutcome& outcome) {
  return messages::FormatString(format, outcome.language,
                                {Variant(outcome.operation_name), Variant(outcome.bill_no)});
}

void WriteCommon(const CheckOutcome& outcome, Dictionary& DictParams) {
  DictParams.Write(kOutReturnCode, Variant(outcome.lRet));
  DictParams.Write(kOutReturnString, Variant(outcome.sMsg));
}

}  // namespace

void WriteSuccess(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams) {
  outcome.lRet = ToInt(ReturnCode::kSuccess);
  outcome.sMsg = FormatWithBill(kTextSuccess, outcome) + outcome.sMsg;
  WriteCommon(outcome, DictParams);
  DictParams.Write(kOutReturnString2, Variant(""));
  DictParams.Write(kOutVectItemInfo, Variant(outcome.item_info));
  frame.VoteCommit();
}

void WriteMultiLevelSuccess(frame::ClassFrame& frame, CheckOutcome& outcome,
                            Dictionary& DictParams) {
  outcome.lRet = ToInt(ReturnCode::kMultiLevelRecorded);
  outcome.sMsg = FormatWithBill(kTextMultiLevelSuccess, outcome) + outcome.sMsg;
  WriteCommon(outcome, DictParams);
  DictParams.Write(kOutVectItemInfo, Variant(outcome.item_info));
  frame.VoteCommit();
}

void WriteFailure(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams) {
  frame.VoteAbort();
  std::string question;
  switch (outcome.lRet) {
    case 1:
    case 2:
      if (outcome.sMsg.empty()) outcome.sMsg = FormatWithBill(kTextFailure, outcome);
      question = outcome.sMsg + messages::LoadLocalString(kTextContinue, outcome.language);
      break;
    case -200:
    case -201:
      outcome.sMsg = FormatWithBill(kTextFailure, outcome) + outcome.sMsg;
      question =
          outcome.sMsg + messages::LoadLocalString(kTextContinueReleaseLock, outcome.language);
      break;
    case -204:
    case -205:
      outcome.sMsg = FormatWithBill(kTextFailure, outcome) + outcome.sMsg;
      question = outcome.sMsg + messages::LoadLocalString(kTextContinue, outcome.language);
      break;
    case 512:
      break;
    default:
      outcome.lRet = ToInt(ReturnCode::kFailed);
      outcome.sMsg = FormatWithBill(kTextFailure, outcome) + outcome.sMsg;
      break;
  }
  const services::PendingError& pending = services::CurrentPendingError();
  if (pending.IsSet()) outcome.sMsg += pending.description;
  WriteCommon(outcome, DictParams);
  DictParams.Write(kOutReturnString2, Variant(question.empty() ? outcome.sMsg : question));
  DictParams.Write(kOutVectItemInfo, Variant(outcome.item_info));
}

void WriteError(frame::ClassFrame& frame, CheckOutcome& outcome, Dictionary& DictParams) {
  frame.VoteAbort();
  outcome.lRet = ToInt(ReturnCode::kFailed);
  outcome.sMsg = messages::FormatString(
      kTextError, outcome.language,
      {Variant(messages::LoadLocalString(outcome.operation_name, outcome.language))});
  WriteCommon(outcome, DictParams);
  DictParams.Write(kOutVectItemInfo, Variant(outcome.item_info));
}

}  // namespace cb::check
