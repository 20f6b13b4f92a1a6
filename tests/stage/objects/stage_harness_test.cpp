#include "support/stage/stage_harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "foundation/abort.h"
#include "gamedata/global_data.h"
#include "platform/random.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "stage/objects/shot.h"

namespace {

// Three screens wide: 60 blocks of 32 pixels.
const std::vector<std::string> kThreeScreens = {
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    "............................................................",
    ".......................................b....................",
    "..H..........a............#####......######.........a.......",
    "############################.....###########################",
    "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX",
    "############################################################",
};

TEST(StageHarness, BuildsAThreeScreenStageFromAPicture) {
    StageHarness stage(kThreeScreens);
    EXPECT_EQ(LoadedStage.m_nWidth, 60);
    EXPECT_EQ(stage.State().m_ScrollX.m_nGridPixels, 60 * 32 + 640);
    // The hero stands on its block: its box starts at the block's pixel.
    EXPECT_DOUBLE_EQ(stage.Hero().m_dX, (2 + 10) * 32 + 0.5);
    EXPECT_DOUBLE_EQ(stage.Hero().m_dY, (11 + 10) * 32);
    EXPECT_EQ(stage.Hero().m_nCharaKind, 0);
    EXPECT_EQ(stage.Hero().m_nLife, 3);
    ASSERT_EQ(CharaList.size(), 3u);
    EXPECT_EQ(stage.Chara('a', 1).m_nColLeft, 52 + 10);
    EXPECT_EQ(stage.Chara('b').m_nRowTop, 10 + 10);
    // Every character targets the hero.
    EXPECT_EQ(stage.Chara('b').m_vecTarget[0], &stage.Hero());
    EXPECT_EQ(stage.Cell(26, 11).m_Def.m_cContact, 1);
    EXPECT_EQ(stage.Cell(28, 12).m_Def.m_cContact, 0);
    EXPECT_EQ(stage.Cell(30, 13).m_Def.m_cContact, 2);
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(StageHarness, RecordsTheSoundAndMusicRequestsOfStagePlay) {
    StageHarness stage({"H."});
    const HWND window = MainWindowHandle.load();
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_USER + 5, 7, 0);
    SendMessageA(window, WM_USER + 6, 4, 3);
    SendMessageA(window, WM_USER + 5, 16 + 2, 0);
    EXPECT_EQ(stage.Sounds(), (std::vector<int>{7, 18}));
    EXPECT_EQ(stage.Music(), (std::vector<StageHarness::MusicRequest>{{4, 3}}));
}

TEST(StageHarness, RecordsTheMessagesStageCodeAsksFor) {
    MessageRequest icon;
    icon.nKind = MessageKind::Icon;
    icon.nRemain = 30;
    MessageRequest text;
    text.nKind = MessageKind::Text;
    text.strText = "#S3.";
    StageHarness stage({"H."});
    StageState().AddMessage(icon);
    StageState().AddMessage(text);
    EXPECT_EQ(stage.Messages(), (std::vector<MessageRequest>{icon, text}));
}

// One change of one member of the played state each.
struct HashCase {
    const char* member;
    std::function<void(StageHarness&)> change;
};

TEST(StageHarness, StateHashSeesEveryMemberAndNothingElse) {
    const std::vector<HashCase> cases = {
        {"hero x by one ulp", [](StageHarness& s) { s.Hero().m_dX = std::nextafter(s.Hero().m_dX, 1e9); }},
        {"hero speed y", [](StageHarness& s) { s.Hero().m_dSpeedY = -0.0; }},
        {"hero impact x", [](StageHarness& s) { s.Hero().m_dImpactX = 1.0; }},
        {"character saved bottom", [](StageHarness& s) { s.Chara('a').m_dSavedBottom = 3.0; }},
        {"character life", [](StageHarness& s) { s.Chara('a').m_nLife -= 1; }},
        {"character variable", [](StageHarness& s) { s.Chara('b').m_vecVar[8] = 1; }},
        {"character target", [](StageHarness& s) { s.Chara('b').m_vecTarget[1] = &s.Chara('a'); }},
        {"character order", [](StageHarness&) { CharaList.splice(CharaList.begin(), CharaList, --CharaList.end()); }},
        {"scroll x", [](StageHarness& s) { s.State().m_ScrollX.m_dPos += 0.5; }},
        {"auto-scroll y", [](StageHarness& s) { s.State().m_ScrollY.m_dAutoSpeed = 0.25; }},
        {"time", [](StageHarness& s) { s.State().m_nTime = 5; }},
        {"clear time", [](StageHarness& s) { s.State().m_nClearTime = 1; }},
        {"stage variable", [](StageHarness& s) { s.State().m_vecStageVar[1000] = -1; }},
        {"end request", [](StageHarness& s) { s.State().m_nEndRequest = 2; }},
        {"wait request", [](StageHarness& s) { s.State().m_Wait[3] = 3; }},
        {"group list", [](StageHarness& s) { s.State().m_vecForce[3].push_back(&s.Hero()); }},
        {"score", [](StageHarness&) { StoryData.m_nScore = 10; }},
        {"common variable", [](StageHarness&) { StoryData.m_vVar.push_back(0); }},
        {"block latch", [](StageHarness& s) { s.Cell(0, 12).m_bLatch = 1; }},
        {"block removed", [](StageHarness& s) { s.Cell(0, 12).m_Def.m_cContact = 0; }},
        {"random draw", [](StageHarness&) { platform::rand(); }},
        {"shot fired", [](StageHarness& s) { s.State().AddShot(cShot()); }},
    };
    std::uint64_t base = 0;
    {
        StageHarness stage(kThreeScreens);
        base = stage.Hash();
        EXPECT_EQ(stage.Hash(), base);
    }
    for (const HashCase& c : cases) {
        StageHarness stage(kThreeScreens);
        ASSERT_EQ(stage.Hash(), base) << "a rebuilt stage hashes alike";
        c.change(stage);
        EXPECT_NE(stage.Hash(), base) << c.member;
    }
}

// The recorder sees the stage's drawing calls in order while the harness
// lives; afterwards drawing goes to the drawing layer again.
TEST(StageHarness, RecordsTheDrawingCallsOfTheStageWhileItLives) {
    {
        StageHarness stage({"H."});
        EXPECT_EQ(&StageDrawSink(), &stage.Drawing());
        SinkBlt(&BackBuffer, 10, 20, 64, 64, &SurfaceArray[4], 32, 0, 32, 32, 1, DDBLTCOLOR{0xFF808080u, 4});
        SinkFill(&SurfaceArray[69], 0, 0, 8, 2, 212);
        SinkSimple(DrawOp::SpriteBatchOff);
        DrawCall wave;
        wave.op = DrawOp::Wave;
        wave.dst = &BackBuffer;
        wave.src = &SurfaceArray[22];
        wave.w = wave.h = 32;
        wave.p = {2, 4.5, 0, 2, 0};
        StageDrawSink().Draw(wave);
        const std::vector<std::string> expected = {
            "Blt Back 10,20 64x64 <- #4 32,0 32x32 key tint=ff808080/4",
            "Fill #69 0,0 8x2 p=212",
            "SpriteBatchOff",
            "Wave Back 0,0 32x32 <- #22 0,0 key p=2,4.5,0,2",
        };
        EXPECT_EQ(stage.Drawing().Lines(), expected);
    }
    EXPECT_EQ(dynamic_cast<RecordingDrawSink*>(&StageDrawSink()), nullptr);
}

}  // namespace
