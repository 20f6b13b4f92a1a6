#include "stage/flow/status_operator.h"

#include <algorithm>

#include "stage/code/code_arith.h"

namespace {

std::int64_t PercentOf64(std::int64_t base, std::int64_t percent) {
    const std::int64_t product = base * percent;
    // Half away from zero, in integers: no rounding error for large products.
    const std::int64_t rounded = (product >= 0 ? product + 50 : product - 50) / 100;
    return rounded;
}

std::int64_t Operate(std::int64_t v, std::int64_t a, int op) {
    switch (op) {
        case StatusOp::Set: return a;
        case StatusOp::Add: return v + a;
        case StatusOp::Subtract: return v - a;
        case StatusOp::Multiply: return v * a;
        case StatusOp::Divide: return a != 0 ? v / a : v;
        case StatusOp::Remainder: return a != 0 ? v % a : v;
        case StatusOp::Percent: return PercentOf64(v, a);
        default: return v;
    }
}

template <typename T>
int ApplyTo(T& value, int operand, int op, int min, int max) {
    const int before = SaturateToInt(Operate(value, operand, op));
    value = static_cast<T>(std::clamp(before, min, std::max(min, max)));
    return before;
}

}  // namespace

int ApplyOperator(int& value, int operand, int op, int min, int max) { return ApplyTo(value, operand, op, min, max); }
int ApplyOperator8(std::int8_t& value, int operand, int op, int min, int max) {
    return ApplyTo(value, operand, op, min, max);
}
int ApplyOperator16(std::int16_t& value, int operand, int op, int min, int max) {
    return ApplyTo(value, operand, op, min, max);
}

int StatusPercentOf(int base, int percent) { return SaturateToInt(PercentOf64(base, percent)); }
