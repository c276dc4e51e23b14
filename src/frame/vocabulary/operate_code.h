// The operation codes of "OperateCode": what a caller asks CheckBill to do with a bill.
#pragma once

#include <cstdint>

namespace cb {

enum class OperateCode : int32_t {
  kCheck = 1,
  kUnCheck = 2,
  kSave = 4,
  kDelete = 8,
  kRestore = 16,  // restore a voided bill
  kVoid = 32,
};

constexpr int32_t ToInt(OperateCode code) {
  return static_cast<int32_t>(code);
}

constexpr bool Is(int32_t operate_code, OperateCode code) {
  return operate_code == ToInt(code);
}

// True for a check (1) or an uncheck (2).
constexpr bool IsCheckOrUnCheck(int32_t operate_code) {
  return Is(operate_code, OperateCode::kCheck) || Is(operate_code, OperateCode::kUnCheck);
}

// True for the operations that move the stock of a bill that updates stock when saved: save (4),
// delete (8), restore (16) and void (32).
constexpr bool IsSaveDeleteVoidOrRestore(int32_t operate_code) {
  return Is(operate_code, OperateCode::kSave) || Is(operate_code, OperateCode::kDelete) ||
         Is(operate_code, OperateCode::kRestore) || Is(operate_code, OperateCode::kVoid);
}

}  // namespace cb
