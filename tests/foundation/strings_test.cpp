#include <gtest/gtest.h>

#include <climits>

#include "foundation/strings.h"
#include "platform/random.h"

TEST(CompareByOp, OperatorTable) {
    struct Case {
        int a, b, op;
        bool want;
    };
    const Case cases[] = {
        {3, 3, 0, true},
        {3, 4, 0, false},
        {3, 4, 1, true},
        {4, 4, 2, true},
        {3, 4, 2, false},
        {3, 4, 3, true},
        {5, 4, 4, true},
        {4, 4, 4, false},
        {3, 4, 5, true},
        {5, 0, 6, true},
        {5, 0, 7, false},
        {-9, 3, 6, true},
        {-9, 3, 7, false},
        {10, 4, 7, true},
        {10, 4, 6, false},
        {6, -3, 6, true},
        {3, 3, 8, false},
        {3, 3, -1, false},
        // No undefined behaviour at the edges of int.
        {INT_MIN, -1, 6, true},
        {INT_MIN, 2, 6, true},
        {INT_MIN, 3, 7, true},
        {INT_MAX, INT_MIN, 5, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareByOp(c.a, c.b, c.op), c.want) << c.a << " op" << c.op << " " << c.b;
    }
}

TEST(PercentOf, RoundsHalfAwayFromZero) {
    struct Case {
        int a, b, want;
    };
    const Case cases[] = {{-7, 50, -4},
                          {7, 50, 4},
                          {1, 50, 1},
                          {1, 49, 0},
                          {-1, 50, -1},
                          {200, 150, 300},
                          // the product wraps in 32 bits
                          {65536, 65536, 0},
                          {INT_MIN, -1, -21474836}};
    for (const auto& c : cases) EXPECT_EQ(PercentOf(c.a, c.b), c.want) << c.a << "% of " << c.b;
}

TEST(Clamp, LowWinsOverHigh) {
    struct Case {
        int v, lo, hi, want;
    };
    const Case cases[] = {{5, 0, 10, 5}, {-1, 0, 10, 0}, {11, 0, 10, 10}, {-5, 3, 1, 3}, {2, 3, 1, 3}, {4, 3, 1, 1}};
    for (const auto& c : cases) {
        int v = c.v;
        EXPECT_EQ(Clamp(v, c.lo, c.hi), c.want);
        EXPECT_EQ(v, c.want);
    }
}

TEST(StrMid, Cases) {
    struct Case {
        const char* s;
        int start, count;
        const char* want;
    };
    const Case cases[] = {{"abcdef", 2, 3, "cde"},     {"abcdef", -1, 3, "ab"}, {"abcdef", 4, 10, "ef"},
                          {"abc", 5, 1, ""},           {"abc", 1, 0, ""},       {"abcdef", 2, -1, "cdef"},
                          {"abcdef", -5, 3, "abcdef"}, {"abc", 3, 2, ""}};
    for (const auto& c : cases) EXPECT_EQ(StrMid(c.s, c.start, c.count), c.want) << c.s << c.start << c.count;
}

TEST(RandomRange, EitherOrderAndTheSeededSequence) {
    platform::srand(1);
    EXPECT_EQ(platform::rand(), 41);
    platform::srand(1);
    EXPECT_EQ(RandomRange(0, 99), 41);  // 41 % 100
    for (int i = 0; i < 200; ++i) {
        int v = RandomRange(5, 3);
        EXPECT_GE(v, 3);
        EXPECT_LE(v, 5);
    }
    EXPECT_EQ(RandomRange(7, 7), 7);
    EXPECT_GE(RandomRange(INT_MIN, INT_MAX), INT_MIN);  // span beyond int stays defined
}

TEST(ShiftJis, PairsAndCharacterCounts) {
    // "あい" (two double-byte characters), a line feed and one letter.
    EXPECT_EQ(CountChars("あい\nx"), 3);
    EXPECT_EQ(CountChars(""), 0);
    EXPECT_EQ(CountChars("ソ"), 1) << "a trail byte 0x5C is part of the character";
    const unsigned char pair[] = {0x82, 0xA0, 0};
    const unsigned char notPair[] = {0x82, 0x20, 0};
    const unsigned char ascii[] = {'a', 'b', 0};
    EXPECT_TRUE(IsDbcsPair(pair));
    EXPECT_FALSE(IsDbcsPair(notPair));
    EXPECT_FALSE(IsDbcsPair(ascii));
    // A lone lead byte at the end counts as one character.
    EXPECT_EQ(CountChars(std::string("a\x82", 2)), 2);
}

TEST(FormatString, NoLengthLimitAndAppend) {
    std::string s;
    std::string big(8000, 'x');
    FormatString(s, "%s|%d", big.c_str(), 5);
    EXPECT_EQ(s.size(), 8002u);
    AppendFormat(s, "%s", "!");
    EXPECT_EQ(s.back(), '!');
    FormatString(s, "plain");
    EXPECT_EQ(s, "plain");
}
