// What the stage-play scene's draw shows: the objects in the order of their
// drawing layers, an invincible character pulsing in its flash colour from
// one play frame to the next, and the frozen stage under the ranking table
// after a result.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../menu/scene_fixture.h"
#include "draw/palette.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/clock.h"
#include "scenes/rankings/ranking_registration.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "stage/drawing/chara_graphic.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

class StagePlayDrawing : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Game.PlayType = 3;
        Game.GameKind = 2;
        Game.FrameRate = 0;
        Game.FlashState = FlashColourState();
        SystemData.m_bFlashColours = 1;
        SetStageFilePlayer([](const std::string&, int) { return 1; });
        AppActive.store(1);
    }
    void TearDown() override {
        m_stage.reset();
        m_scene.reset();
        SetStageFilePlayer(nullptr);
        Game.PlayType = Game.GameKind = 0;
        Game.FlashState = FlashColourState();
        StoryData = cStorySave();
        SceneTest::TearDown();
    }
    int Direct3D() const override { return 1; }

    // The hero at column 2 and one character 'a' at column 6 that is
    // invincible in flash colour 3, unless the options say otherwise.
    void Build(std::vector<std::string> picture = {"..........", "..H...a...", "##########"},
               StageOptions options = FlashingOptions()) {
        m_scene = std::make_unique<cSceneStage>();
        options.hero.m_sCell = 1;
        m_stage = std::make_unique<StageHarness>(*m_scene, picture, options);
        LoadedStage.m_bStartBanner1 = LoadedStage.m_bStartBanner2 = 0;
        PlayStage.CopySettingsFrom(LoadedStage);
        HeroDef = LoadedStage.m_vPlacedCharas[LoadedStage.FindHero()];
        Game.CurrentScene = Game.RequestedScene = kSceneStage;
        Game.PreviousScene = kSceneTitle;
    }
    static StageOptions FlashingOptions() {
        StageOptions options;
        cCharaDef flashing;
        flashing.m_cInvincible = 1;
        flashing.m_cFlashColour = 3;
        options.charas['a'] = flashing;
        return options;
    }
    // Runs frames until the play state, then one more frame.
    void RunToPlay() {
        for (int i = 0; i < 20 && m_scene->State() != cSceneStage::kStatePlay; ++i) Frame(*m_scene);
        ASSERT_EQ(m_scene->State(), cSceneStage::kStatePlay);
    }
    // The x of every character picture drawn since the last call, in order.
    std::vector<int> TakeDrawnX() {
        std::vector<int> xs;
        for (const DrawCall& call : m_stage->Drawing().Calls()) {
            if (call.op == DrawOp::Blt && call.src != &SurfaceArray[Picture::Mark]) xs.push_back(call.x);
        }
        m_stage->Drawing().Clear();
        return xs;
    }
    // The tints of the character 'a''s own picture (not its marks) at
    // column 6 since the last call.
    std::vector<std::optional<DDBLTCOLOR>> TakeCharaTints() {
        std::vector<std::optional<DDBLTCOLOR>> tints;
        for (const DrawCall& call : m_stage->Drawing().Calls()) {
            if (call.op == DrawOp::Blt && call.src != &SurfaceArray[Picture::Mark] && call.x == 192) {
                tints.push_back(call.tint);
            }
        }
        m_stage->Drawing().Clear();
        return tints;
    }

    ExecutorSwap m_steps;
    FlowEngineScope m_engine;
    platform::TestClock m_clock{123456};
    std::unique_ptr<cSceneStage> m_scene;
    std::unique_ptr<StageHarness> m_stage;
};

TEST_F(StagePlayDrawing, LayeredDrawingDrawsLayerByLayerAndSkipsLayersPastTheLast) {
    StageOptions options;
    options.hero.m_cZ = 3;
    const int layers[] = {5, 1, 9};  // 'a', 'b' and 'c'; 9 is no layer
    for (int i = 0; i < 3; ++i) options.charas[static_cast<char>('a' + i)].m_cZ = static_cast<std::int8_t>(layers[i]);
    Build({"..........", "..H.a.b.c.", "##########"}, options);
    ASSERT_NO_FATAL_FAILURE(RunToPlay());

    // A stage draws by layers unless it says otherwise.
    m_stage->Drawing().Clear();
    Frame(*m_scene);
    EXPECT_EQ(TakeDrawnX(), (std::vector<int>{192, 64, 128})) << "b on layer 1, the hero on 3, a on 5";

    for (cStageChara& c : CharaList) {
        if (c.m_Def.m_cZ == 1) c.m_Def.m_cZ = 7;  // b moves to a layer that held nothing
    }
    Frame(*m_scene);
    EXPECT_EQ(TakeDrawnX(), (std::vector<int>{64, 128, 192}));

    // Without layers: the hero, then the characters in list order.
    LoadedStage.m_bLayeredDraw = 0;
    Frame(*m_scene);
    EXPECT_EQ(TakeDrawnX(), (std::vector<int>{64, 128, 192, 256}));
}

