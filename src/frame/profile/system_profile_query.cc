// Builds the system-profile query once, line by line, as the database receives it.
#include "frame/profile/system_profile_query.h"

#include <array>
#include <string_view>

#include "frame/vocabulary/text.h"

namespace cb::profile {

namespace {

// The key list as it is laid out in the query: five lines of quoted keys.
constexpr std::array<std::array<std::string_view, 6>, 5> kKeyLines = {{
    {"StartPeriod", "CurrentPeriod", "ICClosed", "UseShortNumber", "ISUseMultiCheck", "UseHighInv"},
    {"UseLowInv", "UseSafeInv", "UnderStock", "ShowUnderTip", "CurrentYear", "BillStatus"},
    {"IsOkToModAfterClose", "WorkCalendarset", "UseOrderBatchTrace", "UseLockStock", "AutoUpdateSP",
     ""},
    {"AutoUpdatePP", "AlertSELowPrice", "AlertSELowPriceWhenCheck", "AlertPOMaxPrice",
     "AlertHighPriceWhenCheck", ""},
    {"UseInvMgr", "SameUserApprovalAndUnApproval", "POQtyLargeStock", "CQtyLargerSEQty",
     "OrdStockOutByProportion", ""},
}};

std::string BuildQuery() {
  std::string sql;
  sql += "SELECT FCategory,FKey,FValue FROM t_systemprofile ";
  sql += kCrLf;
  sql += "WHERE (FKey IN (";
  for (size_t line = 0; line < kKeyLines.size(); ++line) {
    bool first_on_line = true;
    for (std::string_view key : kKeyLines[line]) {
      if (key.empty()) continue;
      if (!first_on_line) sql += ",";
      sql += "'";
      sql += key;
      sql += "'";
      first_on_line = false;
    }
    sql += line + 1 < kKeyLines.size() ? "," : ")";
    sql += kCrLf;
  }
  sql += "                AND FCategory='IC') ";
  sql += kCrLf;
  sql += "  OR (FCategory='General' AND FKey='SingleMan') ";
  sql += kCrLf;
  return sql;
}

}  // namespace

const std::string& SystemProfileQuery() {
  static const std::string query = BuildQuery();
  return query;
}

}  // namespace cb::profile
