// The codes and keys a caller of CheckBill needs: operation codes, "ReCheck" bits, result codes and
// the request and result keys of DictParams.
#pragma once

#include "check/check_result.h"
#include "frame/vocabulary/dictionary_keys.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/recheck_bits.h"
#include "frame/vocabulary/return_code.h"
