#include <gtest/gtest.h>

#include <algorithm>
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

// The zero and the CR bytes are found in one pass, a word at a time: every
// placement of a zero and of CR bytes around the words' edges reads as the
// text up to the first zero, with its CR bytes dropped only when asked. The
// other bytes are plain letters, or bytes near a zero's and a CR's value
// (the ones a borrow from a zero or CR below could mistake for another).
TEST(StoredText, ZeroAndCrBytesAtEveryPlaceOfAWord) {
    const std::string fillers[] = {"a", std::string("\x01\x0e\x0c\x80\xff", 5)};
    // Length 1 is the empty text, stored as its length alone.
    for (std::size_t length = 2; length <= 19; ++length) {
        for (std::size_t zero = 0; zero <= length; ++zero) {  // length: no zero
            for (std::size_t cr = 0; cr <= length; ++cr) {    // length: no CR
                for (const std::string& filler : fillers) {
                    std::string stored(length, 'a');
                    for (std::size_t k = 0; k < length; ++k) stored[k] = filler[k % filler.size()];
                    if (cr < length) stored[cr] = '\r';
                    if (cr + 9 < length) stored[cr + 9] = '\r';  // one in a later word too
                    if (zero < length) stored[zero] = '\0';
                    std::string upToZero = stored.substr(0, std::min(zero, length));
                    std::string stripped = upToZero;
                    std::erase(stripped, '\r');
                    for (bool strip : {false, true}) {
                        SCOPED_TRACE(testing::Message() << "length " << length << " zero " << zero << " cr " << cr
                                                        << " filler " << filler.size() << (strip ? " stripped" : ""));
                        cDataFile f("text", ByteBuilder().I32(static_cast<std::int32_t>(length)).Bytes(stored).Data());
                        std::string text = "old";
                        ASSERT_TRUE(f.ReadString(text, strip));
                        EXPECT_EQ(text, strip ? stripped : upToZero);
                        EXPECT_EQ(f.Position(), 4 + length);
                    }
                }
            }
        }
    }
}
