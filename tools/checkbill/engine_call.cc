// Data source strings for the engine, the checker, today's date, and the call of
// CheckNow.CheckBill.
#include "tools/checkbill/engine_call.h"

#include <chrono>
#include <cstdio>

#include "checkbill/check_now.h"
#include "checkbill/database.h"
#include "tools/checkbill/exit_status.h"
#include "tools/checkbill/request_keys.h"

namespace cb::tool {

std::string EngineDsn(std::string_view dsn, std::optional<int32_t> user) {
  const db::DataSource parsed = db::ParseDataSource(dsn);
  std::string text(dsn);
  while (!text.empty() && (text.back() == ';' || text.back() == ' ')) text.pop_back();
  if (!parsed.Get(keys::kUserID) && user) {
    text += ";" + std::string(keys::kUserID) + "=" + std::to_string(*user);
  }
  if (const std::optional<std::string> language = parsed.Get(keys::kLanguage)) {
    if (!engine::IsKnownLanguage(*language)) {
      throw UsageError("the data source names the unknown Language '" + *language +
                       "' (known: en, zh)");
    }
  } else {
    text += ";" + std::string(keys::kLanguage) + "=en";
  }
  return text;
}

int32_t CheckerOf(std::string_view dsn, std::optional<int32_t> user) {
  if (user) {
    if (*user <= 0)
      throw UsageError("--user must be a positive user id, not " + std::to_string(*user));
    return *user;
  }
  const std::optional<int16_t> from_dsn = db::ParseDataSource(dsn).user_id;
  if (!from_dsn) {
    throw UsageError("no checker: give --user N or UserID=N in the data source (a positive id)");
  }
  if (*from_dsn <= 0) {
    throw UsageError("the data source's UserID must be a positive user id, not " +
                     std::to_string(*from_dsn));
  }
  return *from_dsn;
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
