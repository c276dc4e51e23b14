// The published enumerations and record of the component: named transaction types, the check switch
// and the flat bill title record that screens exchange.
#pragma once

#include <cstdint>
#include <string>

#include "frame/vocabulary/trans_types.h"

namespace cb::engine {

// The published transaction-type names live with the engine's named sets of types.
using cb::Enu_BillTransType;

// The "CheckSwitch" a caller puts into a check request.
enum Enu_CheckSwith : int32_t {
  Checked = 0,
  Unchecked = 1,
};

// Head and entry values of one bill as screens exchange them; no member of the component takes or
// returns it. Dates are day numbers; fields keep their published order.
struct T_BillTitleInfo {
  std::string FBillNo;
  int32_t FROB = 0;
  int32_t FCheckerID = 0;
  int32_t FConveyerID = 0;
  int32_t FBillerID = 0;
  int32_t FDCStockID = 0;
  int32_t FSCStockID = 0;
  int32_t FHookInterID = 0;
  int32_t FVchInterID = 0;
  double FCommitDate = 0;
  int16_t FStatus = 0;
  double FDate = 0;
  bool FUpStockWhenSave = false;
  bool FCancelLation = false;
  int32_t FOrgBillInterID = 0;
  int32_t FSerial = 0;
  int32_t FItemID = 0;
  int32_t FUnitID = 0;
  int32_t FTypeID = 0;
  double FQty = 0;
  double FAuxQty = 0;
  int32_t FBaseUnitID = 0;
  int32_t FCheckMethod = 0;
  int32_t FSoureBill = 0;
  int32_t FEntryID = 0;
  double FSendUpQty = 0;
  double FPassQty = 0;
  int32_t FResult = 0;
  double FQtyForItem = 0;
  double FQtyScrap = 0;
  int32_t FBackFlushed = 0;
  int32_t FCustSupplyID = 0;
  int32_t FSCBillInterID = 0;
  int32_t FHookerID = 0;
  double FCheckQty = 0;
};

// The host's transaction modes, of which TransMode reports one.
enum class HostTransactionMode : int32_t {
  kNotHostObject = 0,
  kNoTransactions = 1,
  kRequiresTransaction = 2,
  kUsesTransaction = 3,
  kRequiresNewTransaction = 4,
};

}  // namespace cb::engine
