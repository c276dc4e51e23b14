// Operation codes, "ReCheck" bits, result codes and the outcome texts of CheckBill, in one place.
#pragma once

#include <cstdint>
#include <string_view>

namespace cb::check {

// "OperateCode" of the request.
enum class OperateCode : int32_t {
  kCheck = 1,
  kUnCheck = 2,
  kSave = 4,
  kDelete = 8,
  kRestore = 16,  // restore a voided bill
  kVoid = 32,
};

// Bits of "ReCheck": warnings the user accepted on an earlier call. Each is read by the step whose
// warning it silences.
inline constexpr int32_t kReCheckStockWarn = 2;    // safety-stock alert
inline constexpr int32_t kReCheckLockStock = 4;    // lock-stock check
inline constexpr int32_t kReCheckStockRows = 8;    // stock checks before update, order write-backs
inline constexpr int32_t kReCheckPriceAlert = 32;  // price alert
inline constexpr int32_t kReCheckCredit = 512;     // credit-limit test

// True when every bit of `bit` is set in `recheck`.
constexpr bool HasReCheckBit(int32_t recheck, int32_t bit) {
  return (recheck & bit) == bit;
}

// "ReturnCode" values.
enum class ReturnCode : int32_t {
  kSuccess = 0,
  kQuestion1 = 1,  // a step asks for confirmation
  kQuestion2 = 2,
  kMultiLevelRecorded = 3,  // one level of a multi-level check recorded
  kCreditExceeded = 512,
  kFailed = -1,                  // refused or failed for any other reason
  kQuestionReleaseLock1 = -200,  // confirmation that also releases lock stock
  kQuestionReleaseLock2 = -201,
  kQuestion204 = -204,
  kQuestion205 = -205,
};

constexpr int32_t ToInt(ReturnCode code) {
  return static_cast<int32_t>(code);
}

// Error numbers and sources the request layer raises.
inline constexpr int32_t kErrLoadBillRows = -200001;
inline constexpr std::string_view kLoadBillRowsSource = "VellMCheck.CheckNow";
inline constexpr int32_t kErrRowsMissing = -1;

// Texts, keyed by their Chinese source as the message catalogues are. %1 is the operation name,
// %2 the bill number.
inline constexpr std::string_view kTextSuccess = "%1[编号：%2]单据成功!";
inline constexpr std::string_view kTextMultiLevelSuccess = "多级%1[编号：%2]单据成功!";
inline constexpr std::string_view kTextFailure = "%1[编号：%2]单据时未成功!";
inline constexpr std::string_view kTextError = "%1单据时出现错误！请检查单据后再试。";
inline constexpr std::string_view kTextContinue = "是否继续？";
inline constexpr std::string_view kTextContinueReleaseLock =
    "是否继续？如果继续，则会清除相关单据锁库信息!";
inline constexpr std::string_view kTextCreditExceeded = "信用超支，操作不成功!";
inline constexpr std::string_view kTextRowsMissing =
    "操作需要的数据在数据库中不存在,可能已被其他用户删除。";

}  // namespace cb::check
