#include "gamedata/stage_file/stage_loader.h"

#include <gtest/gtest.h>

#include "foundation/data_record.h"
#include "gamedata/fixtures/stage_fixtures.h"
#include "gamedata/stage_file/stage_load_runner.h"
#include "platform/threads.h"
#include "support/large_stage.h"
#include "support/temp_dir.h"

namespace {

using StageLoading = GameDataTest;

StageFixture PlayableStage(const char* title) {
    StageFixture f;
    f.title = title;
    f.settings = {
        {"m_nHitCheckLevel", 10}, {"m_nFps", 60}, {"m_nScrollSpeedX", 7}, {"m_nWidth", 40}, {"m_nHeight", 20}};
    DefFixture enemy;
    enemy.fields = {{"m_cOperation", 1}, {"m_sCell", 3}, {"m_cScale", 1}};
    f.placedCharas = {enemy, HeroFixture()};
    f.placedBlocks = {DefFixture{}};
    f.layers = {};
    return f;
}

struct StageLoadingDir : StageLoading {
    TempDir dir;
    void Write(const char* name, const ByteBuilder& b) { dir.WriteHostFile(name, b.Str()); }
};

using StageLoadingFiles = StageLoadingDir;

TEST_F(StageLoadingFiles, NumberedNameTakesTheNewestFile) {
    Write("stg/a.stg4_003", StageFileBytes(kDataVersion, PlayableStage("three")));
    Write("stg/a.stg4_010", StageFileBytes(kDataVersion, PlayableStage("ten")));
    ASSERT_EQ(LoadStageThreaded("stg\\a.anything", 1, &PlayStage, &HeroDef), 1);
    EXPECT_EQ(LoadedStage.m_strPath, "stg\\a.stg4_010");
    EXPECT_EQ(LoadedStage.m_strTitle, "ten");
    EXPECT_EQ(LoadedStage.m_bNumbered, 1);
    EXPECT_EQ(LoadedStage.m_bLoaded, 1);
    // The settings go to the play stage without any definitions.
    EXPECT_EQ(PlayStage.m_strTitle, "ten");
    EXPECT_EQ(PlayStage.m_nScrollSpeedX, 7);
    EXPECT_TRUE(PlayStage.m_vPlacedCharas.empty());
    EXPECT_TRUE(PlayStage.m_vPaletteBlocks.empty());
    EXPECT_EQ(PlayStage.m_vLayers.Count(), 0);
    EXPECT_EQ(HeroDef.m_strName, "hero");
    EXPECT_EQ(HeroDef.m_nMaxHp, 12);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(StageLoadingFiles, NoNumberedFileFailsSilently) {
    LoadedStage.m_strTitle = "before";
    EXPECT_EQ(LoadStageThreaded("stg\\none.stg4", 1, &PlayStage, &HeroDef), 0);
    EXPECT_EQ(LoadedStage.m_strTitle, "before");
    EXPECT_EQ(LoadedStage.m_bNumbered, 1);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST_F(StageLoadingFiles, EndCodeIsCheckedFromVersion174) {
    StageFixture f = PlayableStage("x");
    f.endValue = 5;
    Write("old.stg4", StageFileBytes(173, f));
    EXPECT_EQ(LoadStageThreaded("old.stg4", 0, &PlayStage, &HeroDef), 1);
    EXPECT_EQ(AbortFlag.load(), 0);

    Write("bad.stg4", StageFileBytes(174, f));
    EXPECT_EQ(LoadStageThreaded("bad.stg4", 0, &PlayStage, &HeroDef), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"ステージファイル bad.stg4 が破損しています！"});
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_TRUE(CloseWasPosted());
}

TEST_F(StageLoadingFiles, FileDialogRefusalsKeepTheGameAndItsStage) {
    Write("good.stg4", StageFileBytes(kDataVersion, PlayableStage("good")));
    ASSERT_EQ(LoadStageThreaded("good.stg4", 0, &PlayStage, &HeroDef), 1);
    StageFixture broken = PlayableStage("broken");
    broken.endValue = 0;
    Write("broken.stg4", StageFileBytes(kDataVersion, broken));
    StageFixture heroless = PlayableStage("heroless");
    heroless.placedCharas.pop_back();
    Write("heroless.stg4", StageFileBytes(kDataVersion, heroless));
    struct Case {
        const char* file;
        const char* text;
    };
    for (auto c : {Case{"broken.stg4", "ステージファイル broken.stg4 が破損しています！"},
                   Case{"heroless.stg4", "主人公が配置されていないのでプレイできません！"}}) {
        platform::ClearMessageBoxes();
        EXPECT_EQ(LoadStageThreaded(c.file, 0, &PlayStage, &HeroDef, StageLoadOrigin::FileDialog), 0);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{c.text});
        EXPECT_EQ(AbortFlag.load(), 0) << c.file;
        EXPECT_FALSE(CloseWasPosted()) << c.file;
        EXPECT_EQ(LoadedStage.m_strTitle, "good") << c.file;
        EXPECT_EQ(LoadedStage.m_strPath, "good.stg4") << c.file;
        EXPECT_EQ(LoadedStage.FindHero(), 1) << c.file;
        EXPECT_EQ(PlayStage.m_strTitle, "good") << c.file;
    }
}

TEST_F(StageLoadingFiles, StageWithoutHeroClosesTheGame) {
    StageFixture f = PlayableStage("x");
    f.placedCharas = {f.placedCharas[0]};
    // A player character without a picture is no hero either.
    DefFixture blind = HeroFixture();
    blind.fields["m_sCell"] = 0;
    f.placedCharas.push_back(blind);
    Write("nohero.stg4", StageFileBytes(kDataVersion, f));
    EXPECT_EQ(LoadStageThreaded("nohero.stg4", 0, &PlayStage, &HeroDef), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"主人公が配置されていないのでプレイできません！"});
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_TRUE(CloseWasPosted());
    EXPECT_EQ(PlayStage.m_strTitle, "");
}

