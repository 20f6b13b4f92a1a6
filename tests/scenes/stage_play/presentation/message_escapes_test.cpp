#include "scenes/stage_play/presentation/message_escapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "foundation/abort.h"

namespace {

TEST(MessageEscapes, Table) {
    cVector<int> common(1001), stage(1001);
    stage[3] = 42;
    stage[4] = -7;
    stage[5] = INT_MIN;
    stage[1000] = 7;
    common[2] = -15;
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"#S3.", "42"},
        {"#S3_5.", "   42"},
        {"#S3_Z5.", "00042"},
        {"#S3_P.", "+42"},
        {"#S4_3.", "-  7"},
        {"#S3_Z1.", "42"},        // the width never cuts digits
        {"#S3_12.", "42"},        // a later width digit replaces the first
        {"#S5.", "-2147483648"},  // the smallest int keeps its digits
        {"#S1000.", "7"},         // the last variable
        {"#S0.", "#S0."},         // no variable 0
        {"#S1001.", "#S1001."},   // nor 1001
        {"#S99999999999.", "#S99999999999."},
        {"#X3.", "#X3."},  // no scope letter
        {"#3.", "#3."},
        {"#S_Z5.", "#S_Z5."},  // no number
        {"# ", "# "},
        {"#", "#"},            // a '#' at the very end
        {"HP #C2", "HP -15"},  // the end of the text ends the escape
        {"#cs2.", "-15"},      // common before stage
        {"#S3x", "42x"},       // only a '.' belongs to the escape
        {"##S3..", "#42."},
        {"#C2#S3", "-1542"},
        {"Ａ#S3.", "Ａ42"},  // after a double-byte character
        {"#ゴ3.", "#ゴ3."},  // the second byte of ゴ is an S, not a scope letter
        {"\x81#S3.",
         "\x81"
         "42"},  // '#' is no trail byte: the lead byte stands alone
        {"\x82#S3.",
         "\x82"
         "42"},
        {"\x81@#S3.", "\x81@42"},  // '@' is a trail byte: the pair is one character
        {"＃S3.", "＃S3."},        // a double-byte '#' begins nothing
        {"#S3.\x82", "42\x82"},    // a lead byte at the very end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        ExpandEscapes(text, common, stage);
        EXPECT_EQ(text, c.expected);
    }
    EXPECT_EQ(AbortFlag.load(), 0);
}

}  // namespace
