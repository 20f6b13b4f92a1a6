#pragma once
// Integer arithmetic of statements and status operations with a defined
// result for every pair of operands: products saturate instead of wrapping
// to a small or opposite value, sums and differences wrap in 32 bits as
// stored data expects, and the one quotient outside the range (the smallest
// value by -1) saturates, its remainder being 0. Division by 0 is the
// caller's to refuse.
#include <cstdint>
#include <limits>

inline int SaturateToInt(std::int64_t v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
inline int SaturatingMul(int a, int b) { return SaturateToInt(std::int64_t{a} * b); }
inline int WrappingAdd(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline int WrappingSub(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
// Truncating toward zero; `b` is not 0.
inline int TruncatingDiv(int a, int b) { return SaturateToInt(std::int64_t{a} / b); }
// The sign of `a`; `b` is not 0.
inline int TruncatingRem(int a, int b) { return static_cast<int>(std::int64_t{a} % b); }
