// Data source strings for the engine, today's date, and the call of CheckNow.CheckBill.
#include "tools/checkbill/engine_call.h"

#include <chrono>
#include <cstdio>

#include "checkbill/check_now.h"
#include "checkbill/database.h"

namespace cb::tool {

std::string EngineDsn(std::string_view dsn, std::optional<int32_t> user_id) {
  const db::DataSource parsed = db::ParseDataSource(dsn);
  std::string text(dsn);
  while (!text.empty() && (text.back() == ';' || text.back() == ' ')) text.pop_back();
  if (!parsed.Get("UserID")) {
    text += ";UserID=" + std::to_string(user_id.value_or(kDefaultUserID));
  }
  if (!parsed.Get("Language")) text += ";Language=en";
  return text;
}

void CallCheckBill(DictionaryPtr& params) {
  engine::CheckNow check_now;
  static_cast<void>(check_now.CheckBill(params));
}

std::string TodayText() {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  const std::chrono::year_month_day date{today};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

}  // namespace cb::tool