TEST_F(StageLoadingFiles, UnreadableFilesAreReportedAndTheGameGoesOn) {
    ByteBuilder newer = StageFileBytes(921, PlayableStage("new"));
    Write("newer.stg4", newer);
    ByteBuilder good = StageFileBytes(kDataVersion, PlayableStage("t"));
    Write("short.stg4", ByteBuilder().Bytes(good.Truncated(good.Size() / 2)).I32(kStageEndCode));
    for (const char* name : {"missing.stg4", "newer.stg4", "short.stg4"}) {
        platform::ClearMessageBoxes();
        EXPECT_EQ(LoadStageThreaded(name, 0, &PlayStage, &HeroDef), 0) << name;
        EXPECT_EQ(BoxTexts(),
                  std::vector<std::string>{"ステージファイル " + std::string(name) + " の読み込みに失敗しました！"});
        EXPECT_EQ(AbortFlag.load(), 0) << name;
        EXPECT_EQ(LoadedStage.m_bLoaded, 0) << name;
    }
}

TEST_F(StageLoadingFiles, NullTargetsChangeOnlyTheLoadedStage) {
    Write("s.stg4", StageFileBytes(kDataVersion, PlayableStage("s")));
    PlayStage.m_strTitle = "play";
    HeroDef.m_strName = "old hero";
    ASSERT_EQ(LoadStageThreaded("s.stg4", 0, nullptr, nullptr), 1);
    EXPECT_EQ(LoadedStage.m_strTitle, "s");
    EXPECT_EQ(PlayStage.m_strTitle, "play");
    EXPECT_EQ(HeroDef.m_strName, "old hero");
}

}  // namespace

namespace {

TEST_F(StageLoadingFiles, QuitDuringTheLoadEndsCleanly) {
    BuildLargeStage(LoadedStage, 150, 150, 300);
    ASSERT_EQ(LoadedStage.SaveFile("big.stg4"), 1);
    LoadedStage = cStageData();
    PlayStage.m_strTitle = "play";
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
    PostQuitMessage(3);

    EXPECT_EQ(LoadStageThreaded("big.stg4", 0, &PlayStage, &HeroDef), 0);
    EXPECT_FALSE(thLoader.Running());
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(AbortFlag.load(), 0);
    EXPECT_EQ(PlayStage.m_strTitle, "play");
    EXPECT_EQ(LoadedStage.m_bLoaded, 0);
    // The quit goes on to the caller's own loop.
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(m.wParam, 3u);

    // Nothing of the stopped load is left behind: the next load runs.
    EXPECT_EQ(LoadStageThreaded("big.stg4", 0, &PlayStage, &HeroDef), 1);
    EXPECT_EQ(LoadedStage.m_vPlacedBlocks.Count(), 150 * 150);
    EXPECT_EQ(PlayStage.m_nWidth, 150);
}

}  // namespace