TEST_F(StagePlayDrawing, AnInvincibleCharacterPulsesInItsFlashColourFrameByFrame) {
    Build();
    ASSERT_NO_FATAL_FAILURE(RunToPlay());
    m_stage->Drawing().Clear();
    std::vector<int> reds;
    for (int frame = 0; frame < 20; ++frame) {
        Frame(*m_scene);
        const auto tints = TakeCharaTints();
        ASSERT_EQ(tints.size(), 1u) << "play frame " << frame << ": the character is drawn once";
        ASSERT_TRUE(tints[0].has_value()) << "play frame " << frame << ": drawn in its flash colour";
        EXPECT_EQ(tints[0]->dwColorOp, 7u);
        EXPECT_EQ(tints[0]->dwColor & 0xFF00FFFFu, 0xFF000000u) << "flash colour 3 is red alone";
        reds.push_back(static_cast<int>(tints[0]->dwColor >> 16 & 0xFF));
    }
    // Each drawn frame steps the pulse by the system data's 16 up to 240,
    // which it shows twice before it turns down.
    for (std::size_t i = 1; i < reds.size(); ++i) {
        const int change = reds[i] - reds[i - 1];
        EXPECT_TRUE(change == 16 || change == -16 || (change == 0 && reds[i] == 240))
            << "from " << reds[i - 1] << " to " << reds[i];
    }
    EXPECT_NE(reds.front(), reds.back());
}

TEST_F(StagePlayDrawing, WithoutTheSystemSwitchTheCharacterIsDrawnPlain) {
    SystemData.m_bFlashColours = 0;
    Build();
    ASSERT_NO_FATAL_FAILURE(RunToPlay());
    m_stage->Drawing().Clear();
    Frame(*m_scene);
    const auto tints = TakeCharaTints();
    ASSERT_EQ(tints.size(), 1u);
    EXPECT_FALSE(tints[0].has_value());
}

TEST_F(StagePlayDrawing, TheRankingTableShowsOverTheFrozenStage) {
    Build();
    ASSERT_NO_FATAL_FAILURE(RunToPlay());
    m_scene->m_bShowStatus = 1;
    ResetRankingSet();
    StoryData.m_nRankingGenre = 0;
    cRankResult& result = *m_scene;
    result.m_vecRankSlot = cVector<int>{0, -1, -1, -1, -1};
    const DWORD marker = 0xFF123456u;
    const auto pixel = [](int x, int y) { return BackBuffer.Pixels()->Get(x, y) & 0xFFFFFFu; };

    // The table alone, as the display used to draw it: the rest of the
    // screen keeps whatever was there.
    DDFillSurfaceColor(&BackBuffer, marker);
    m_stage->Drawing().Clear();
    EXPECT_FALSE(RankingDisplayFrame(result, false, false));
    const std::uint32_t tableCorner = pixel(190, 70);
    EXPECT_EQ(pixel(4, 4), marker & 0xFFFFFFu);
    EXPECT_TRUE(m_stage->Drawing().Calls().empty());

    DDFillSurfaceColor(&BackBuffer, marker);
    const int playFrame = m_scene->m_nPlayFrame;
    EXPECT_FALSE(RankingDisplayFrame(result, false, false, m_scene->RankingBackdrop()));
    EXPECT_NE(pixel(4, 4), marker & 0xFFFFFFu) << "the status panel of the stage";
    EXPECT_EQ(TakeCharaTints().size(), 1u) << "the character is drawn behind the table";
    EXPECT_EQ(pixel(190, 70), tableCorner) << "the table over the stage";
    EXPECT_EQ(m_scene->m_nPlayFrame, playFrame) << "the stage is drawn frozen, not played";

    // The frame that confirms the table draws nothing.
    DDFillSurfaceColor(&BackBuffer, marker);
    EXPECT_TRUE(RankingDisplayFrame(result, true, false, m_scene->RankingBackdrop()));
    EXPECT_EQ(pixel(4, 4), marker & 0xFFFFFFu);
    EXPECT_TRUE(m_stage->Drawing().Calls().empty());
}

}  // namespace
