#pragma once
// Sums of stored values that may sit at either end of the int range: a file
// can hold any value, and a sum that would leave the range stops at its end
// instead of wrapping.
#include <algorithm>
#include <cstdint>
#include <limits>

inline std::int32_t SaturatedAdd(std::int32_t value, std::int32_t by) {
    const std::int64_t sum = std::int64_t{value} + by;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}
