// The outcome texts and error numbers of CheckBill; its codes and bits come from the vocabulary.
#pragma once

#include <cstdint>
#include <string_view>

#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/recheck_bits.h"
#include "frame/vocabulary/return_code.h"

namespace cb::check {

// The shared codes and bits, under the names hosts reach them by in this namespace.
using cb::HasAllBits;
using cb::HasAnyBit;
using cb::kReCheckCredit;
using cb::kReCheckLockStock;
using cb::kReCheckPriceAlert;
using cb::kReCheckStockRows;
using cb::kReCheckStockWarn;
using cb::OperateCode;
using cb::ReturnCode;
using cb::ToInt;

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
