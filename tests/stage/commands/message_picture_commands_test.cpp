#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "draw/draw_fixture.h"
#include "gamedata/database/database.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "stage/core/flow_cmd_dispatch.h"
#include "stage/core/flow_inst.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kField = {"..........", ".H..a.....", "##########"};

// The parameters a command lists, by position; the rest stay 0.
cFlowCmd CommandWith(int kind, const std::vector<std::pair<int, int>>& params) {
    cFlowCmd cmd = CommandOfKind(kind);
    for (const auto& [n, value] : params) cmd.m_vParam[n] = value;
    return cmd;
}

int RunOnce(int (*exec)(cChara&, cCmdInst&), cChara& c, cFlowCmd& cmd) {
    cCmdInst inst = InstanceOf(cmd);
    return exec(c, inst);
}

using Request = std::vector<int>;

// The message parameters by name, for readable tables.
enum MessageParam {
    Place = 0,
    X = 1,
    Y = 2,
    OffsetX = 3,
    OffsetY = 4,
    Clamp = 5,
    TimeKind = 6,
    Time = 7,
    Holds = 8,
    Escapes = 9,
    Anchored = 10,
    Refresh = 11,
    IdMode = 12,
    Id = 13,
    Window = 14,
    Delete = 15,
    Interval = 16,
    OneFrame = 17,
    Unit = 18
};

class MessageCommand : public ::testing::Test {
protected:
    void SetUp() override {
        stage.Hero().m_nId = 40;
        stage.Chara('a').m_nId = 41;
        SetNestedWaitLoop([this](cStageState& s) {
            waits.emplace_back(s.m_Wait.begin(), s.m_Wait.end());
            heldDuringWait = static_cast<int>(stage.HeldMessages().size());
        });
    }
    void TearDown() override { SetNestedWaitLoop(nullptr); }

    StageHarness stage{kField};
    std::vector<Request> waits;
    int heldDuringWait = -1;
};

}  // namespace

TEST_F(MessageCommand, TheMessageTakesTheCommandsValuesInOrder) {
    cFlowCmd cmd = CommandWith(FlowKind::Message, {{Place, 9},
                                                   {X, 3},
                                                   {Y, 4},
                                                   {OffsetX, -5},
                                                   {OffsetY, 6},
                                                   {Clamp, 1},
                                                   {TimeKind, 2},
                                                   {Time, 7},
                                                   {Escapes, 1},
                                                   {Anchored, 1},
                                                   {Refresh, 1},
                                                   {IdMode, 1},
                                                   {Id, 12},
                                                   {Window, 1},
                                                   {Interval, 30},
                                                   {Unit, 1}});
    cmd.m_strText = "#S1.";
    RunOnce(CmdMessage, stage.Chara('a'), cmd);
    ASSERT_EQ(stage.Messages().size(), 1u);
    const MessageRequest expected{.nKind = MessageKind::Text,
                                  .strText = "#S1.",
                                  .nPlace = 9,
                                  .nUnit = 1,
                                  .nX = 3,
                                  .nY = 4,
                                  .nOffsetX = -5,
                                  .nOffsetY = 6,
                                  .bClamp = 1,
                                  .bAnchored = 1,
                                  .nTimeKind = MessageTime::Frames,
                                  .nRemain = 42,
                                  .bEscapes = 1,
                                  .bRefresh = 1,
                                  .nRefreshInterval = 30,
                                  .bWindow = 1,
                                  .bIdFlag = 1,
                                  .nId = 12};
    EXPECT_EQ(stage.Messages()[0], expected);
    EXPECT_TRUE(waits.empty()) << "a message that does not hold the game starts no wait";
    EXPECT_TRUE(stage.Sounds().empty());
}

