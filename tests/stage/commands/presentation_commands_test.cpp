#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {"..........", ".H..a.....", "##########"};

cFlowCmd CommandWith(int kind, std::vector<int> params) {
    cFlowCmd cmd = CommandOfKind(kind);
    for (std::size_t i = 0; i < params.size() && static_cast<int>(i) < cmd.m_vParam.Count(); ++i) {
        cmd.m_vParam[static_cast<int>(i)] = params[i];
    }
    return cmd;
}

// A command run for `steps` sub-steps of one start.
void RunSteps(int (*exec)(cChara&, cCmdInst&), cChara& c, cFlowCmd& cmd, int steps) {
    cCmdInst inst = InstanceOf(cmd);
    for (int i = 0; i < steps; ++i) exec(c, inst);
}

TEST(SoundCommands, AskOnceWhenTheCommandStartsAndRespectTheView) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    a.m_bOnScreen = 1;
    cFlowCmd sound = CommandWith(FlowKind::PlaySound, {3});
    RunSteps(CmdPlaySound, a, sound, 12);
    RunSteps(CmdPlaySound, a, sound, 1);
    a.m_bOnScreen = 0;
    RunSteps(CmdPlaySound, a, sound, 1);
    sound.m_bSoundInView = 0;
    RunSteps(CmdPlaySound, a, sound, 1);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{19, 19, 19})) << "one per start; none out of view when asked";

    cFlowCmd music = CommandWith(FlowKind::PlayBgm, {5, 1});
    RunSteps(CmdPlayBgm, a, music, 6);
    EXPECT_EQ(stage.Music(), (std::vector<StageHarness::MusicRequest>{{4, 5}}));
}

TEST(BackgroundCommand, ShowsHidesAndTogglesExistingLayersOnly) {
    StageHarness stage(kField);
    LoadedStage.m_vLayers.resize(2);
    LoadedStage.m_vLayers[1].m_bShow = 1;
    auto run = [&](int layer, int action) {
        cFlowCmd cmd = CommandWith(FlowKind::ChangeBackground, {layer, action});
        RunSteps(CmdChangeBackground, stage.Hero(), cmd, 1);
        return LoadedStage.m_vLayers[1].m_bShow;
    };
    EXPECT_EQ(run(2, 1), 0);
    EXPECT_EQ(run(2, 0), 1);
    EXPECT_EQ(run(2, 2), 0);
    EXPECT_EQ(run(2, 2), 1) << "toggled twice is as before";
    EXPECT_EQ(run(2, 7), 1);
    EXPECT_EQ(run(3, 1), 1) << "no third layer";
    EXPECT_EQ(run(0, 1), 1);
    LoadedStage.m_vLayers.clear();
}

TEST(EffectCommand, SizePositionAndRemovalOfEffects) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    a.UpdateScreenRect();
    cEffect entry;
    entry.m_nCellWidth = 33;
    entry.m_nCellHeight = 20;
    entry.m_vFrames.resize(2);
    Database.Effect = {cEffect(), entry};
    std::vector<int> waits;
    SetNestedWaitLoop([&](cStageState& s) { waits.assign(s.m_Wait.begin(), s.m_Wait.end()); });

    cFlowCmd half = CommandWith(FlowKind::RunEffect, {1, 0, 0, 0, 0, 0, 50, 1, 0});
    RunSteps(CmdRunEffect, a, half, 1);
    ASSERT_EQ(stage.State().m_lstEffect.size(), 1u);
    const cEffectInst& shown = stage.State().m_lstEffect.back();
    EXPECT_EQ(shown.m_nWidth, 17);
    EXPECT_EQ(shown.m_nHeight, 10);
    const double sx = stage.State().m_ScrollX.m_dPos, sy = stage.State().m_ScrollY.m_dPos;
    EXPECT_DOUBLE_EQ(shown.m_dX, sx + 320 - 8);
    EXPECT_DOUBLE_EQ(shown.m_dY, sy + 240 - 5);
    EXPECT_EQ(waits, (std::vector<int>{2, 0, 0, 12, 0})) << "held for its frames' time";
    SetNestedWaitLoop(nullptr);

    cFlowCmd none = CommandWith(FlowKind::RunEffect, {0});
    RunSteps(CmdRunEffect, a, none, 1);
    EXPECT_TRUE(stage.State().m_lstEffect.empty());
    Database.Effect.clear();
}

