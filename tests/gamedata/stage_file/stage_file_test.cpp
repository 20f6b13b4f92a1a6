#include <gtest/gtest.h>

#include "gamedata/fixtures/record_io.h"
#include "gamedata/fixtures/stage_fixtures.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/temp_dir.h"

namespace {

using StageFile = GameDataTest;

std::vector<std::uint8_t> StageSaveBytes(cStageData& s) {
    cDataFile f("mem", cDataFile::Mode::Write);
    s.Save(f);
    return f.Bytes();
}

int LoadStageBytes(const TempDir& dir, const ByteBuilder& file, cStageData& into = LoadedStage) {
    dir.WriteHostFile("s.stg4", file.Str());
    return into.LoadFile("s.stg4");
}

// A stage with a palette that inherits from the common palette, placed
// blocks, characters with flows, items with commands, and layers.
void BuildRichStage(cStageData& s) {
    CommonPalette.m_vPaletteBlocks.resize(3);
    CommonPalette.m_vPaletteBlocks[2].m_strName = "common brick";
    CommonPalette.m_vPaletteBlocks[2].m_sCell = 12;
    CommonPalette.m_vPaletteBlocks[2].m_cFootEffect = 3;
    CommonPalette.m_vPaletteBlocks[2].m_nFootValue = 150;

    s.m_strTitle = "ステージ1";
    s.m_nWidth = 120;
    s.m_nHeight = 30;
    s.m_nLimitRight = 90;
    s.m_nBgm = 3;
    s.m_nScrollSpeedX = 12;
    s.m_vnRankingOn = {1, 0, 1, 0, 1};
    s.m_Remove[1].SetFlagsAndMargins(1, 4);

    s.m_vPaletteBlocks.resize(3);
    cBlockDef& pb = s.m_vPaletteBlocks[1];
    pb.m_cBaseSource = 1;
    pb.m_sBaseIndex = 2;
    pb.m_vbInherit[0] = pb.m_vbInherit[2] = pb.m_vbInherit[8] = 1;
    pb.ApplyInheritance();
    s.m_vPaletteBlocks[2].m_sCell = 7;
    s.m_vPaletteBlocks[2].m_vCond.resize(1);
    s.m_vPaletteBlocks[2].m_vCond[0].m_cKind = 1;

    s.m_vPaletteCharas.resize(2);
    s.m_vPaletteCharas[1].m_strName = "enemy";
    s.m_vPaletteCharas[1].m_sCell = 40;
    s.m_vPaletteCharas[1].m_vFlow.resize(1);
    s.m_vPaletteCharas[1].m_vFlow[0].m_cTrigger = 5;

    s.m_vPaletteItems.resize(2);
    s.m_vPaletteItems[1].m_strName = "coin";
    s.m_vPaletteItems[1].m_vCmd.resize(1);
    s.m_vPaletteItems[1].m_vCmd[0].m_cTable = 1;

    for (int i = 0; i < 5; ++i) {
        cBlockDef b = s.m_vPaletteBlocks[1 + i % 2];
        b.m_sCellX = static_cast<std::int16_t>(i);
        b.m_sCellY = 29;
        b.m_cBaseSource = 2;
        b.m_sBaseIndex = static_cast<std::int16_t>(1 + i % 2);
        b.m_vbInherit.Fill(1);
        s.m_vPlacedBlocks.push_back(b);
    }
    cCharaDef hero;
    hero.m_cOperation = 0;
    hero.m_sCell = 1;
    hero.m_strName = "hero";
    hero.m_nHeldItem = 0;
    hero.m_vFlow.resize(2);
    hero.m_vFlow[0].m_cId = 1;
    hero.m_vFlow[1].m_cTrigger = 3;
    hero.m_vFlow[1].m_vCmd.resize(2);
    hero.m_vFlow[1].m_vCmd[1].m_cKind = 1;
    s.m_vPlacedCharas.push_back(hero);
    cCharaDef enemy = s.m_vPaletteCharas[1];
    enemy.m_cBaseSource = 2;
    enemy.m_sBaseIndex = 1;
    enemy.m_vbInherit.Fill(1);
    enemy.m_sCellX = 30;
    s.m_vPlacedCharas.push_back(enemy);
    cItemDef coin = s.m_vPaletteItems[1];
    coin.m_sCellX = 8;
    s.m_vPlacedItems.push_back(coin);

    s.m_vLayers.resize(12);  // more than the eight drawn layers
    s.m_vLayers[11].m_strPicture = "bg11";
    s.m_vLayers[3].m_bAutoY = 1;
    s.m_vLayers[3].m_dAutoSpeedY = 1.5;
    s.m_vNames.resize(3);
    s.m_vNames[2].m_strName = "名前";
}

TEST_F(StageFile, NewStageIsSavedWithItsDefaults) {
    cStageData s;
    const auto bytes = StageSaveBytes(s);
    cDataFile f("mem", bytes);
    EXPECT_EQ(f.ReadInt(), 98);
    // 92 ints and 6 doubles, then one string: the empty title.
    ASSERT_TRUE(f.Seek(4 + 92 * 4 + 6 * 8));
    EXPECT_EQ(f.ReadInt(), 1);
    EXPECT_EQ(f.ReadInt(), 1);
    EXPECT_EQ(f.ReadInt(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.ReadInt(), 1);
    const std::int32_t rules[5][8] = {{}, {}, {}, {1, 1, 1, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 10, 10, 10, 10}};
    for (const auto& rule : rules) {
        EXPECT_EQ(f.ReadInt(), 8);
        for (auto v : rule) EXPECT_EQ(f.ReadInt(), v);
        EXPECT_EQ(f.ReadInt(), 0);
    }
    // The palettes are padded to two entries before writing.
    EXPECT_EQ(s.m_vPaletteBlocks.Count(), 2);
    EXPECT_EQ(s.m_vPaletteCharas.Count(), 2);
    EXPECT_EQ(s.m_vPaletteItems.Count(), 2);
    cDataFile tail("mem", bytes);
    ASSERT_TRUE(tail.Seek(bytes.size() - 4));
    EXPECT_EQ(tail.ReadInt(), kStageEndCode);
    EXPECT_EQ(s.m_vLayers.Count(), 1);
    EXPECT_EQ(s.m_vLayers[0].m_bFill, 1);
}

TEST_F(StageFile, BuiltStageSavesAndLoadsBackEqual) {
    TempDir dir;
    SetTableSize(DbTable::Bgm, 5);
    BuildRichStage(LoadedStage);
    ASSERT_EQ(LoadedStage.SaveFile("rich.stg4"), 1);
    const auto first = StageSaveBytes(LoadedStage);
    const std::string onDisk = dir.ReadHostFile("rich.stg4");
    ASSERT_EQ(onDisk.substr(4), std::string(first.begin(), first.end()));

    LoadedStage = cStageData();
    ASSERT_EQ(LoadedStage.LoadFile("rich.stg4"), 1);
    EXPECT_EQ(StageSaveBytes(LoadedStage), first);

    EXPECT_EQ(LoadedStage.m_strTitle, "ステージ1");
    EXPECT_EQ(LoadedStage.m_vPaletteBlocks[1].m_strName, "common brick");
    EXPECT_EQ(LoadedStage.m_vPaletteBlocks[1].m_nFootValue, 150);
    ASSERT_EQ(LoadedStage.m_vPlacedBlocks.Count(), 5);
    EXPECT_EQ(LoadedStage.m_vPlacedBlocks[1].m_sCell, 7);
    EXPECT_EQ(LoadedStage.m_vPlacedBlocks[1].m_vCond.Count(), 1);
    ASSERT_EQ(LoadedStage.m_vPlacedCharas.Count(), 2);
    EXPECT_EQ(LoadedStage.m_vPlacedCharas[0].m_vFlow.Count(), 2);
    EXPECT_EQ(LoadedStage.m_vPlacedCharas[0].m_vFlow[1].m_vCmd.Count(), 2);
    EXPECT_EQ(LoadedStage.m_vPlacedCharas[1].m_vFlow[0].m_cTrigger, 5);
    EXPECT_EQ(LoadedStage.m_vPlacedItems[0].m_vCmd.Count(), 1);
    EXPECT_EQ(LoadedStage.m_vLayers.Count(), 12);
    EXPECT_EQ(LoadedStage.m_vLayers[11].m_strPicture, "bg11");
    EXPECT_EQ(LoadedStage.m_vNames[2].m_strName, "名前");
    EXPECT_EQ(LoadedStage.m_vnRankingOn[1], 0);
    EXPECT_EQ(LoadedStage.m_Remove[1].m_nTop, 4);
    EXPECT_EQ(LoadedStage.FindHero(), 0);
    EXPECT_EQ(LoadedStage.m_nSubSteps, 10);
}

TEST_F(StageFile, Version150IsUpgraded) {
    TempDir dir;
    StageFixture f;
    f.settings = {{"m_nHeroHitW", 14},      {"m_nHeroHitH", 20}, {"m_nCharaHitW", 10}, {"m_nCharaHitH", 22},
                  {"m_nHitCheckLevel", 10}, {"m_nFps", 60},      {"m_dGravity", 0.5}};
    f.ranking = {1, 1, 1};
    // A v150 layer: 62 and later store show, ratios, flags, name and offsets.
    ByteBuilder layer;
    layer.I32(10).I32(1).I32(0).I32(16).I32(0).F64(0.5).F64(0.25).I32(1).I32(0).F64(3.0).F64(4.0).I32(1).Str("");
    f.layers = {layer};
    f.names = {"a"};
    f.endCode = false;
    LoadedStage.m_bShowStatus = 0;
    LoadedStage.m_bSkipResult = 1;
    ASSERT_EQ(LoadStageBytes(dir, StageFileBytes(150, f)), 1);
    const cStageData& s = LoadedStage;
    EXPECT_EQ(s.m_nHeroHitW2, 14);
    EXPECT_EQ(s.m_nHeroHitH2, 20);
    EXPECT_EQ(s.m_nCharaHitW2, 10);
    EXPECT_EQ(s.m_nCharaHitH2, 22);
    for (auto flag : {s.m_bHeroHitBottom, s.m_bHeroHitBottom2, s.m_bCharaHitBottom, s.m_bCharaHitBottom2}) {
        EXPECT_EQ(flag, 0);
    }
    EXPECT_EQ(s.m_bBgmKeep, 1);
    EXPECT_EQ(s.m_bBgmContinue, 0);
    EXPECT_EQ(std::vector<std::int32_t>(s.m_vnRankingOn.begin(), s.m_vnRankingOn.end()),
              (std::vector<std::int32_t>{1, 1, 1, 0, 0}));
    EXPECT_EQ(s.m_bShowStatus, 1);
    EXPECT_EQ(s.m_bSkipResult, 0);
    EXPECT_EQ(s.m_bStartBanner2, 0);
    EXPECT_EQ(s.m_nHeroW, 16);
    EXPECT_EQ(s.m_nHeroH, 24);
    EXPECT_EQ(s.m_nHeroBoxKind[0], 5);
    EXPECT_EQ(s.m_nCharaH, 30);
    EXPECT_EQ(s.m_nCharaH2, 30);
    EXPECT_EQ(s.m_bCharaBottom2, 1);
    EXPECT_EQ(s.m_vNames.Count(), 1000);
    EXPECT_EQ(s.m_vNames[0].m_strName, "a");
    EXPECT_EQ(s.m_vPaletteBlocks.Count(), 2);
    ASSERT_EQ(s.m_vLayers.Count(), 1);
    EXPECT_DOUBLE_EQ(s.m_vLayers[0].m_dAutoSpeedX, 0.5);
    EXPECT_DOUBLE_EQ(s.m_vLayers[0].m_dRatioX, 1.0);
    EXPECT_DOUBLE_EQ(s.m_vLayers[0].m_dAutoPosX, 3.0);
    EXPECT_DOUBLE_EQ(s.m_dGravityStep, 0.005);
}

TEST_F(StageFile, EndCodeIsReadFromVersion173On) {
    StageFixture f;
    f.settings = {{"m_nHitCheckLevel", 10}, {"m_nFps", 60}};
    struct Case {
        int version;
        bool endCode;
        std::size_t left;
    };
    // 172 ends after the names; a 173 file has one more int, read and not
    // compared.
    for (auto c : {Case{172, false, 0}, Case{172, true, 4}, Case{173, true, 0}}) {
        f.endCode = c.endCode;
        f.endValue = 42;
        ByteBuilder file = StageFileBytes(c.version, f);
        std::vector<std::uint8_t> body(file.Data().begin() + 4, file.Data().end());
        cStageData s;
        std::size_t left = 99;
        EXPECT_TRUE(LoadBytes(s, c.version, body, &left)) << c.version;
        EXPECT_EQ(left, c.left) << c.version;
    }
}

TEST_F(StageFile, ValidateRepairsTheSettings) {
    SetTableSize(DbTable::Bgm, 4);
    struct Case {
        int bgm, keptBgm, level, keptLevel, fps, keptFps;
    };
    for (auto c : {Case{-1, 0, 0, 1, 0, 1}, Case{4, 0, 20, 19, -5, 1}, Case{3, 3, 11, 11, 30, 30}}) {
        LoadedStage.m_nBgm = c.bgm;
        LoadedStage.m_nHitCheckLevel = c.level;
        LoadedStage.m_nFps = c.fps;
        LoadedStage.Validate();
        EXPECT_EQ(LoadedStage.m_nBgm, c.keptBgm);
        EXPECT_EQ(LoadedStage.m_nHitCheckLevel, c.keptLevel);
        EXPECT_EQ(LoadedStage.m_nFps, c.keptFps);
        EXPECT_GE(LoadedStage.m_nSubSteps, 1);
    }
    // Validating another stage derives the physics of LoadedStage.
    LoadedStage.m_nHitCheckLevel = 13;
    cStageData other;
    other.m_nHitCheckLevel = 5;
    other.Validate();
    EXPECT_EQ(LoadedStage.m_nSubSteps, 3);
    EXPECT_EQ(other.m_nSubSteps, 0);
}

TEST_F(StageFile, PaletteEntryZeroAndPlacedPrefix) {
    TempDir dir;
    StageFixture f;
    f.settings = {{"m_nHitCheckLevel", 10}, {"m_nFps", 60}};
    DefFixture odd;
    odd.name = "odd";
    odd.fields = {{"m_sCell", 3}, {"m_cContact", 2}, {"m_cScale", 1}};
    f.paletteBlocks = {odd, odd};
    f.paletteItems = {odd};
    f.placedCharas = {HeroFixture()};
    f.placedBlocks = {odd};
    ASSERT_EQ(LoadStageBytes(dir, StageFileBytes(kDataVersion, f)), 1);
    const auto withZero = StageSaveBytes(LoadedStage);
    EXPECT_EQ(LoadedStage.m_vPaletteBlocks[0].m_strName, "");
    EXPECT_EQ(LoadedStage.m_vPaletteBlocks[0].m_sCell, 0);
    EXPECT_EQ(LoadedStage.m_vPaletteBlocks[1].m_strName, "odd");
    EXPECT_EQ(LoadedStage.m_vPaletteItems[0].m_strName, "");
    EXPECT_EQ(LoadedStage.m_vPaletteItems.Count(), 2);

    f.placedPrefix = 77;
    ASSERT_EQ(LoadStageBytes(dir, StageFileBytes(kDataVersion, f)), 1);
    EXPECT_EQ(StageSaveBytes(LoadedStage), withZero);
}

TEST_F(StageFile, StagePaletteEntriesInheritFromEarlierEntriesOnly) {
    TempDir dir;
    StageFixture f;
    f.settings = {{"m_nHitCheckLevel", 10}, {"m_nFps", 60}};
    auto entry = [](const char* name, int base, int hp) {
        DefFixture d;
        d.name = name;
        d.fields = {{"m_cBaseSource", 2}, {"m_sBaseIndex", base}, {"m_nMaxHp", hp}, {"m_cScale", 1}};
        d.flags.assign(37, 0);
        d.flags[23] = 1;  // the maximum HP
        return d;
    };
    // Entry 1 names entry 2, which is still new while entry 1 loads; entry 3
    // names entry 1, which is loaded by then.
    f.paletteCharas = {DefFixture{}, entry("one", 2, 11), entry("two", 0, 22), entry("three", 1, 33)};
    f.placedCharas = {HeroFixture()};
    ASSERT_EQ(LoadStageBytes(dir, StageFileBytes(kDataVersion, f)), 1);
    EXPECT_EQ(LoadedStage.m_vPaletteCharas[1].m_nMaxHp, 10);  // a new definition's value
    EXPECT_EQ(LoadedStage.m_vPaletteCharas[2].m_nMaxHp, 22);
    EXPECT_EQ(LoadedStage.m_vPaletteCharas[3].m_nMaxHp, 10);  // entry 1 as it was loaded
}

TEST_F(StageFile, ReplayTakesTheSettingsOfThePlayStage) {
    SetTableSize(DbTable::Bgm, 5);
    BuildRichStage(LoadedStage);
    LoadedStage.Validate();
    PlayStage.CopySettingsFrom(LoadedStage);
    PlayStage.ClearDefinitions();
    LoadedStage.m_nScrollSpeedX = -300;  // the hero changed it during play
    LoadedStage.m_vLayers[0].m_nFillColor = 3;

    cDataFile f("mem", cDataFile::Mode::Write);
    LoadedStage.SaveToReplay(f, PlayStage);
    cStageData back;
    ASSERT_TRUE(LoadBytes(back, kDataVersion, f.Bytes()));
    EXPECT_EQ(back.m_nScrollSpeedX, 12);
    EXPECT_EQ(back.m_vLayers[0].m_nFillColor, 16);
    EXPECT_EQ(back.m_vPlacedBlocks.Count(), 5);
    EXPECT_EQ(back.m_vPlacedCharas.Count(), 2);

    // With its own settings the replay body is the stage file body.
    cDataFile own("mem", cDataFile::Mode::Write);
    LoadedStage.SaveToReplay(own, LoadedStage);
    EXPECT_EQ(own.Bytes(), StageSaveBytes(LoadedStage));
}

TEST_F(StageFile, BrokenFilesAreRefusedCleanly) {
    TempDir dir;
    StageFixture f;
    f.settings = {{"m_nHitCheckLevel", 10}, {"m_nFps", 60}};
    f.placedCharas = {HeroFixture(), HeroFixture()};
    const ByteBuilder good = StageFileBytes(kDataVersion, f);
    ASSERT_EQ(LoadStageBytes(dir, good), 1);
    for (std::size_t cut : {good.Size() - 5, good.Size() / 2, std::size_t(30), std::size_t(6)}) {
        BuildRichStage(LoadedStage);
        EXPECT_EQ(LoadStageBytes(dir, ByteBuilder().Bytes(good.Truncated(cut))), 0) << cut;
        // A half-read stage becomes a new one rather than a mixture.
        EXPECT_TRUE(LoadedStage.m_vPlacedCharas.empty()) << cut;
        EXPECT_EQ(LoadedStage.m_strTitle, "") << cut;
    }
    StageFixture huge = f;
    huge.ranking = {1};
    ByteBuilder b = StageFileBytes(kDataVersion, huge);
    EXPECT_EQ(LoadStageBytes(dir, ByteBuilder().Bytes(b.Str().substr(0, 4 + 428)).I32(0x40000000)), 0);
}

}  // namespace
