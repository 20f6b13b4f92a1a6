#pragma once
// The assignment operators of status operations and arrangements, applied
// to a stored value and clamped into its range. They compute in 64 bits, so
// a product or sum beyond the integer range ends at the range limit of its
// sign instead of wrapping; division and remainder by 0 leave the value.
#include <cstdint>

namespace StatusOp {
enum : int { Set = 0, Add, Subtract, Multiply, Divide, Remainder, Percent, Count };
}

// Applies `op` with `operand` to `value`, then clamps it into [min, max].
// Returns the value before the clamp (saturated to the integer range).
// An operator outside 0..6 leaves the value (still clamped).
int ApplyOperator(int& value, int operand, int op, int min, int max);
// The same for values stored in 8 or 16 bits; the range lies within the width.
int ApplyOperator8(std::int8_t& value, int operand, int op, int min, int max);
int ApplyOperator16(std::int16_t& value, int operand, int op, int min, int max);

// `percent` percent of `base`, rounded half away from zero, without wrapping.
int StatusPercentOf(int base, int percent);
