// CheckBill: runs one operation (check, uncheck, save, delete, void, restore) on the bill that
// DictParams names and answers through DictParams. CheckNow::CheckBill hands its work here.
#pragma once

#include <cstdint>

#include "frame/class_frame.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/variant.h"

namespace cb::check {

// Reads the request, opens the call's connection for "PropString" and resolves the checker; an
// error up to there (an unreadable "ReCheck" or "CheckDate", no DictParams, a data source that
// cannot be opened) reaches the caller. From then on every refusal and error is written into
// DictParams
// ("ReturnCode", "ReturnString", "ReturnString2", "vectItemInfo") with its vote, and nothing
// raises. Runs today: the system profile, the bill's rows, the type-9 hooks of the transaction type
// and the type-2 hooks of stage 200001. The steps after them are not part of this build: a request
// that gets past the hooks ends in the error exit (code -1 and the error line), never in a success.
// Rs is handed to the stock driver when there is one. Always 0.
int32_t CheckBill(frame::ClassFrame& frame, DictionaryPtr& DictParams, Variant& Rs);

}  // namespace cb::check
