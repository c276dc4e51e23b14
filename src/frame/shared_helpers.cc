// Small shared helpers; the database ones never raise.
#include "frame/shared_helpers.h"

#include <algorithm>

#include "frame/sql_template.h"
#include "frame/vocabulary/text.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/date.h"

namespace cb::frame {
bool IsInArray(const Variant& vValue, std::span<const Variant> arrValues) {
  return std::any_of(arrValues.begin(), arrValues.end(),
                     [&vValue](const Variant& element) { return element == vValue; });
}

bool IsInArray(const Variant& vValue, std::initializer_list<Variant> arrValues) {
  return IsInArray(vValue, std::span<const Variant>(arrValues.begin(), arrValues.size()));
}

bool IsInArray(const Variant& vValue, const Vector& arrValues) {
  return IsInArray(vValue, std::span<const Variant>(arrValues.items()));
}

std::string GetServerDate(db::Connection& oConnection) {
  try {
    db::RecordsetPtr rs = oConnection.Execute("Select GetDate()");
    if (!rs || !rs->IsOpen() || rs->Eof()) return {};
    return FormatDate(rs->Field(size_t{0}).ToDate());
  } catch (...) {
    return {};
  }
}

std::string GetHeadTable(int32_t lTranType, db::Connection& oConnection) {
  try {
    db::RecordsetPtr rs = oConnection.Execute(
        SqlTemplate("select FHeadTable from ictransactiontype where fid=##Type##")
            .Number("Type", lTranType)
            .Sql());
    if (!rs || !rs->IsOpen() || rs->Eof()) return {};
    return Trim(rs->Field("FHeadTable").ToString());
  } catch (...) {
    return {};
  }
}

std::string GetInventoryTable(int32_t lTranType) {
  return kVirtualStockTypes.Contains(lTranType) ? "POInventory" : "ICInventory";
}

}  // namespace cb::frame
