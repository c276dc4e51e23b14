// Registration and bodies of the TSQLCI collation and the tsql_div and getdate functions.
#include "platform/sqlite/sqlite_functions.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>

#include "platform/sqlite/conversion_functions.h"
#include "platform/sqlite/decimal_functions.h"
#include "platform/tsql/stored_datetime.h"

namespace cb::sqlite {
namespace {

constexpr int kNativeDivideByZero = 8134;
constexpr int kNativeArithmeticOverflow = 8115;
constexpr char kDivideByZeroText[] = "Divide by zero error encountered.";
constexpr char kOverflowText[] =
    "Arithmetic overflow error converting expression to data type bigint.";

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

int CollationCallback(void*, int a_len, const void* a, int b_len, const void* b) {
  return CompareCaseInsensitiveTrimmed(
      std::string_view(static_cast<const char*>(a), static_cast<size_t>(a_len)),
      std::string_view(static_cast<const char*>(b), static_cast<size_t>(b_len)));
}

void RaiseFault(sqlite3_context* context, db::DbErrorKind kind, int native, const char* text) {
  auto* fault = static_cast<FunctionFault*>(sqlite3_user_data(context));
  if (fault != nullptr) *fault = FunctionFault{true, kind, native};
  sqlite3_result_error(context, text, -1);
}

bool IsZero(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return sqlite3_value_int64(value) == 0;
    case SQLITE_FLOAT:
      return sqlite3_value_double(value) == 0.0;
    default:
      return false;
  }
}

// tsql_div(a, b): a / b with the server's rules: an error on a zero divisor, integer division that
// truncates when both operands are integers, NULL when either is NULL.
void DivFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  // Text operands take numeric affinity first, as the arithmetic operator does.
  int a_type = sqlite3_value_numeric_type(argv[0]);
  int b_type = sqlite3_value_numeric_type(argv[1]);
  if (a_type == SQLITE_NULL || b_type == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  if (IsZero(argv[1])) {
    RaiseFault(context, db::DbErrorKind::kDivideByZero, kNativeDivideByZero, kDivideByZeroText);
    return;
  }
  if (a_type == SQLITE_INTEGER && b_type == SQLITE_INTEGER) {
    int64_t a = sqlite3_value_int64(argv[0]);
    int64_t b = sqlite3_value_int64(argv[1]);
    if (a == std::numeric_limits<int64_t>::min() && b == -1) {
      RaiseFault(context, db::DbErrorKind::kConversion, kNativeArithmeticOverflow, kOverflowText);
      return;
    }
    sqlite3_result_int64(context, a / b);
    return;
  }
  sqlite3_result_double(context, sqlite3_value_double(argv[0]) / sqlite3_value_double(argv[1]));
}

// getdate(): the local date and time in the stored form, 'YYYY-MM-DD HH:MM:SS.fff'.
void GetDateFunction(sqlite3_context* context, int, sqlite3_value**) {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis));
  // The clock's milliseconds land on the stored 1/300-second ticks, as any written time does.
  tsql::StoredDateTime stored = tsql::DateTimeFromText(text);
  sqlite3_result_text(context, stored.text.data(), static_cast<int>(stored.text.size()),
                      SQLITE_TRANSIENT);
}

}  // namespace

int CompareCaseInsensitiveTrimmed(std::string_view a, std::string_view b) {
  a = TrimTrailingBlanks(a);
  b = TrimTrailingBlanks(b);
  size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
    unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int RegisterScalarFunctions(sqlite3* db, FunctionFault* fault,
                            std::span<const ScalarFunction> functions) {
  constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = SQLITE_OK;
  for (const ScalarFunction& function : functions) {
    if (rc != SQLITE_OK) break;
    rc = sqlite3_create_function_v2(db, function.name, function.argc, kPure, fault, function.body,
                                    nullptr, nullptr, nullptr);
  }
  return rc;
}

int RegisterFunctions(sqlite3* db, FunctionFault* fault) {
  constexpr int kPure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = sqlite3_create_collation_v2(db, kCollationName.data(), SQLITE_UTF8, nullptr,
                                       CollationCallback, nullptr);
  if (rc == SQLITE_OK)
    rc = sqlite3_create_function_v2(db, "tsql_div", 2, kPure, fault, DivFunction, nullptr, nullptr,
                                    nullptr);
  if (rc == SQLITE_OK)
    rc = sqlite3_create_function_v2(db, "getdate", 0, SQLITE_UTF8, nullptr, GetDateFunction,
                                    nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = RegisterDecimalFunctions(db, fault);
  if (rc == SQLITE_OK) rc = RegisterConversionFunctions(db, fault);
  return rc;
}

}  // namespace cb::sqlite
