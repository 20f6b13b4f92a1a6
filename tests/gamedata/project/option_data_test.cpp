#include "gamedata/project/option_data.h"

#include <gtest/gtest.h>

#include "gamedata/project/player_files.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace {

ByteBuilder OptionFile(int palette, int music, int volume, int mode, const std::string& name) {
    ByteBuilder b;
    b.I32(kDataVersion).I32(4).I32(palette).I32(music).I32(volume).I32(mode).I32(1).Str(name);
    return b;
}

void ExpectDefaults(const cOptionData& o) {
    EXPECT_EQ(o.m_nPalette, 0);
    EXPECT_EQ(o.m_bMusic, 1);
    EXPECT_EQ(o.m_nVolume, 7);
    EXPECT_EQ(o.m_nRankingMode, 0);
    EXPECT_EQ(o.m_strRankingName, "aaa");
}

}  // namespace

TEST(OptionData, ANewInstallationStartsWithTheDefaults) {
    TempDir dir;
    cOptionData o;
    ExpectDefaults(o);
    EXPECT_EQ(o.LoadFile(PathTable[kPathOption]), 0);
    ExpectDefaults(o);
}

TEST(OptionData, TheDefaultFileIsExactlyTheThirtySixBytesOfTheRecord) {
    TempDir dir;
    CreateWorkingFolders();
    cOptionData o;
    ASSERT_EQ(o.SaveFile(PathTable[kPathOption]), 1);
    std::string bytes = dir.ReadHostFile("user_data/Option.dat");
    EXPECT_EQ(bytes.size(), 36u);
    EXPECT_EQ(bytes, OptionFile(0, 1, 7, 0, "aaa").Str());
}

TEST(OptionData, ValuesAndAnEmptyNameRoundTrip) {
    TempDir dir;
    cOptionData o;
    o.m_nPalette = 23;
    o.m_bMusic = 0;
    o.m_nVolume = 10;
    o.m_nRankingMode = 3;
    o.m_strRankingName.clear();
    ASSERT_EQ(o.SaveFile("Option.dat"), 1);
    EXPECT_EQ(dir.ReadHostFile("Option.dat"), OptionFile(23, 0, 10, 3, "").Str());
    cOptionData back;
    ASSERT_EQ(back.LoadFile("Option.dat"), 1);
    EXPECT_EQ(back.m_nPalette, 23);
    EXPECT_EQ(back.m_bMusic, 0);
    EXPECT_EQ(back.m_nVolume, 10);
    EXPECT_EQ(back.m_nRankingMode, 3);
    EXPECT_EQ(back.m_strRankingName, "");
}

TEST(OptionData, StoredValuesAreClampedToTheirRanges) {
    TempDir dir;
    struct Case {
        int in[4];
        int out[4];
    };
    const Case cases[] = {
        {{24, 2, 11, 4}, {23, 1, 10, 3}},
        {{-1, -5, -1, -9}, {0, 0, 0, 0}},
        {{1 << 30, 1, 1000000, 2}, {23, 1, 10, 2}},
        {{5, 0, 3, 1}, {5, 0, 3, 1}},
    };
    for (const Case& k : cases) {
        dir.WriteHostFile("Option.dat", OptionFile(k.in[0], k.in[1], k.in[2], k.in[3], "x").Str());
        cOptionData o;
        ASSERT_EQ(o.LoadFile("Option.dat"), 1);
        EXPECT_EQ(o.m_nPalette, k.out[0]);
        EXPECT_EQ(o.m_bMusic, k.out[1]);
        EXPECT_EQ(o.m_nVolume, k.out[2]);
        EXPECT_EQ(o.m_nRankingMode, k.out[3]);
    }
}

TEST(OptionData, ARefusedFileLeavesTheDefaults) {
    TempDir dir;
    auto file = OptionFile(5, 0, 3, 1, "name");
    for (std::size_t cut : {std::size_t(10), file.Size() - 2}) {
        dir.WriteHostFile("Option.dat", file.Truncated(cut));
        cOptionData o;
        o.m_nVolume = 2;
        EXPECT_EQ(o.LoadFile("Option.dat"), 0);
        ExpectDefaults(o);
    }
}
