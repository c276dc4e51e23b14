// Small shared helpers; the database ones never raise.
#include "frame/shared_helpers.h"

#include <algorithm>
#include <array>

#include "platform/variant/date.h"

namespace cb::frame {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

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
        "select FHeadTable from ictransactiontype where fid=" + std::to_string(lTranType));
    if (!rs || !rs->IsOpen() || rs->Eof()) return {};
    return Trim(rs->Field("FHeadTable").ToString());
  } catch (...) {
    return {};
  }
}

std::string GetInventoryTable(int32_t lTranType) {
  static constexpr std::array<int32_t, 8> kVirtualStockTypes = {6, 26, 72, 73, 74, 92, 137, 702};
  const bool is_virtual = std::find(kVirtualStockTypes.begin(), kVirtualStockTypes.end(),
                                    lTranType) != kVirtualStockTypes.end();
  return is_virtual ? "POInventory" : "ICInventory";
}

}  // namespace cb::frame
