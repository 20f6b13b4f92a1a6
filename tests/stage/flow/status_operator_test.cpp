#include "stage/flow/status_operator.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct OperatorCase {
    const char* what;
    int value, operand, op, min, max;
    int after;   // the stored value
    int before;  // what ApplyOperator returns: the value before the clamp
};

constexpr int kWide = 999999;

TEST(StatusOperator, EveryOperatorWithItsEdges) {
    const OperatorCase cases[] = {
        {"set", 5, 1500, StatusOp::Set, 0, 999, 999, 1500},
        {"add", 10, 5, StatusOp::Add, -kWide, kWide, 15, 15},
        {"lives minus 5 from 3", 3, 5, StatusOp::Subtract, 0, 99, 0, -2},
        {"product beyond the range", 65536, 65536, StatusOp::Multiply, -kWide, kWide, kWide, INT_MAX},
        {"negative product beyond", -65536, 65536, StatusOp::Multiply, -kWide, kWide, -kWide, INT_MIN},
        {"product in range", -7, 3, StatusOp::Multiply, -kWide, kWide, -21, -21},
        {"sum beyond int", INT_MAX, 1, StatusOp::Add, INT_MIN, INT_MAX, INT_MAX, INT_MAX},
        {"difference beyond int", INT_MIN, 1, StatusOp::Subtract, INT_MIN, INT_MAX, INT_MIN, INT_MIN},
        {"divide truncates", -7, 2, StatusOp::Divide, -kWide, kWide, -3, -3},
        {"divide by 0 leaves", 42, 0, StatusOp::Divide, -kWide, kWide, 42, 42},
        {"smallest by -1", INT_MIN, -1, StatusOp::Divide, INT_MIN, INT_MAX, INT_MAX, INT_MAX},
        {"remainder takes the sign", -7, 3, StatusOp::Remainder, -kWide, kWide, -1, -1},
        {"remainder by 0 leaves", 42, 0, StatusOp::Remainder, -kWide, kWide, 42, 42},
        {"smallest remainder -1", INT_MIN, -1, StatusOp::Remainder, INT_MIN, INT_MAX, 0, 0},
        {"percent rounds away", 7, 50, StatusOp::Percent, -kWide, kWide, 4, 4},
        {"negative percent rounds away", -7, 50, StatusOp::Percent, -kWide, kWide, -4, -4},
        {"percent below half", 7, 49, StatusOp::Percent, -kWide, kWide, 3, 3},
        {"percent of a large value", kWide, kWide, StatusOp::Percent, -kWide, kWide, kWide, INT_MAX},
        {"unknown operator", 8, 3, 7, -kWide, kWide, 8, 8},
        {"unknown operator still clamps", 1500, 3, -1, 0, 999, 999, 1500},
    };
    for (const OperatorCase& c : cases) {
        SCOPED_TRACE(c.what);
        int v = c.value;
        EXPECT_EQ(ApplyOperator(v, c.operand, c.op, c.min, c.max), c.before);
        EXPECT_EQ(v, c.after);
    }
}

TEST(StatusOperator, NarrowValuesDoNotWrap) {
    std::int8_t id = 99;
    ApplyOperator8(id, 100, StatusOp::Add, 0, 99);
    EXPECT_EQ(id, 99) << "99 + 100 would wrap to a negative byte";
    ApplyOperator8(id, 300, StatusOp::Set, 0, 99);
    EXPECT_EQ(id, 99) << "an operand of 300 is not cut to 44";
    std::int8_t impact = -20;
    ApplyOperator8(impact, 200, StatusOp::Multiply, -20, 20);
    EXPECT_EQ(impact, -20);
    std::int16_t mark = 100;
    ApplyOperator16(mark, 1000, StatusOp::Multiply, 0, 119);
    EXPECT_EQ(mark, 119);
    std::int16_t stop = 150;
    ApplyOperator16(stop, 0, StatusOp::Divide, 0, 200);
    EXPECT_EQ(stop, 150);
}

TEST(StatusOperator, PercentOfDoesNotWrap) {
    EXPECT_EQ(StatusPercentOf(200, 50), 100);
    EXPECT_EQ(StatusPercentOf(-7, 50), -4);
    EXPECT_EQ(StatusPercentOf(100000, 100000), 100000000);
    EXPECT_EQ(StatusPercentOf(INT_MAX, INT_MAX), INT_MAX);
}

}  // namespace
