// The dialogue a screen holds with the bill check: call, and when the engine asks a question and
// the user agrees, call again with the user's consent added to the request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "checkbill/codes.h"
#include "checkbill/values.h"

namespace cb::tool {

// A conversation never runs more calls than this, whatever the engine keeps asking.
inline constexpr int kMaxCalls = 8;

struct BillRequest {
  int32_t tran_type = 0;
  int32_t inter_id = 0;
  OperateCode operate_code = OperateCode::kCheck;
  int32_t checker_id = 0;  // 0: the user of the data source
  std::string check_date;  // 'YYYY-MM-DD'
  std::string dsn;         // the engine's data source string
};

// The request dictionary CheckBill reads: "InterID", "TransType", "CheckSwitch" 0, "OperateType" 0,
// "ReCheck" 0, "CheckDate", "OperateCode", "PropString", "CheckerID".
DictionaryPtr BuildRequest(const BillRequest& request);

// True for the result codes by which the engine asks the user to confirm: 1, 2, -200, -201, -204,
// -205.
bool IsQuestionCode(int32_t code);

// True for the result codes of a completed operation: 0, and 3 (one level of a multi-level check).
bool IsSuccessCode(int32_t code);

// True when CheckBill ended in its error exit (an unexpected error, a failed commit): code -1
// without "ReturnString2", which every refusal writes and the error exit never does. `result` must
// be a dictionary of its own call, not one that an earlier call already answered into.
bool IsErrorExit(const Dictionary& result);

// The "ReCheck" bit that answers question code: 1 and 2 for the stock questions, 4 for the
// lock-stock questions (-200, -201), 32 for the price alerts (-204, -205); 0 for other codes.
int32_t ConsentBit(int32_t code);

// Adds to request the user's yes to the question result asks: "YesWhenUnderTip" = 1 when
// "ShowUnderTip" came back set, "YesWhenStockWarnTip" = 1 when "ShowStockWarnTip" did, otherwise
// ConsentBit of "ReturnCode" added to "ReCheck". Hands the returned "vectDeleteItem" on (and drops
// an earlier one when none came back). Returns false, leaving request unchanged, when the answer is
// already in the request or the code has no answer: asking again would change nothing.
bool AddConsent(const Dictionary& result, Dictionary& request);

using CheckBillCall = std::function<void(DictionaryPtr& params)>;
// Shows the question; true when the user agrees.
using AskUser = std::function<bool(const std::string& question)>;

// Calls check_bill with a copy of request; while the result asks a question, asks the user with
// "ReturnString2" and, on yes, calls again with the consent added (AddConsent), at most kMaxCalls
// calls in all. Returns the last call's dictionary. request keeps the consents given.
DictionaryPtr RunConversation(Dictionary& request, const CheckBillCall& check_bill,
                              const AskUser& ask);

}  // namespace cb::tool
