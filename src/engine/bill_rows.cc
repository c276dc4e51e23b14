// Loading a bill's rows through the check's own reader, outside any public call.
#include "checkbill/bill_rows.h"

#include "check/check_result.h"
#include "check/load_bill_rows.h"
#include "engine/engine_components.h"
#include "frame/class_frame.h"

namespace cb::engine {

BillRows LoadBillRecordsets(const std::string& dsn, int32_t trans_type, int32_t inter_id) {
  RegisterEngineComponents();
  frame::ClassFrame frame;
  const DictionaryPtr rows = check::LoadBillRows(frame, dsn, trans_type, inter_id, nullptr);
  return {rows->Read(check::kRowsHead).As<db::Recordset>(),
          rows->Read(check::kRowsEntry).As<db::Recordset>()};
}

std::optional<BillRows> FindBillRecordsets(const std::string& dsn, int32_t trans_type,
                                           int32_t inter_id) {
  try {
    return LoadBillRecordsets(dsn, trans_type, inter_id);
  } catch (const Error& error) {
    // The reader names missing rows by their message key; anything else is a real failure.
    if (error.description() == check::kTextRowsMissing) return std::nullopt;
    throw;
  }
}

}  // namespace cb::engine