TEST(EffectCommand, PositionsByKindAndUnitWithTheCharacterAsFallback) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    a.UpdateScreenRect();
    const cStageState& s = stage.State();
    const double sx = s.m_ScrollX.m_dPos, sy = s.m_ScrollY.m_dPos;
    const double bx = s.m_ScrollX.m_nBlockOffset * 32.0, by = s.m_ScrollY.m_nBlockOffset * 32.0;
    const double cx = a.m_rcScreen.left + 16 + sx, cy = a.m_rcScreen.top + 16 + sy;
    struct Case {
        int kind, unit;
        double x, y;
    };
    // Half size (4, 2), x 3, y 1, offset (1, 2).
    const std::vector<Case> cases = {
        {1, 0, cx + 1 - 4, cy + 2 - 2}, {3, 0, sx + 96 + 1, sy + 32 + 2},
        {3, 1, sx + 3 + 1, sy + 1 + 2}, {4, 0, sx + 96 + 16 - 4 + 1, sy + 32 + 16 - 2 + 2},
        {5, 1, bx + 3 + 1, by + 1 + 2}, {6, 0, bx + 96 + 1 - 4 + 16, by + 32 + 2 - 2 + 16},
        {9, 0, cx + 1 - 4, cy + 2 - 2}, {5, 7, cx + 1 - 4, cy + 2 - 2},
    };
    for (const Case& c : cases) {
        const EffectPoint p = EffectPos(4, 2, a, c.kind, c.unit, 3, 1, 1, 2);
        EXPECT_DOUBLE_EQ(p.x, c.x) << c.kind << "/" << c.unit;
        EXPECT_DOUBLE_EQ(p.y, c.y) << c.kind << "/" << c.unit;
    }
}

TEST(LookCommands, GraphicAnimationAndEffectsOfTheCharacter) {
    StageHarness stage(kField);
    cStageChara& a = stage.Chara('a');
    cFlowCmd graphic = CommandWith(FlowKind::ChangeGraphic, {4, 12, 3});
    RunSteps(CmdChangeGraphic, a, graphic, 1);
    EXPECT_EQ((std::vector<int>{a.m_Def.m_cSheet, a.m_nGraphicKind, a.m_nGraphic, a.m_Def.m_sSheetSub}),
              (std::vector<int>{4, 4, 12, 3}));
    // The kind is a byte, for the object as for its definition copy.
    cFlowCmd wide = CommandWith(FlowKind::ChangeGraphic, {260, 12, 3});
    RunSteps(CmdChangeGraphic, a, wide, 1);
    EXPECT_EQ(a.m_nGraphicKind, 4);
    EXPECT_EQ(a.m_Def.m_sCell, 12) << "the definition copy keeps the new cell";

    Database.Anime.resize(3);
    cFlowInst flow;
    flow.m_nSerial = 9;
    stage.State().m_lpCurFlow = &flow;
    cFlowCmd anim = CommandWith(FlowKind::RunAnime, {2, 0});
    RunSteps(CmdRunAnime, a, anim, 1);
    stage.State().m_lpCurFlow = nullptr;
    RunSteps(CmdRunAnime, a, anim, 1);
    ASSERT_EQ(a.m_listAnimLayer.size(), 2u);
    EXPECT_EQ(a.m_listAnimLayer.front().m_nSerial, kNoFlowSerial) << "newest first";
    EXPECT_EQ(a.m_listAnimLayer.back().m_nSerial, 9);
    cFlowCmd stop = CommandWith(FlowKind::RunAnime, {2, 1});
    RunSteps(CmdRunAnime, a, stop, 1);
    EXPECT_TRUE(a.m_listAnimLayer.empty());
    Database.Anime.clear();

    std::vector<std::vector<int>> screen;
    ScenePresentation().runScreenEffect = [&](int n, int mode, int loop) { screen.push_back({n, mode, loop}); };
    cFlowCmd effect = CommandWith(FlowKind::RunScreenEffect, {65536 + 3, 2, 1});
    RunSteps(CmdRunScreenEffect, a, effect, 1);
    ScenePresentation().runScreenEffect = nullptr;
    EXPECT_EQ(screen, (std::vector<std::vector<int>>{{3, 2, 1}})) << "the number as 16 bits";
}

TEST(ArrangeCommand, CollectsForTheFlowOrForTheHerosItemCommands) {
    StageHarness stage(kField);
    cFlowCmd arrange = CommandWith(FlowKind::Arrange, {1, 2, 3, 4, 5});
    RunSteps(CmdArrange, stage.Hero(), arrange, 1);  // no flow: nothing
    cFlowInst flow;
    stage.State().m_lpCurFlow = &flow;
    RunSteps(CmdArrange, stage.Hero(), arrange, 1);
    stage.State().m_lpCurFlow = nullptr;
    ASSERT_EQ(flow.m_listArrange.size(), 1u);
    EXPECT_EQ(flow.m_listArrange.front(), (cVector<int>{1, 2, 3, 4, 5}));

    cFlowCmd item = ItemCommandOf(FlowKind::Arrange - kItemToFlowKind, {6, 7, 8, 9, 10});
    RunSteps(CmdArrange, stage.Hero(), item, 1);
    ASSERT_EQ(stage.Hero().m_listItemArrange.size(), 1u);
    EXPECT_EQ(stage.Hero().m_listItemArrange.front(), (cVector<int>{6, 7, 8, 9, 10}));
}

}  // namespace