TEST_F(MessageCommand, OwnerAndFramesByPlaceAndOneFrameFlag) {
    struct Case {
        int place, oneFrame, time, owner, frames;
    };
    const Case cases[] = {
        {0, 0, 5, 0, 30}, {1, 0, 5, 41, 30}, {3, 1, 5, 41, 1}, {4, 0, 0, 40, 0}, {6, 1, 0, 40, 1}, {7, 0, 1, 0, 6},
    };
    for (const Case& c : cases) {
        cFlowCmd cmd = CommandWith(FlowKind::Message, {{Place, c.place}, {OneFrame, c.oneFrame}, {Time, c.time}});
        RunOnce(CmdMessage, stage.Chara('a'), cmd);
        const MessageRequest& m = stage.Messages().back();
        EXPECT_EQ(m.nOwnerId, c.owner) << "place " << c.place;
        EXPECT_EQ(m.nRemain, c.frames) << "place " << c.place;
    }
}

TEST_F(MessageCommand, HoldingTheGameByDisplayTimeAndChain) {
    struct Case {
        int timeKind, chained;
        Request wait;
        std::vector<int> sounds;
    };
    // Kind, confirmation delay, value, frames, spare; sound 11 asks for
    // the advance key unless the message goes on from the previous one.
    const Case cases[] = {
        {MessageTime::UntilKey, 0, {1, 10, 1, 0, 0}, {11}},
        {MessageTime::UntilKey, 1, {1, 0, 1, 0, 0}, {}},
        {MessageTime::Frames, 0, {1, 0, 0, 18, 0}, {}},
        {MessageTime::UntilStageEnd, 0, {1, 10, 1, 0, 0}, {11}},
    };
    cFlowInst flow;
    stage.State().m_lpCurFlow = &flow;
    for (const Case& c : cases) {
        waits.clear();
        const std::size_t before = stage.Sounds().size();
        flow.m_bMsgChain = c.chained;
        cFlowCmd cmd = CommandWith(FlowKind::Message, {{TimeKind, c.timeKind}, {Time, 3}, {Holds, 1}});
        RunOnce(CmdMessage, stage.Chara('a'), cmd);
        ASSERT_EQ(waits.size(), 1u) << "time kind " << c.timeKind;
        EXPECT_EQ(waits[0], c.wait) << "time kind " << c.timeKind << " chained " << c.chained;
        EXPECT_EQ(std::vector<int>(stage.Sounds().begin() + static_cast<long>(before), stage.Sounds().end()), c.sounds);
        EXPECT_EQ(heldDuringWait, 1) << "shown while the game is held";
        EXPECT_TRUE(stage.HeldMessages().empty()) << "taken back when the wait ends";
        EXPECT_EQ(stage.Messages().back().bNoOpening, c.chained);
        EXPECT_EQ(stage.Messages().back().bCountFrozen, 1);
    }
    stage.State().m_lpCurFlow = nullptr;
}

TEST_F(MessageCommand, AnItemsMessageChainsByTheScenesItemFlag) {
    cFlowCmd cmd = ItemCommandOf(FlowKind::Message - kItemToFlowKind);
    cmd.m_vParam[Holds] = 1;
    stage.State().m_bItemMessage = 1;
    RunOnce(CmdMessage, stage.Hero(), cmd);
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0], (Request{1, 0, 1, 0, 0}));
    EXPECT_EQ(stage.Messages().back().bNoOpening, 1);
    EXPECT_TRUE(stage.Sounds().empty());
}

TEST_F(MessageCommand, DeletingAndQuittingShowNothing) {
    cFlowCmd remove = CommandWith(FlowKind::Message, {{Delete, 1}, {IdMode, 1}, {Id, 3}, {Holds, 1}});
    RunOnce(CmdMessage, stage.Hero(), remove);
    cFlowCmd noId = CommandWith(FlowKind::Message, {{Delete, 1}, {Holds, 1}});
    RunOnce(CmdMessage, stage.Hero(), noId);
    stage.State().m_bQuit = 1;
    cFlowCmd shown = CommandWith(FlowKind::Message, {{Holds, 1}});
    RunOnce(CmdMessage, stage.Hero(), shown);
    EXPECT_TRUE(stage.Messages().empty());
    EXPECT_TRUE(waits.empty());
    stage.State().m_bQuit = 0;
}

