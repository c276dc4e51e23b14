// The bits of "ReCheck": warnings the user accepted on an earlier call, each read by the step whose
// warning it silences.
#pragma once

#include <cstdint>

namespace cb {

inline constexpr int32_t kReCheckNegativeAccepted = 1;  // a negative balance was accepted
inline constexpr int32_t kReCheckStockWarn = 2;         // safety-stock alert
inline constexpr int32_t kReCheckLockStock = 4;         // lock-stock check
inline constexpr int32_t kReCheckStockRows = 8;    // stock checks before update, order write-backs
inline constexpr int32_t kReCheckPriceAlert = 32;  // price alert
inline constexpr int32_t kReCheckCredit = 512;     // credit-limit test

// True when every bit of `mask` is set in `recheck`.
constexpr bool HasAllBits(int32_t recheck, int32_t mask) {
  return (recheck & mask) == mask;
}

// True when at least one bit of `mask` is set in `recheck` ("ReCheck And mask <> 0").
constexpr bool HasAnyBit(int32_t recheck, int32_t mask) {
  return (recheck & mask) != 0;
}

}  // namespace cb
