#include <gtest/gtest.h>

#include "foundation/paths.h"
#include "platform/files.h"
#include "support/test_env.h"

TEST(StripFolder, Cases) {
    struct Case {
        std::string in, want;
    };
    const Case cases[] = {{"data\\stg4\\a.stg4", "a.stg4"},
                          {"plain.txt", "plain.txt"},
                          {"x", "x"},
                          {"a\\b\\", "b\\"},
                          {"\\", "\\"},
                          {"", ""},
                          // 0x5C counts wherever it stands, also as a trail byte.
                          {"ソ.txt", ".txt"}};
    for (const auto& c : cases) {
        std::string s = c.in;
        StripFolder(s);
        EXPECT_EQ(s, c.want) << c.in;
    }
}

TEST(Extensions, LastDotOfTheWholeText) {
    std::string out;
    EXPECT_EQ(ReplaceExtension(out, "a.b\\c", "x"), 1);
    EXPECT_EQ(out, "a.x");
    EXPECT_EQ(ReplaceExtension(out, "stage.stg4", nullptr), 1);
    EXPECT_EQ(out, "stage");
    EXPECT_EQ(ReplaceExtension(out, "noext", "x"), 0);
    EXPECT_EQ(out, "noext");
    std::string p = "dir\\f.txt";
    EXPECT_EQ(StripExtension(p), 1);
    EXPECT_EQ(p, "dir\\f");
    EXPECT_EQ(StripExtension(p), 0);
    EXPECT_EQ(GetExtension(out, "a.b.rpl4_920"), 1);
    EXPECT_EQ(out, "rpl4_920");
    EXPECT_EQ(GetExtension(out, "none"), 0);
}

TEST(NumberedFileName, FormatsAndCutsTheExtension) {
    std::string out;
    EXPECT_EQ(NumberedFileName(out, "user_data\\rpl4\\a.rpl4_920", 3), 1);
    EXPECT_EQ(out, "user_data\\rpl4\\a (3).rpl4_920");
    EXPECT_EQ(NumberedFileName(out, "x." + std::string(40, 'e'), 1), 1);
    EXPECT_EQ(out, "x (1)." + std::string(31, 'e'));
    EXPECT_EQ(NumberedFileName(out, "nodot", 1), 0);
}

TEST(FindLatestNumbered, TakesTheHighestNumber) {
    TestEnv env;
    env.Dir().WriteHostFile("data/stg4/stage.stg4_001", "");
    env.Dir().WriteHostFile("data/stg4/stage.stg4_012", "");
    env.Dir().WriteHostFile("data/stg4/stage.stg4_0120", "");  // not three digits
    env.Dir().WriteHostFile("data/stg4/other.stg4_999", "");
    std::string out;
    EXPECT_EQ(FindLatestNumbered(out, "data\\stg4\\stage.stg4", "stg4"), 1);
    EXPECT_EQ(out, "data\\stg4\\stage.stg4_012");
    env.Dir().WriteHostFile("s_003", "");
    env.Dir().WriteHostFile("s_010", "");
    EXPECT_EQ(FindLatestNumbered(out, "s", "stg4"), 1) << "a name without a dot is used unchanged";
    EXPECT_EQ(out, "s_010");
    EXPECT_EQ(FindLatestNumbered(out, "data\\stg4\\none.stg4", "stg4"), 0);
    // Games copied from a case-insensitive file system: the case of the name
    // on disk may differ.
    env.Dir().WriteHostFile("data/stg4/MIXED.STG4_004", "");
    EXPECT_EQ(FindLatestNumbered(out, "data\\stg4\\mixed.stg4", "stg4"), 1);
}

TEST(AbsoluteAndRelativePaths, RoundTripAgainstTheWorkingFolder) {
    TestEnv env;
    std::string cwd = platform::GetCurrentDirectoryInternal();
    ASSERT_FALSE(cwd.empty());
    std::string p = "data\\..\\user_data\\Option.dat";
    EXPECT_EQ(MakeAbsolutePath(p), 1);
    EXPECT_EQ(p, cwd + "\\user_data\\Option.dat");
    EXPECT_EQ(MakeRelativePath(p), 1);
    EXPECT_EQ(p, ".\\user_data\\Option.dat");
    std::string outside = "\\tmp";
    EXPECT_EQ(MakeRelativePath(outside), 1);
    EXPECT_EQ(outside.substr(0, 2), "..");
    std::string abs = "\\already\\absolute";
    EXPECT_EQ(MakeAbsolutePath(abs), 1);
    EXPECT_EQ(abs, "\\already\\absolute");
}
