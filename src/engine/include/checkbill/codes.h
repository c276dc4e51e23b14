// The codes a caller of CheckBill needs: operation codes, "ReCheck" bits and result codes.
#pragma once

#include "check/check_result.h"