TEST(MessageCommandTable, BothNumberingsReachTheMessageAndPictureCommands) {
    EXPECT_EQ(FlowCmdExecTable[FlowKind::Message], &CmdMessage);
    EXPECT_EQ(FlowCmdExecTable[FlowKind::ShowPicture], &CmdShowPicture);
    EXPECT_EQ(FlowNumbering(1, 4), FlowKind::Message);
}

namespace {

enum PictureParam {
    Number = 0,
    PPlace = 1,
    PX = 2,
    PY = 3,
    POffsetX = 4,
    POffsetY = 5,
    Layer = 6,
    Scale = 7,
    PTimeKind = 8,
    PTime = 9,
    PHolds = 10,
    PAnchored = 11,
    PIdMode = 12,
    PId = 13,
    POneFrame = 14,
    PUnit = 15
};

class PictureCommand : public DrawTest, public ::testing::WithParamInterface<DrawMode> {
protected:
    void SetUp() override {
        Start(GetParam());
        dir.WriteHostFile("pic/a.bmp", Bmp24(40, 20, std::vector<std::uint32_t>(40 * 20, 0x102030u)));
        dir.WriteHostFile("pic/b.bmp", Bmp24(24, 12, std::vector<std::uint32_t>(24 * 12, 0x405060u)));
        Database.Picture.resize(4);
        Database.Picture[1].m_strFile = "pic\\a.bmp";
        Database.Picture[2].m_strFile = "pic\\b.bmp";
        Database.Picture[3].m_strFile = "pic\\missing.bmp";
        stage = std::make_unique<StageHarness>(kField);
        SetNestedWaitLoop([this](cStageState& s) {
            waits.emplace_back(s.m_Wait.begin(), s.m_Wait.end());
            shownDuringWait = Numbers();
        });
    }
    void TearDown() override {
        SetNestedWaitLoop(nullptr);
        ClearPictures(stage->State());
        stage.reset();
        Database = cDatabase();
        SystemData.m_bCompatPictureStart = 0;
        DrawTest::TearDown();
    }

    void Show(const std::vector<std::pair<int, int>>& params, char who = 'a') {
        cFlowCmd cmd = CommandWith(FlowKind::ShowPicture, {{Scale, 100}});
        for (const auto& [n, value] : params) cmd.m_vParam[n] = value;
        RunOnce(CmdShowPicture, who == 'H' ? static_cast<cChara&>(stage->Hero()) : stage->Chara(who), cmd);
    }
    // The shown pictures' numbers with the file each one's surface and
    // creation record hold, in list order: the three lists must agree.
    std::vector<std::string> Numbers() {
        std::vector<std::string> shown;
        cStageState& s = stage->State();
        EXPECT_EQ(s.m_lstPictureSurface.size(), s.m_lstPicture.size());
        EXPECT_EQ(s.m_lstPictureEntry.size(), s.m_lstPicture.size());
        auto surface = s.m_lstPictureSurface.begin();
        auto entry = s.m_lstPictureEntry.begin();
        for (const cPictureInst& pic : s.m_lstPicture) {
            if (surface == s.m_lstPictureSurface.end() || entry == s.m_lstPictureEntry.end()) break;
            EXPECT_STREQ(surface->fileName, entry->fileName);
            shown.push_back(std::to_string(pic.m_nNumber) + ":" + surface->fileName + ":" +
                            std::to_string(pic.m_bHasId ? pic.m_nId : -1));
            ++surface, ++entry;
        }
        return shown;
    }

    std::unique_ptr<StageHarness> stage;
    std::vector<Request> waits;
    std::vector<std::string> shownDuringWait;
};

}  // namespace

