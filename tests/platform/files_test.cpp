#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "support/utf8.h"

TEST(PathMapping, ShiftJisNameWithBackslashesAndMixedCase) {
    TempDir dir;
    dir.WriteHostFile(Utf8(u8"データ/ステージ/Ｍａｐ.dat"), "payload");
    dir.WriteHostFile("Data/Bmp/Chara.BMP", "bmp");
    // The game asks in Shift-JIS with backslashes (and its own case).
    std::string sjis = platform::Utf8ToCp932(Utf8(u8"データ\\ステージ\\Ｍａｐ.dat"));
    EXPECT_EQ(platform::HostPath(sjis), Utf8(u8"データ/ステージ/Ｍａｐ.dat"));
    EXPECT_EQ(platform::HostPath("data\\bmp\\chara.bmp"), "Data/Bmp/Chara.BMP");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(platform::ReadWholeFile(sjis, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "payload");
    // A name that does not exist yet keeps its converted form.
    EXPECT_EQ(platform::HostPath("data\\bmp\\New.bmp"), "Data/Bmp/New.bmp");
}

TEST(PathMapping, TrailByte5CIsNotASeparator) {
    TempDir dir;
    dir.WriteHostFile(Utf8(u8"ソフト/a.txt"), "x");
    std::string sjis = platform::Utf8ToCp932(Utf8(u8"ソフト\\a.txt"));
    EXPECT_EQ(platform::HostPath(sjis), Utf8(u8"ソフト/a.txt"));
}

TEST(TextConversion, Cp932IsNotShiftJis) {
    // 0x8160 is the wave dash of code page 932 (U+FF5E), not U+301C.
    EXPECT_EQ(platform::Cp932ToUtf8("\x81\x60"), Utf8(u8"～"));
    EXPECT_EQ(platform::Utf8ToCp932(Utf8(u8"～")), "\x81\x60");
    EXPECT_EQ(platform::Cp932ToUtf8("plain"), "plain");
    EXPECT_EQ(platform::Cp932ToUtf8(std::string("\x82", 1)), Utf8(u8"\uFFFD"));
}

TEST(SafeWrite, FailureLeavesTheOldFile) {
    TempDir dir;
    dir.WriteHostFile("target.dat", "old");
    EXPECT_TRUE(platform::WriteFileSafely("target.dat", "new", 3));
    EXPECT_EQ(dir.ReadHostFile("target.dat"), "new");
    EXPECT_FALSE(platform::WriteFileSafely("missing\\target.dat", "x", 1));
    dir.WriteHostFile("folder/keep", "k");
    EXPECT_FALSE(platform::WriteFileSafely("folder", "x", 1));
    EXPECT_EQ(dir.ReadHostFile("folder/keep"), "k");
}
