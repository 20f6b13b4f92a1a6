#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/definitions/common_palette.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "shell/loop/game.h"
#include "stage/commands/stage_commands.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {"..........", ".H....a...", "##########"};

cFlowCmd StageClear(std::vector<int> params, std::string text = {}) {
    cFlowCmd cmd = CommandOfKind(FlowKind::StageClear);
    for (std::size_t i = 0; i < params.size(); ++i) cmd.m_vParam[static_cast<int>(i)] = params[i];
    cmd.m_strText = std::move(text);
    return cmd;
}

TEST(StageClearCommand, NextStageByEachChoice) {
    StageHarness stage(kField);
    struct Case {
        std::vector<int> params;
        std::string text;
        int stageNo;
        std::string path;
    };
    const std::vector<Case> cases = {
        {{0}, "", 5, ""},
        {{1, 9}, "", 9, ""},
        {{2}, "stage3.stg4", 4, "stage3."},
        {{2}, "dir.v2\\last", 4, "dir.v2\\last."},
        {{2}, "", 4, ""},
        {{3}, "", 0, ""},
    };
    for (const Case& c : cases) {
        StoryData.m_nPart = 4;
        StoryData.m_nStageNo = 7;
        StoryData.m_strNextStage = "old.";
        stage.State().m_nEndRequest = 0;
        cFlowCmd cmd = StageClear(c.params, c.text);
        cCmdInst inst = InstanceOf(cmd);
        EXPECT_EQ(CmdStageClear(stage.Hero(), inst), EndRequest::StageClear);
        EXPECT_EQ(stage.State().m_nEndRequest, EndRequest::StageClear);
        EXPECT_EQ(StoryData.m_nNextPart, c.stageNo) << c.text << ": numbers count the series' files";
        EXPECT_EQ(StoryData.m_strNextStage, c.path) << c.text;
    }
}

TEST(StageClearCommand, StoryPlayRecordsTheMapPositionWithinTheMapAndTheNextStart) {
    StageHarness stage(kField);
    WorldMap.m_nWidth = 40;
    WorldMap.m_nHeight = 15;
    Game.PlayType = 1;
    SystemData.m_bClearCmdSwitch = 0;
    stage.Hero().m_nDirection = 1;
    StoryData.m_NextStage.bWorldMap = 1;
    cFlowCmd cmd = StageClear({0, 0, 1, 500, 3, 1, 7, 8, 2, 1});
    cCmdInst inst = InstanceOf(cmd);
    CmdStageClear(stage.Hero(), inst);
    EXPECT_EQ(StoryData.m_nMapX, 39);
    EXPECT_EQ(StoryData.m_nMapY, 3);
    EXPECT_EQ(StoryData.m_NextStage.bWorldMap, 0);
    EXPECT_EQ(stage.State().m_bAutoSaveOnClear, 1);
    const cStorySave& next = StoryData;
    EXPECT_EQ((std::vector<int>{next.m_nStageValue1, next.m_nStageValue2, next.m_nStageValue3, next.m_nStageValue4}),
              (std::vector<int>{1, 7, 8, 1}))
        << "facing 2 takes the hero's";

    // Outside story play the map stays; without p[5] the start is invalid.
    Game.PlayType = 3;
    StoryData.m_nMapX = 2;
    cmd.m_vParam[5] = 0;
    CmdStageClear(stage.Hero(), inst);
    EXPECT_EQ(StoryData.m_nMapX, 2);
    EXPECT_EQ(StoryData.m_nStageValue1, 0);
    Game.PlayType = 0;
}

TEST(GameWaitCommand, HoldsTheGameThroughTheSceneLoopWithAHiddenTimer) {
    StageHarness stage(kField);
    std::vector<int> seen;
    std::size_t heldDuring = 0;
    SetNestedWaitLoop([&](cStageState& s) {
        seen.assign(s.m_Wait.begin(), s.m_Wait.end());
        heldDuring = stage.HeldMessages().size();
    });
    cFlowCmd cmd = CommandOfKind(FlowKind::GameWait);
    cmd.m_vParam[0] = 15;
    cCmdInst inst = InstanceOf(cmd);
    CmdGameWait(stage.Hero(), inst);
    SetNestedWaitLoop(nullptr);
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 90, 0}));
    EXPECT_EQ(heldDuring, 1u);
    EXPECT_TRUE(stage.HeldMessages().empty()) << "its own timer is taken back";
    ASSERT_EQ(stage.Messages().size(), 1u);
    EXPECT_EQ(stage.Messages()[0].nKind, MessageKind::Timer);
    EXPECT_EQ(stage.Messages()[0].nTimeKind, MessageTime::Frames);
    EXPECT_EQ(stage.Messages()[0].nRemain, 90);
}

class GetItemCommand : public ::testing::Test {
protected:
    GetItemCommand() : stage(kField) {
        cItemDef sounds;
        cFlowCmd sound = ItemCommandOf(FlowKind::PlaySound - kItemToFlowKind, {4});
        sound.m_bSoundInView = 0;
        sounds.m_vCmd = {ItemCommandOf(kItemCommandKindCount - 1, {3, 1}), sound};
        cItemDef clear;
        clear.m_vCmd = {ItemCommandOf(FlowKind::StageClear - kItemToFlowKind)};
        LoadedStage.m_vPaletteItems = {sounds, clear};
        CommonPalette.m_vPaletteItems = {clear};
    }
    ~GetItemCommand() override {
        LoadedStage.m_vPaletteItems.clear();
        CommonPalette.m_vPaletteItems.clear();
    }
    int Pick(int palette, int index) {
        cFlowCmd cmd = CommandOfKind(FlowKind::GetItem);
        cmd.m_vParam = {palette, index};
        cCmdInst inst = InstanceOf(cmd);
        CmdGetItem(stage.Chara('a'), inst);
        return stage.State().m_nEndRequest;
    }
    StageHarness stage;
};

TEST_F(GetItemCommand, RunsAPreparedCopyAndNeverTakesBackAnEndRequest) {
    EXPECT_EQ(Pick(1, 0), EndRequest::None);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{20, 20, 20}));
    const cVector<cFlowCmd>& kept = LoadedStage.m_vPaletteItems[0].m_vCmd;
    ASSERT_EQ(kept.Count(), 2) << "the palette's own list still has its loop";
    EXPECT_EQ(kept[0].m_cKind, kItemCommandKindCount - 1);

    EXPECT_EQ(Pick(0, 0), EndRequest::StageClear);
    EXPECT_EQ(Pick(1, 0), EndRequest::StageClear) << "a later pick-up with no result keeps the clear";
    stage.State().m_nEndRequest = EndRequest::Miss;
    EXPECT_EQ(Pick(7, 0), EndRequest::Miss) << "no such palette";
}

}  // namespace