TEST_P(PictureCommand, APictureTakesItsSurfaceAndTheCommandsValues) {
    Show({{Number, 1},
          {PPlace, 3},
          {PX, 2},
          {PY, 5},
          {POffsetX, 7},
          {POffsetY, -3},
          {Layer, 1},
          {Scale, 150},
          {PTimeKind, 2},
          {PTime, 4},
          {PAnchored, 1},
          {PIdMode, 1},
          {PId, 9},
          {PUnit, 1}});
    ASSERT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:9"}));
    const cPictureInst& pic = stage->State().m_lstPicture.front();
    EXPECT_EQ(pic.m_nPlace, 3);
    EXPECT_EQ(pic.m_nUnit, 1);
    EXPECT_EQ(pic.m_nX, 2) << "a screen place keeps its coordinates";
    EXPECT_EQ(pic.m_nY, 5);
    EXPECT_EQ(pic.m_nOffsetX, 7);
    EXPECT_EQ(pic.m_nOffsetY, -3);
    EXPECT_EQ(pic.m_nWidth, 60) << "the surface's size at the scale";
    EXPECT_EQ(pic.m_nHeight, 30);
    EXPECT_EQ(pic.m_bStretched, 1);
    EXPECT_EQ(pic.m_nLayer, 1);
    EXPECT_EQ(pic.m_nTimeKind, 2);
    EXPECT_EQ(pic.m_nFrames, 24);
    EXPECT_EQ(pic.m_bAnchored, 1);
    EXPECT_EQ(pic.m_nOwnerId, 0);
    // A stretched picture is drawn by the processor in the DirectDraw path.
    const int memory = stage->State().m_lstPictureEntry.front().nDDMemory;
    EXPECT_EQ(memory, GetParam().bD3D ? 0 : 1);
    EXPECT_TRUE(waits.empty());
}

TEST_P(PictureCommand, AFollowingPictureStartsAtItsOwnersCentre) {
    cStageChara& a = stage->Chara('a');
    a.m_nId = 41;
    stage->Hero().m_nId = 40;
    Show({{Number, 2}, {PPlace, 1}, {PX, 1}, {PY, 1}, {POffsetX, 5}, {POffsetY, -4}, {POneFrame, 1}, {PTime, 9}});
    Show({{Number, 2}, {PPlace, 2}, {PX, 1}, {PY, 1}});
    SystemData.m_bCompatPictureStart = 1;
    Show({{Number, 2}, {PPlace, 1}, {PX, 1}, {PY, 1}});
    const cPictureInst& onA = stage->State().m_lstPicture[0];
    EXPECT_EQ(onA.m_nOwnerId, 41);
    EXPECT_EQ(onA.m_nFrames, 1) << "one frame only";
    EXPECT_EQ(onA.m_nX, static_cast<int>(a.m_dX + a.m_nWidth / 2) + 5);
    EXPECT_EQ(onA.m_nY, static_cast<int>(a.m_dY + a.m_nHeight / 2) - 4);
    const cPictureInst& onHero = stage->State().m_lstPicture[1];
    EXPECT_EQ(onHero.m_nOwnerId, 40);
    EXPECT_EQ(onHero.m_nX, static_cast<int>(stage->Hero().m_dX + stage->Hero().m_nWidth / 2));
    const cPictureInst& old = stage->State().m_lstPicture[2];
    EXPECT_EQ(old.m_nX, 1) << "older projects compute the start later";
    EXPECT_EQ(old.m_dOwnerCentreX, a.m_dX + a.m_nWidth / 2);
}

