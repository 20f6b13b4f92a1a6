#include <gtest/gtest.h>

#include <string>

#include "foundation/data_file.h"
#include "support/byte_builder.h"

TEST(StoredText, LengthCountsTheZeroAndBadLengthsFailTheFile) {
    struct Case {
        const char* what;
        ByteBuilder bytes;
        bool ok;
        std::string text;
        std::size_t position;  // after the read, when ok
    };
    const Case cases[] = {
        {"text", ByteBuilder().Str("abc"), true, "abc", 8},
        {"empty is the length alone", ByteBuilder().I32(1), true, "", 4},
        {"cut at the first zero", ByteBuilder().I32(5).Bytes(std::string("ab\0cd", 5)), true, "ab", 9},
        {"no zero at all", ByteBuilder().I32(2).Bytes("xy"), true, "xy", 6},
        {"length 0", ByteBuilder().I32(0), false, "old", 0},
        {"negative length", ByteBuilder().I32(-4), false, "old", 0},
        {"past the end", ByteBuilder().I32(9).Bytes("abc"), false, "old", 0},
    };
    for (const Case& c : cases) {
        cDataFile f("text", c.bytes.Data());
        std::string text = "old";
        EXPECT_EQ(f.ReadString(text), c.ok) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
        if (c.ok) { EXPECT_EQ(f.Position(), c.position) << c.what; }
    }
}
