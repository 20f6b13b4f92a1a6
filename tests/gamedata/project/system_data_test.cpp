#include "gamedata/project/system_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "gamedata/database/database.h"
#include "gamedata/fixtures/system_data_fixtures.h"
#include "support/temp_dir.h"

using namespace sysfix;

namespace {

// What a file older than a row's version gets: for files older than
// `below`, `value`; pairs in ascending order. No pair: the default stays.
struct OldValue {
    int below;
    int value;
};

struct RowExpectation {
    int row;
    int def;
    std::vector<OldValue> old;
};

// The table of the registered integers as the project format defines them.
std::vector<RowExpectation> Expectations() {
    std::vector<RowExpectation> e = {
        {1, 0, {{185, 1}}},
        {2, 100, {}},
        {3, 0, {{838, 1}}},
        {4, 1, {}},
        {5, 0, {}},
        {6, 60, {{205, 60}}},
        {7, 0, {{170, 0}}},
        {8, 0, {{113, 0}}},
        {9, 0, {{855, 1}}},
        {10, 1, {{184, 1}}},
        {11, 1, {{157, 0}}},
        {12, 1, {{821, 0}}},
        {13, 1, {}},
        {14, 1, {{191, 0}}},
        {15, 1, {{191, 0}}},
        {16, 0, {}},
        {17, 40, {}},
        {18, 1, {}},
        {19, 1, {{167, 1}}},
        {20, 1, {{167, 1}}},
        {21, 1, {{188, 1}}},
        {22, 1, {{224, 0}}},
        {23, 1, {{167, 1}}},
        {24, 1, {{167, 1}}},
        {25, 1, {{188, 1}}},
        {26, 1, {{224, 0}}},
        {27, 1, {{188, 1}}},
        {28, 0, {{192, 1}}},
        {29, 0, {{187, 0}}},
        {30, 0, {{187, 0}}},
        {31, 0, {{187, 177}}},
        {32, 0, {{187, 0}}},
        {33, 0, {{214, 1}}},
        {35, 0, {{261, 1}}},
        {36, 0, {{272, 0}}},
        {37, 0, {{287, 0}}},
        {38, 16, {{515, 16}}},
        {40, 1, {{757, 0}}},
        {43, 0, {{617, 1}, {637, 0}}},
        {71, 0, {{817, 0}, {833, 1}}},
        {78, 0, {{656, 0}, {845, 1}}},
        {81, 0, {{822, 0}, {894, 1}}},
        {83, 0, {{890, 0}, {896, 1}}},
        {88, 0, {{670, 0}}},
        {89, 2, {{670, 2}}},
        {90, 0, {}},
    };
    // The plain compatibility switches: 0 by default, 1 for older files.
    const std::pair<int, int> compat[] = {
        {41, 525}, {42, 555}, {44, 669}, {45, 677}, {46, 695}, {47, 696}, {48, 697}, {49, 721}, {50, 728},
        {51, 733}, {52, 744}, {53, 749}, {54, 752}, {55, 763}, {56, 763}, {57, 768}, {58, 773}, {59, 781},
        {60, 782}, {61, 783}, {62, 793}, {63, 805}, {64, 808}, {65, 818}, {66, 818}, {67, 819}, {68, 822},
        {69, 827}, {70, 831}, {72, 837}, {73, 839}, {74, 841}, {75, 845}, {76, 845}, {77, 845}, {79, 861},
        {80, 875}, {82, 895}, {84, 897}, {85, 904}, {86, 912}, {87, 913},
    };
    for (auto [row, version] : compat) e.push_back({row, 0, {{version, 1}}});
    return e;
}

// A value per row that no default or old value has.
int Marker(int row) { return (row >= 30 && row <= 32) ? 100 + row : 1000 + row; }

bool Stored(int row, int version) {
    for (const auto& r : Layout()) {
        if (r.row == row) return version >= r.from && version <= r.until;
    }
    return false;
}

int Expected(const RowExpectation& e, int version) {
    if (Stored(e.row, version)) return Marker(e.row);
    for (const auto& o : e.old) {
        if (version < o.below) return o.value;
    }
    return e.def;
}

class SystemDataFile : public ::testing::Test {
protected:
    int LoadBytes(const ByteBuilder& b) {
        dir.WriteHostFile("data/System.dat", b.Str());
        return sys.LoadFile("data\\System.dat");
    }
    TempDir dir;
    cSystemData sys;
};

TEST_F(SystemDataFile, CurrentFileRoundTripsByteExactly) {
    ByteBuilder b = SystemFile(kDataVersion, Marker, "ゲーム", FullLists(kDataVersion));
    ASSERT_EQ(LoadBytes(b), 1);
    ASSERT_EQ(sys.SaveFile("data\\Out.dat"), 1);
    EXPECT_EQ(dir.ReadHostFile("data/Out.dat"), b.Str());
    EXPECT_EQ(sys.m_strTitle, "ゲーム");
    EXPECT_EQ(sys.SystemTexts[28], "テキスト28");
    EXPECT_EQ(sys.SystemIniKeys[10].m_nValue, 15);
    EXPECT_EQ(sys.StatusItems[4].m_nThreshold, 45);
    EXPECT_EQ(sys.TitleMenu[6].m_nEnabled, 0);
}

TEST_F(SystemDataFile, EveryRowHasItsValueForEveryVersion) {
    const int versions[] = {100, 112, 113, 156, 157, 166, 167, 169, 184, 185, 186, 187, 190,         191, 192,
                            204, 213, 214, 220, 221, 250, 259, 260, 261, 271, 272, 286, 288,         289, 300,
                            515, 524, 525, 600, 616, 617, 620, 636, 637, 655, 656, 669, 670,         696, 697,
                            757, 800, 816, 817, 818, 821, 822, 832, 833, 838, 844, 845, 855,         879, 880,
                            889, 890, 893, 894, 895, 896, 897, 904, 912, 913, 914, 915, kDataVersion};
    const auto expectations = Expectations();
    ASSERT_EQ(expectations.size(), 88u);  // rows 1 to 90 but 34 and 39, which have their own cases
    for (int v : versions) {
        SCOPED_TRACE(v);
        ASSERT_EQ(LoadBytes(SystemFile(v, Marker, "", FullLists(v))), 1);
        for (const auto& e : expectations) EXPECT_EQ(sys.Row(e.row), Expected(e, v)) << "row " << e.row;
        sys.SetDefaults();
    }
}

TEST_F(SystemDataFile, RowsOnlySomeVersionsStore) {
    struct Case {
        int version;
        int fixedKey;  // row 29 as stored (files from 187)
        int row39;
    };
    // Row 39 of files before 289 follows the fixed key colour (row 29).
    const Case cases[] = {{150, 0, 1}, {250, 0, 1}, {250, 1, 0}, {288, 5, 0}, {289, 0, 1039}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        auto value = [&c](int row) { return row == 29 ? c.fixedKey : Marker(row); };
        ASSERT_EQ(LoadBytes(SystemFile(c.version, value, "", FullLists(c.version))), 1);
        EXPECT_EQ(sys.Row(39), c.row39);
        sys.SetDefaults();
    }
    // Row 34 lived from 221 to 259: its bytes are read and dropped.
    const int dropped = DiscardedField;
    ASSERT_EQ(LoadBytes(SystemFile(250, Marker, "t", FullLists(250))), 1);
    EXPECT_EQ(DiscardedField, Marker(34));
    EXPECT_EQ(sys.Row(35), 1);  // the row after it took its own value, not row 34's
    EXPECT_EQ(sys.Row(33), Marker(33));
    EXPECT_EQ(sys.Row(34), 0);
    DiscardedField = dropped;
}

TEST_F(SystemDataFile, TextsOfVersion150AreBuiltByTheInsertions) {
    Lists l = FullLists(150);
    l.systemTexts = Texts(Numbered("a", 20));
    l.mapMenu = Cmds({"m0", "m1", "m2"}, 1);
    ASSERT_EQ(LoadBytes(SystemFile(150, Marker, "", l)), 1);
    const std::vector<std::string> expected = {
        "a0",
        "a1",
        "a2",
        "a3",
        "a4",
        "a5",
        "a6",
        "a7",
        "残りHP",
        "残りSP",
        "a8",
        "a9",
        "a10",
        "a11",
        "オートセーブＯＮ",
        "オートセーブＯＦＦ",
        "保存先が不明です！一度は「セーブ」して下さい！",
        "a12",
        "a13",
        "a14",
        "a15",
        "a16",
        "マップへ戻る",
        "リトライ",
        "マップへ戻る",
        "a17",
        "a18",
        "a19",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(sys.SystemTexts.begin(), sys.SystemTexts.end()), expected);
    ASSERT_EQ(sys.MapMenu.Count(), 4);
    EXPECT_EQ(sys.MapMenu[0].m_strName, "m0");
    EXPECT_EQ(sys.MapMenu[1].m_strName, "オートセーブ");
    EXPECT_EQ(sys.MapMenu[1].m_nEnabled, 1);
    EXPECT_EQ(sys.MapMenu[2].m_strName, "m1");
    EXPECT_EQ(sys.MapMenu[3].m_strName, "m2");
}

TEST_F(SystemDataFile, ListStepsOfOldVersions) {
    // Carry-over flags: 1 inserted at 16 (168), 0 at 14 (201), 0 at 9 (210).
    Lists l = FullLists(150);
    l.carryOver = Bytes(24, [](int i) { return i + 1; });
    ASSERT_EQ(LoadBytes(SystemFile(150, Marker, "", l)), 1);
    std::vector<int> flags(sys.CarryOverFlags.begin(), sys.CarryOverFlags.end());
    const std::vector<int> expected = {1,  2,  3, 4,  5,  6, 7,  8,  9,  0,  10, 11, 12,
                                       13, 14, 0, 15, 16, 1, 17, 18, 19, 20, 21, 22};
    EXPECT_EQ(flags, expected);
    // Not stored before 181: the genre flags of the defaults lose HP and SP.
    EXPECT_EQ(sys.CountEnabled(kGameStory), 3);
    EXPECT_EQ(std::vector<int>(sys.InfiniteLives.begin(), sys.InfiniteLives.end()), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(std::vector<int>(sys.SceneBgmKeep.begin(), sys.SceneBgmKeep.end()), (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(std::vector<int>(sys.CarryResetFlags.begin(), sys.CarryResetFlags.end()), std::vector<int>(25, 0));
    EXPECT_EQ(sys.RankingModeNames[0], "手動登録（登録名入力）");
    // Status items before 204 draw the number over the gauge; before 587
    // the two gauges warn at a third.
    EXPECT_EQ(sys.StatusItems[0].m_bGaugeNumber, 1);
    EXPECT_EQ(sys.StatusItems[2].m_nThreshold, 33);
    EXPECT_EQ(sys.StatusItems[3].m_bPercent, 1);
    EXPECT_EQ(sys.StatusItems[4].m_nThreshold, 0);
    sys.SetDefaults();

    ASSERT_EQ(LoadBytes(SystemFile(200, Marker, "", FullLists(200))), 1);
    EXPECT_EQ(std::vector<int>(sys.InfiniteLives.begin(), sys.InfiniteLives.end()), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(sys.StatusItems[0].m_bGaugeNumber, 1);
    sys.SetDefaults();
    ASSERT_EQ(LoadBytes(SystemFile(587, Marker, "", FullLists(587))), 1);
    EXPECT_EQ(sys.StatusItems[2].m_nThreshold, 25);
    EXPECT_EQ(sys.StatusItems[0].m_bGaugeNumber, 4);
}

TEST_F(SystemDataFile, NoUpgradeForCurrentFilesButTheMusicCheck) {
    for (int v : {914, kDataVersion}) {
        SCOPED_TRACE(v);
        Lists l = FullLists(v);
        l.bgmIds = Ints({1, 2, -1, 7});
        ASSERT_EQ(LoadBytes(SystemFile(v, Marker, "", l)), 1);
        // Two music entries exist by default: 2 and 7 play silence.
        EXPECT_EQ(std::vector<int>(sys.SceneBgmIds.begin(), sys.SceneBgmIds.end()), (std::vector<int>{1, 0, -1, 0}));
        EXPECT_EQ(sys.SystemTexts[22], "テキスト22");
        EXPECT_EQ(sys.SystemIniKeys[0].m_strName, "k0");
        sys.SetDefaults();
    }
}

TEST_F(SystemDataFile, IniKeyTableOfVersion285) {
    Lists l = FullLists(285);
    l.iniKeys = IniKeys({{"WindowMode", 1}, {"Bpp", 16}, {"VSync", 3}, {"ShowFps", 0}, {"FreeStage", 0}});
    ASSERT_EQ(LoadBytes(SystemFile(285, Marker, "", l)), 1);
    const std::vector<std::pair<std::string, int>> expected = {
        {"Direct3D", 1},         {"WindowMode", 1},      {"Bpp", 16},    {"VSync", 2},     {"D3D_FontCache", 0},
        {"DD_FontCache", 1},     {"DD_VideoStretch", 0}, {"ShowFps", 0}, {"FreeStage", 0}, {"English", 0},
        {"Midi_DirectMusic", 1},
    };
    ASSERT_EQ(sys.SystemIniKeys.Count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(sys.SystemIniKeys[i].m_strName, expected[i].first) << i;
        EXPECT_EQ(sys.SystemIniKeys[i].m_nValue, expected[i].second) << i;
    }
    // An inserted key keeps the text of the entry it was copied from.
    EXPECT_EQ(sys.SystemIniKeys[0].m_strText, "tWindowMode");
    sys.SetDefaults();
    l = FullLists(286);
    l.iniKeys = IniKeys({{"Direct3D", 0}, {"WindowMode", 1}, {"Bpp", 16}, {"VSync", 3}});
    ASSERT_EQ(LoadBytes(SystemFile(286, Marker, "", l)), 1);
    EXPECT_EQ(sys.SystemIniKeys[3].m_nValue, 3);
}

TEST_F(SystemDataFile, ShortListsArePaddedFromTheDefaults) {
    Lists l = FullLists(kDataVersion);
    l.systemTexts = Texts({"x"});
    l.iniKeys = IniKeys({{"Direct3D", 0}});
    l.carryOver = Bytes(3, [](int) { return 1; });
    l.rankingSettings = ByteBuilder().I32(1).I32(1).I32(1).I32(0).Append(Bytes(2, [](int) { return 1; }));
    ASSERT_EQ(LoadBytes(SystemFile(kDataVersion, Marker, "", l)), 1);
    ASSERT_EQ(sys.SystemTexts.Count(), 29);
    EXPECT_EQ(sys.SystemTexts[0], "x");
    EXPECT_EQ(sys.SystemTexts[28], "F3キーでランキングへ登録");
    ASSERT_EQ(sys.SystemIniKeys.Count(), 11);
    EXPECT_EQ(sys.SystemIniKeys[10].m_strName, "Midi_DirectMusic");
    EXPECT_EQ(sys.CarryOverFlags.Count(), 25);
    EXPECT_EQ(sys.CarryOverFlags[13], 1);  // taken from the defaults
    ASSERT_EQ(sys.RankingSettings.Count(), 4);
    EXPECT_EQ(sys.RankingSettings[0].m_vGenres.Count(), 5);
    EXPECT_EQ(sys.CountEnabled(kGameStory), 2);
    EXPECT_EQ(sys.CountEnabled(kGameReplay), 0);
}

TEST_F(SystemDataFile, LongerListsAreKeptAsTheyCome) {
    Lists l = FullLists(kDataVersion);
    std::vector<std::string> texts(31, "t");
    texts[30] = "last";
    l.systemTexts = Texts(texts);
    l.titleMenu = Cmds(Numbered("t", 9), 1);
    l.carryOver = Bytes(27, [](int i) { return i == 26 ? 1 : 0; });
    l.rankingSettings = ByteBuilder().I32(1).I32(1).I32(1).I32(0).Append(Bytes(7, [](int) { return 1; }));
    ASSERT_EQ(LoadBytes(SystemFile(kDataVersion, Marker, "", l)), 1);
    ASSERT_EQ(sys.SystemTexts.Count(), 31);
    EXPECT_EQ(sys.SystemTexts[30], "last");
    EXPECT_EQ(sys.TitleMenu.Count(), 9);
    ASSERT_EQ(sys.CarryOverFlags.Count(), 27);
    EXPECT_EQ(sys.CarryOverFlags[26], 1);
    ASSERT_EQ(sys.RankingSettings.Count(), 4);
    EXPECT_EQ(sys.RankingSettings[0].m_vGenres.Count(), 7) << "the genre list takes the file's count";
    EXPECT_EQ(sys.CountEnabled(kGameStory), kGenreCount) << "flags past the genres there are rank nothing";
}

TEST_F(SystemDataFile, DamagedFilesAreRefusedAndLeaveTheDefaults) {
    const ByteBuilder good = SystemFile(kDataVersion, Marker, "t", FullLists(kDataVersion));
    Lists absurd = FullLists(kDataVersion);
    absurd.systemTexts = ByteBuilder().I32(0x7fffffff);
    Lists negative = FullLists(kDataVersion);
    negative.titleMenu = ByteBuilder().I32(-2);
    const std::pair<const char*, std::string> cases[] = {
        {"truncated", good.Truncated(good.Size() - 3)},
        {"cut in the rows", good.Truncated(30)},
        {"absurd text count", SystemFile(kDataVersion, Marker, "t", absurd).Str()},
        {"negative menu count", SystemFile(kDataVersion, Marker, "t", negative).Str()},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        dir.WriteHostFile("data/System.dat", bytes);
        EXPECT_EQ(sys.LoadFile("data\\System.dat"), 0);
        EXPECT_EQ(sys.m_nExtraLifeScore, 100);
        EXPECT_EQ(sys.SystemTexts.Count(), 29);
        EXPECT_EQ(sys.TitleMenu[0].m_strName, "はじめから");
    }
}

TEST(SystemDataDefaults, NewSystemDataHoldsTheDefaults) {
    cSystemData s;
    EXPECT_EQ(s.FieldCount(), 89);
    EXPECT_EQ(s.StringCount(), 1);
    for (const auto& e : Expectations()) EXPECT_EQ(s.Row(e.row), e.def) << "row " << e.row;
    EXPECT_EQ(s.Row(39), 0);
    EXPECT_EQ(s.SystemTexts[16], "保存先が不明です！一度は「セーブ」して下さい！");
    EXPECT_EQ(s.SystemTexts[22], "");
    EXPECT_EQ(s.TitleMenu.Count(), 7);
    EXPECT_EQ(s.TitleMenu[6].m_strName, "しゅうりょう");
    EXPECT_EQ(s.OptionMenu.Count(), 6);
    EXPECT_EQ(s.OptionMenu[5].m_strName, "");
    EXPECT_EQ(s.OptionMenu[5].m_nEnabled, 1);
    EXPECT_EQ(s.StatusItems[4].m_strLabel, "人");
    EXPECT_EQ(s.StatusItems[0].m_nDigits, 4);
    EXPECT_EQ(s.StartLives[3], 99);
    EXPECT_EQ(s.CountEnabled(kGameFree), 5);
    EXPECT_EQ(s.CountEnabled(kGameReplay), 0);
    const std::vector<int> carry(s.CarryOverFlags.begin(), s.CarryOverFlags.end());
    EXPECT_EQ(carry, (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(s.CarryResetFlags[11], 1);
    EXPECT_EQ(s.SystemSoundFiles.Count(), 17);
    EXPECT_EQ(s.SystemIniKeys[kIniFreeStage].m_nType, cSystemIniKey::kText);
    EXPECT_EQ(s.SystemIniKeys[kIniVSync].m_nValue, 2);
    EXPECT_EQ(s.SystemIniKeys[kIniDirect3D].m_nValue, 2);
    EXPECT_STREQ(FontFaces[59], "ＭＳ ゴシック");
    EXPECT_STREQ(FontFaces[kDefaultFontFace], "ＭＳ Ｐゴシック");
    EXPECT_STREQ(FontFaces[121], "Sydnie");
    EXPECT_STREQ(FontFaces[122], "");
    EXPECT_STREQ(FontFaceName(59), "ＭＳ ゴシック");
    EXPECT_STREQ(FontFaceName(123), "");
    EXPECT_STREQ(FontFaceName(-1), "");
}

TEST(SystemDataQueries, CountEnabledNeedsTheKindSwitched) {
    cSystemData s;
    s.RankingSettings[kGameReplay].m_vGenres.assign(5, 1);
    EXPECT_EQ(s.CountEnabled(kGameReplay), 0);
    s.RankingSettings[kGameReplay].m_bEnabled = 1;
    s.RankingSettings[kGameReplay].m_vGenres[2] = 0;
    EXPECT_EQ(s.CountEnabled(kGameReplay), 4);
    EXPECT_EQ(s.CountEnabled(4), 0);
    EXPECT_EQ(s.CountEnabled(-1), 0);
}

TEST(SystemDataQueries, CheckThreshold) {
    cSystemData s;
    s.StatusItems[2].m_nThreshold = 33;
    s.StatusItems[2].m_bPercent = 1;
    s.StatusItems[1].m_nThreshold = 10;
    const struct {
        int item, value, maximum, expected;
    } cases[] = {
        {2, 33, 100, 1}, {2, 34, 100, 0}, {2, 1, 3, 0},  {2, 1, 4, 1},
        {2, 2, 3, 0},    {1, 10, 0, 1},   {1, 11, 0, 0}, {7, 0, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.CheckThreshold(c.item, c.value, c.maximum), c.expected) << c.item << " " << c.value;
    }
}

TEST(SystemDataQueries, MenuTextBlocks) {
    cSystemData s;
    // Texts 10 and 11: "ステージに挑む" (7 characters) and "やっぱりやめる" (7).
    EXPECT_EQ(s.MenuTextLeft(304, 10, 2, 1), 304 - (8 * 16) / 2);
    EXPECT_EQ(s.MenuTextLeft(304, 10, 2, 0), 304 - (7 * 16) / 2);
    s.SystemTexts[0] = "abc";
    EXPECT_EQ(s.MenuTextLeft(0, 0, 1, 0), -24);
    std::string text;
    int w = 0, h = 0;
    ASSERT_TRUE(s.BuildMenuText(10, 2, 1, text, w, h));
    EXPECT_EQ(text, " ステージに挑む\n やっぱりやめる\n");
    EXPECT_EQ(w, 128);
    EXPECT_EQ(h, 32);
    EXPECT_FALSE(s.BuildMenuText(10, 0, 1, text, w, h));
}

}  // namespace
