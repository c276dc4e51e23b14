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
// cannot be opened) reaches the caller. Then runs the steps in order: the bill hooks and the
// stage-200001 hooks, the period, voided-bill and bill-status guards, the type-specific step (the
// stock driver for stock bills, with Rs), the credit step, the check flag, the write-backs of
// stock-moving bills with their stage-200002 hooks, and the stage-200003 hooks. Every refusal and
// error is written into DictParams ("ReturnCode", "ReturnString", "ReturnString2",
// "vectItemInfo") with its vote, and nothing raises; success writes code 0 and votes commit.
// Always 0.
int32_t CheckBill(frame::ClassFrame& frame, DictionaryPtr& DictParams, Variant& Rs);

}  // namespace cb::check
