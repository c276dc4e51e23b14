// The stock update driver: the stock-timing gate, then the steps in their fixed order.
#include "stock/update_bill_stock.h"

#include "frame/temp_table_guard.h"
#include "frame/vocabulary/dictionary_keys.h"
#include "frame/vocabulary/operate_code.h"
#include "platform/db/recordset.h"
#include "platform/services/foundation.h"
#include "platform/variant/error.h"
#include "platform/variant/vector.h"
#include "stock/apply_temp_bill.h"
#include "stock/lock_stock.h"
#include "stock/removed_rows.h"
#include "stock/stock_before_update.h"
#include "stock/stock_limits.h"
#include "stock/stock_lookups.h"
#include "stock/stock_rows.h"
#include "stock/stock_values.h"
#include "stock/temp_bill.h"
#include "stock/virtual_stock.h"

namespace cb::stock {

namespace {

// A step refused with this code; sMsg holds its message.
struct StepRefusal {
  int32_t code;
};

// The call's parameters as the driver reads them.
struct StockRun {
  int32_t operate_code = 0;
  int32_t inter_id = 0;
  int32_t trans_type = 0;
  int32_t re_check = 0;
  std::string dsn;
  std::string language;
  DictionaryPtr profile;
  db::RecordsetPtr head;
  int32_t yes_when_stock_warn_tip = 0;
  int32_t yes_when_under_tip = 0;
  VectorPtr delete_items;
};

StockRun ReadRun(const Dictionary& params) {
  StockRun run;
  run.operate_code = ReadInt(params, kKeyOperateCode);
  run.inter_id = ReadInt(params, kKeyInterID);
  run.trans_type = ReadInt(params, kKeyTransType);
  run.re_check = ReadInt(params, kKeyReCheck);
  run.dsn = params.Read(kKeyPropString).ToString();
  run.language = params.Read(kStepLanguage).ToString();
  run.profile = params.Read(kStepSysProfile).As<Dictionary>();
  run.head = params.Read(kStepBillHead).As<db::Recordset>();
  run.yes_when_stock_warn_tip = ReadInt(params, kKeyYesWhenStockWarnTip);
  run.yes_when_under_tip = ReadInt(params, kKeyYesWhenUnderTip);
  run.delete_items = params.Read(kKeyVectDeleteItem).As<Vector>();
  if (!run.profile) throw Error(kErrObjectRequired, "", std::string(kStepSysProfile));
  if (!run.head) throw Error(kErrObjectRequired, "", std::string(kStepBillHead));
  return run;
}

// Whether the operation moves stock for a bill with this FUpStockWhenSave.
bool MovesStock(int32_t operate_code, bool up_stock_when_save) {
  const bool check = IsCheckOrUnCheck(operate_code);
  const bool save_family = IsSaveDeleteVoidOrRestore(operate_code);
  return !((check && up_stock_when_save) || (save_family && !up_stock_when_save));
}

void CopyTip(Dictionary& result, std::string_view key, int32_t value) {
  if (result.Exists(key)) result.Write(key, value);
}

void Require(int32_t code) {
  if (code != 0) throw StepRefusal{code};
}

// Steps 3 to 12 of a run that moves stock; throws StepRefusal or cb::Error.
void RunSteps(frame::ClassFrame& frame, const StockRun& run, Dictionary& result,
              const db::ConnectionPtr& conn, Variant* Rs, std::string& sMsg, VectorPtr& item_info) {
  const db::Recordset& head = *run.head;
  const Dictionary& profile = *run.profile;
  BuildTempBill(frame, run.dsn, head, run.operate_code, conn);

  if (!HasAnyBit(run.re_check, kReCheckStockWarn | kReCheckStockRows)) {
    int32_t warn_tip = 0;
    const int32_t code =
        CheckStockLimits(frame, run.dsn, head, run.operate_code, run.re_check, profile, item_info,
                         sMsg, run.language, conn, warn_tip, run.yes_when_stock_warn_tip);
    CopyTip(result, kResultShowStockWarnTip, warn_tip);
    Require(code);
  }

  VectorPtr stock_rows;
  if (HasAnyBit(run.re_check, kReCheckStockRows)) {
    GetBillStockRows(frame, run.dsn, head, stock_rows, conn);
  }
  result.Write(kResultVectDeleteItem, Variant(ObjectPtr(stock_rows)));

  const bool lock_in_use = IsLockStockInUse(run.dsn, profile, *conn);
  int32_t bill_id = head.Field("FInterID").ToInt32();
  const int32_t bill_type = head.Field("FTranType").ToInt32();
  const DictionaryPtr stocks = LoadBillStocks(frame, run.dsn, bill_id, bill_type, conn);
  const DictionaryPtr places = LoadBillStockPlaces(frame, run.dsn, bill_id, bill_type, conn);

  if (!HasAnyBit(run.re_check, kReCheckStockRows)) {
    int32_t under_tip = 0;
    const int32_t code =
        CheckStockBeforeUpdate(frame, run.dsn, bill_type, run.re_check, profile, *stocks, *places,
                               sMsg, run.language, conn, under_tip, run.yes_when_under_tip, Rs);
    CopyTip(result, kResultShowUnderTip, under_tip);
    Require(code);
  }

  if (ApplyTempBill(frame, run.dsn, bill_type, sMsg, conn)) throw StepRefusal{-1};

  if (lock_in_use) {
    if (!HasAnyBit(run.re_check, kReCheckLockStock)) {
      Require(CheckLockStock(frame, run.dsn, head, run.operate_code, run.re_check, *stocks, sMsg,
                             run.language, conn));
    } else if (!HasAnyBit(run.re_check, kReCheckStockRows)) {
      ReleaseLockStock(*conn, run.inter_id, run.trans_type);
    }
  }

  Require(UpdateSourceVirtualStock(frame, run.dsn, head, sMsg, run.operate_code, run.re_check,
                                   profile, run.language, conn));
  Require(CheckRemovedRowsStock(frame, run.dsn, run.re_check, run.delete_items, profile, sMsg,
                                run.language, conn));
}

}  // namespace

// "PropString" of the parameters serves every call in place of sDsn.
bool UpdateBillStock(frame::ClassFrame& frame, const std::string& /*sDsn*/,
                     Dictionary& dictStepParams, Dictionary& dictResult,
                     const db::ConnectionPtr& connection, Variant* Rs) {
  std::string sMsg;
  VectorPtr item_info;
  int32_t code = -1;
  db::ConnectionPtr conn;
  try {
    const StockRun run = ReadRun(dictStepParams);
    conn = frame.GetConnection(run.dsn, false, connection);
    const bool up_stock_when_save = services::Foundation::Current()
                                        .NullToDefault(run.head->Field("FUpStockWhenSave"), false)
                                        .ToBool();
    if (MovesStock(run.operate_code, up_stock_when_save)) {
      frame::TempTableGuard temp_bill(frame, run.dsn, std::string(kTempBill), conn);
      RunSteps(frame, run, dictResult, conn, Rs, sMsg, item_info);
      temp_bill.Drop();
    } else if (!dictResult.Exists(kResultVectDeleteItem)) {
      dictResult.Write(kResultVectDeleteItem, Variant(ObjectPtr()));
    }
    dictResult.Write(kResultReturnCode, 0);
    frame.VoteCommit();
    return true;
  } catch (const StepRefusal& refusal) {
    code = refusal.code;
  } catch (const Error& error) {
    sMsg += "\r\n\r\n" + error.description();
  } catch (const std::exception& error) {
    sMsg += std::string("\r\n\r\n") + error.what();
  }
  dictResult.Write(kResultReturnCode, code);
  dictResult.Write(kResultReturnString, sMsg);
  dictResult.Write(kResultVectItemInfo, Variant(ObjectPtr(item_info)));
  frame.VoteAbort();
  return false;
}

}  // namespace cb::stock
