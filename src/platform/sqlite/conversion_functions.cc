// Bodies and registration of tsql_int and tsql_single.
#include "platform/sqlite/conversion_functions.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace cb::sqlite {
namespace {

constexpr int kNativeConversionFailed = 245;
constexpr int kNativeSubqueryRows = 512;

void Raise(sqlite3_context* context, db::DbErrorKind kind, int native, const std::string& text) {
  if (auto* fault = static_cast<FunctionFault*>(sqlite3_user_data(context))) {
    *fault = FunctionFault{true, kind, native};
  }
  sqlite3_result_error(context, text.c_str(), -1);
}

void IntFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
    sqlite3_result_value(context, argv[0]);
    return;
  }
  std::string_view text(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                        static_cast<size_t>(sqlite3_value_bytes(argv[0])));
  std::string_view digits = text;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t')) {
    digits.remove_prefix(1);
  }
  while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
    digits.remove_suffix(1);
  if (digits.empty()) {
    sqlite3_result_int64(context, 0);
    return;
  }
  if (digits.front() == '+') digits.remove_prefix(1);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) {
    Raise(context, db::DbErrorKind::kConversion, kNativeConversionFailed,
          "Conversion failed when converting the varchar value '" + std::string(text) +
              "' to data type int.");
    return;
  }
  sqlite3_result_int64(context, value);
}

void SingleFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_int64(argv[1]) > 1) {
    Raise(context, db::DbErrorKind::kOther, kNativeSubqueryRows,
          "Subquery returned more than 1 value. This is not permitted when the subquery follows "
          "=, !=, <, <= , >, >= or when the subquery is used as an expression.");
    return;
  }
  sqlite3_result_value(context, argv[0]);
}

}  // namespace

int RegisterConversionFunctions(sqlite3* db, FunctionFault* fault) {
  constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = sqlite3_create_function_v2(db, "tsql_int", 1, kPure, fault, IntFunction, nullptr,
                                      nullptr, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function_v2(db, "tsql_single", 2, kPure, fault, SingleFunction, nullptr,
                                    nullptr, nullptr);
  }
  return rc;
}

}  // namespace cb::sqlite