TEST_P(PictureCommand, IdsReplaceInPlaceKeepOrReloadTheSurfaceAndRemove) {
    Show({{Number, 1}});
    Show({{Number, 1}, {PIdMode, 1}, {PId, 7}});
    Show({{Number, 2}});
    const DDSURFACEDATA* middle = &stage->State().m_lstPictureSurface[1];
    const DDPIXELS* pixels = stage->State().m_lstPictureSurface[1].Pixels();
    ASSERT_NE(pixels, nullptr);

    Show({{Number, 1}, {PIdMode, 1}, {PId, 7}, {Layer, 2}});
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:-1", "1:pic\\a.bmp:7", "2:pic\\b.bmp:-1"}));
    EXPECT_EQ(stage->State().m_lstPictureSurface[1].Pixels(), pixels) << "the same file keeps its surface";
    EXPECT_EQ(stage->State().m_lstPicture[1].m_nLayer, 2) << "the new command's values";

    Show({{Number, 2}, {PIdMode, 1}, {PId, 7}});
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:-1", "2:pic\\b.bmp:7", "2:pic\\b.bmp:-1"}));
    EXPECT_EQ(&stage->State().m_lstPictureSurface[1], middle) << "reloaded where it stood";
    EXPECT_EQ(stage->State().m_lstPicture[1].m_nWidth, 24);

    Show({{Number, 0}, {PIdMode, 1}, {PId, 8}});
    EXPECT_EQ(Numbers().size(), 3u) << "no picture of ID 8";
    Show({{Number, 0}, {PIdMode, 1}, {PId, 7}});
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:-1", "2:pic\\b.bmp:-1"}));
    Show({{Number, 0}});
    EXPECT_TRUE(Numbers().empty()) << "picture 0 without an ID removes them all";
}

TEST_P(PictureCommand, AHeldPictureIsTheOneRemovedAfterTheWait) {
    Show({{Number, 1}});
    Show({{Number, 1}, {PIdMode, 1}, {PId, 7}});
    Show({{Number, 2}});
    Show({{Number, 2}, {PIdMode, 1}, {PId, 7}, {PHolds, 1}, {PTimeKind, 2}, {PTime, 5}});
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0], (Request{3, 0, 0, 30, 0}));
    EXPECT_EQ(shownDuringWait, (std::vector<std::string>{"1:pic\\a.bmp:-1", "2:pic\\b.bmp:7", "2:pic\\b.bmp:-1"}));
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:-1", "2:pic\\b.bmp:-1"}))
        << "the replaced middle picture goes, not the last of the list";
    EXPECT_EQ(stage->State().m_lstPicture[0].m_bCountWhileFrozen, 0);

    Show({{Number, 1}, {PHolds, 1}});
    Show({{Number, 1}, {PHolds, 1}, {PTimeKind, 1}});
    ASSERT_EQ(waits.size(), 3u);
    EXPECT_EQ(waits[1], (Request{3, 0, 1, 0, 0})) << "until the key, with no confirmation delay";
    EXPECT_EQ(waits[2], (Request{3, 0, 1, 0, 0})) << "until the stage ends: the key too";
    EXPECT_EQ(Numbers().size(), 2u);
}

TEST_P(PictureCommand, AFileThatCannotBeReadClosesWithoutAPicture) {
    Show({{Number, 1}, {PIdMode, 1}, {PId, 7}});
    Show({{Number, 3}});
    EXPECT_EQ(stage->Errors(), (std::vector<std::string>{"pic\\missing.bmp 読み込み失敗！"}));
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:pic\\a.bmp:7"}));
    Show({{Number, 3}, {PIdMode, 1}, {PId, 7}});
    EXPECT_TRUE(Numbers().empty()) << "the replaced picture has no surface left";
    stage->State().m_bQuit = 1;
    Show({{Number, 1}, {PHolds, 1}});
    EXPECT_TRUE(Numbers().empty());
    EXPECT_TRUE(waits.empty());
    stage->State().m_bQuit = 0;
}

INSTANTIATE_TEST_SUITE_P(Modes, PictureCommand, ::testing::Values(kD3D32, kDD8),
                         [](const auto& info) { return std::string(info.param.name); });
