#include "scenes/stage_play/presentation/message.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "draw/draw_fixture.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "scenes/scene_registry.h"
#include "stage/commands/presentation_commands.h"
#include "stage/commands/stage_commands.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kTextColour = 241;
constexpr int kWindowColour = 5;
constexpr int kIconColour = 9;

class MessageTest : public DrawTest {
protected:
    void SetUp() override {
        Start(kD3D32);
        Palette[1] = PALETTEENTRY{0x30, 0x90, 0x30, 0};
        Palette[kTextColour] = PALETTEENTRY{0xF0, 0xF0, 0x20, 0};
        Palette[kWindowColour] = PALETTEENTRY{0x10, 0x20, 0x60, 0};
        Palette[kIconColour] = PALETTEENTRY{0x90, 0x10, 0x10, 0};
        ASSERT_TRUE(DDCreateSurface(&window, 320, 240, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        DDFillSurface(&window, kWindowColour);
        ASSERT_TRUE(DDCreateSurface(&accessory, 64, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        PalNumToRGB(&accessory, 0, 48, 16, 16, kIconColour);
        ASSERT_EQ(font.Create("ＭＳ ゴシック", 0, 16, 16, 16, kTextColour, &window, 1, 240, nullptr, 0), 1);
        stage = std::make_unique<StageHarness>(std::vector<std::string>{"....", "H.a.", "####"});
        list.m_lpFont = &font;
        list.m_lpAccessory = &accessory;
        stage->State().m_lpMessageSink = &list;
    }
    void TearDown() override {
        list.ClearMessagePictures();
        stage.reset();
        font.Release();
        DDReleaseSurface(&window);
        DDReleaseSurface(&accessory);
        DrawTest::TearDown();
    }

    static MessageRequest Text(const std::string& text, int place = MessagePlace::ScreenTopLeft) {
        MessageRequest r;
        r.nKind = MessageKind::Text;
        r.strText = text;
        r.nPlace = place;
        r.nUnit = 1;
        r.nTimeKind = MessageTime::UntilStageEnd;
        return r;
    }
    cMessage& Add(const MessageRequest& r) {
        StageState().AddMessage(r);
        return list.m_lstMessage.back();
    }
    // One frame of drawing: a clear frame, then the messages.
    void Frame(int frozen = 0) {
        DDFillSurface(&BackBuffer, 1);
        list.Update(stage->State(), &BackBuffer, frozen);
    }
    // The frame shows the picture's opaque pixels at (x, y) (its colour-0
    // pixels are transparent, the glyphs' edges blended).
    bool PictureShownAt(cMessage& m, int x, int y) {
        int text = 0;
        for (int j = 0; j < m.m_nHeight; ++j) {
            for (int i = 0; i < m.m_nWidth; ++i) {
                const std::uint32_t p = PixelAt(*m.m_lpPicture, i, j);
                if ((p >> 24) != 0xFF) continue;
                ++text;
                if (PixelAt(BackBuffer, x + i, y + j) != p) return false;
            }
        }
        return text > 0;
    }
    std::uint32_t Colour(int n) {
        const PALETTEENTRY& e = Palette[n];
        return 0xFF000000u | std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
    }

    DDSURFACEDATA window, accessory;
    Font font;
    cMessageList list;
    std::unique_ptr<StageHarness> stage;
};

TEST_F(MessageTest, StageCodeMessagesArriveInTheListWithTheirPicture) {
    StageState().m_vecStageVar[3] = 42;
    MessageRequest r = Text("HP #S3.");
    r.bEscapes = 1;
    cMessage& m = Add(r);
    EXPECT_EQ(m.m_strText, "HP 42");
    EXPECT_EQ(m.m_strSource, "HP #S3.");
    EXPECT_EQ(m.m_nWidth, 5 * 16 + 2);  // a character of the font is 16 pixels
    EXPECT_EQ(m.m_nHeight, 16 + 2);
    ASSERT_EQ(list.m_lstPicture.size(), 1u);
    EXPECT_EQ(m.m_lpPicture, &list.m_lstPicture.front());
    Frame();
    EXPECT_TRUE(PictureShownAt(m, 0, 0));
}

// Display by time: drawn on 30 updates, over on the 31st; a frozen stage
// stops the count unless the message counts while frozen. Icons rise one
// pixel every 4 frames.
TEST_F(MessageTest, TimedMessagesCountTheirFrames) {
    MessageRequest r;
    r.nKind = MessageKind::ExtraLifeIcon;
    r.nPlace = MessagePlace::ScreenTopLeft;
    r.nUnit = 1;
    r.nX = 100;
    r.nY = 100;
    r.nTimeKind = MessageTime::Frames;
    r.nRemain = 30;
    Add(r);
    std::vector<int> topRows;
    for (int n = 1; n <= 30; ++n) {
        Frame();
        ASSERT_EQ(list.m_lstMessage.size(), 1u) << n;
        int top = -1;
        for (int y = 80; y < 120 && top < 0; ++y) {
            if (PixelAt(BackBuffer, 105, y) == Colour(kIconColour)) top = y;
        }
        topRows.push_back(top);
    }
    EXPECT_EQ(topRows.front(), 100);  // (30 - 29) >> 2 = 0
    EXPECT_EQ(topRows[3], 99);        // remaining 26: (30 - 26) >> 2 = 1
    EXPECT_EQ(topRows.back(), 93);    // remaining 0: 30 >> 2 = 7
    Frame();
    EXPECT_TRUE(list.m_lstMessage.empty());

    r.nRemain = 2;
    Add(r);
    for (int n = 0; n < 10; ++n) Frame(1);
    EXPECT_EQ(list.m_lstMessage.size(), 1u);
    r.bCountFrozen = 1;
    Add(r);
    for (int n = 0; n < 3; ++n) Frame(1);
    EXPECT_EQ(list.m_lstMessage.size(), 1u);
}

TEST_F(MessageTest, AMessageWhoseOwnerVanishesEnds) {
    cStageChara& owner = stage->Chara('a');
    MessageRequest r = Text("!", MessagePlace::AboveOwner);
    r.nOwnerId = owner.m_nId;
    Add(r);
    MessageRequest timer;
    timer.nPlace = MessagePlace::OnOwner;
    timer.nOwnerId = owner.m_nId;
    timer.nTimeKind = MessageTime::Frames;
    timer.nRemain = 100;
    Add(timer);
    Frame();
    EXPECT_EQ(list.m_lstMessage.size(), 2u);
    CharaList.clear();
    Frame();
    // The text and its picture go; the invisible timer has nothing to show
    // and counts on.
    ASSERT_EQ(list.m_lstMessage.size(), 1u);
    EXPECT_EQ(list.m_lstMessage.front().m_Request.nKind, MessageKind::Timer);
    EXPECT_TRUE(list.m_lstPicture.empty());
}

// A message shown until the advance key opens its window over 9 frames
// (a tenth of its size more each frame, centred) and shows its text from
// the tenth; without the opening the text shows at once.
TEST_F(MessageTest, NineFrameOpening) {
    MessageRequest r = Text("0123456789", MessagePlace::ScreenCentre);
    r.nTimeKind = MessageTime::UntilKey;
    r.bWindow = 1;
    cMessage& m = Add(r);
    const int x = 320 - m.m_nWidth / 2, y = 240 - m.m_nHeight / 2;
    const int cx = x + m.m_nWidth / 2, cy = y + m.m_nHeight / 2;
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        Frame();
        EXPECT_FALSE(PictureShownAt(m, x, y));
        EXPECT_NE(PixelAt(BackBuffer, cx, cy), Colour(1));  // the window grows from the centre
        const int half = static_cast<int>(n * 0.1 * m.m_nWidth) / 2;
        EXPECT_EQ(PixelAt(BackBuffer, cx - half - 2, cy), Colour(1));
    }
    Frame();
    EXPECT_TRUE(PictureShownAt(m, x, y));

    list.ClearMessagePictures();
    r.bNoOpening = 1;
    cMessage& direct = Add(r);
    Frame();
    EXPECT_TRUE(PictureShownAt(direct, x, y));
}

// Refresh every 5 play frames: the text follows the variable only on those
// frames, and a text that grows gets a new picture at the same place in
// the picture list.
TEST_F(MessageTest, RefreshCadence) {
    cStageState& state = stage->State();
    MessageRequest r = Text("#S3.");
    r.bEscapes = 1;
    r.bRefresh = 1;
    r.nRefreshInterval = 5;
    cMessage& first = Add(r);
    Add(Text("second"));
    std::string seen;
    for (int frame = 1; frame <= 12; ++frame) {
        state.m_nPlayFrame = frame;
        state.m_vecStageVar[3] = frame;
        Frame();
        seen += first.m_strText + " ";
    }
    EXPECT_EQ(seen, "0 0 0 0 5 5 5 5 5 10 10 10 ");
    EXPECT_EQ(first.m_nWidth, 2 * 16 + 2);
    ASSERT_EQ(list.m_lstPicture.size(), 2u);
    EXPECT_EQ(first.m_lpPicture, &list.m_lstPicture.front());
    EXPECT_EQ(first.m_lpPicture->nWidth, first.m_nWidth);
    EXPECT_TRUE(PictureShownAt(first, 0, 0));
}

// Places on the screen, on the stage and around the owner (the character
// 'a' stands on block (2, 1): stage pixels (384, 352), 32 x 32).
TEST_F(MessageTest, PlacesAndClamp) {
    cStageState& state = stage->State();
    state.m_ScrollX.m_dPos = 300.0;
    state.m_ScrollY.m_dPos = 320.0;
    state.m_ScrollX.m_nBlockOffset = 10;
    state.m_ScrollY.m_nBlockOffset = 10;
    cStageChara& a = stage->Chara('a');
    a.m_rcGraphic = {0, 0, 32, 32};
    const int gx = static_cast<int>(a.m_dX - 300), gy = static_cast<int>(a.m_dY - 320);
    struct Case {
        const char* name;
        int place, unit, x, y, clamp;
        int expectX, expectY;
    };
    // Every message is 3 characters: 50 x 18.
    const std::vector<Case> cases = {
        {"screen centre", MessagePlace::ScreenCentre, 0, 0, 0, 0, 320 - 25 + 1, 240 - 9 + 2},
        {"screen top-left in blocks", MessagePlace::ScreenTopLeft, 0, 2, 3, 0, 64 + 1, 96 + 2},
        {"screen centre in pixels", MessagePlace::ScreenCentreAt, 1, 100, 50, 0, 100 + 1 - 25, 50 + 2 - 9},
        {"stage block", MessagePlace::StageTopLeft, 0, 1, 1, 0, 11 * 32 + 1 - 300, 11 * 32 + 2 - 320},
        {"stage centre in pixels", MessagePlace::StageCentreAt, 1, 40, 40, 0, 320 + 40 + 1 - 25 - 300,
         320 + 40 + 2 - 9 - 320},
        {"above the owner", MessagePlace::AboveOwner, 0, 0, 0, 0, gx + 16 - 25 + 1, gy - 18 + 2},
        {"below the owner", MessagePlace::BelowOwner, 0, 0, 0, 0, gx + 16 - 25 + 1, gy + 32 + 1 + 2},
        {"on the owner", MessagePlace::OnOwner, 0, 0, 0, 0, gx + 16 - 25 + 1, gy + 16 - 9 + 2},
        {"clamped below the panel", MessagePlace::ScreenTopLeft, 1, -50, 5, 1, 0, 20},
        {"clamped at the bottom right", MessagePlace::ScreenTopLeft, 1, 630, 470, 1, 640 - 50, 480 - 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageRequest r = Text("abc", c.place);
        r.nUnit = c.unit;
        r.nX = c.x;
        r.nY = c.y;
        r.nOffsetX = 1;
        r.nOffsetY = 2;
        r.bClamp = c.clamp;
        r.bAnchored = 1;  // screen places stay on the screen
        r.nOwnerId = a.m_nId;
        if (c.clamp) r.nOffsetX = r.nOffsetY = 0;
        cMessage& m = Add(r);
        ASSERT_EQ(m.m_nWidth, 50);
        Frame();
        EXPECT_TRUE(PictureShownAt(m, c.expectX, c.expectY));
        list.ClearMessagePictures();
    }
}

// A screen-centre message that is not anchored stays where the stage was
// when it appeared; an anchored one stays on the screen.
TEST_F(MessageTest, UnanchoredScreenMessagesStayOnTheStage) {
    cStageState& state = stage->State();
    state.m_ScrollX.m_dPos = 300.0;
    MessageRequest r = Text("abc", MessagePlace::ScreenCentre);
    cMessage& loose = Add(r);
    r.bAnchored = 1;
    r.nOffsetY = 40;
    cMessage& held = Add(r);
    Frame();
    state.m_ScrollX.m_dPos = 310.0;
    Frame();
    EXPECT_TRUE(PictureShownAt(loose, 320 - 25 - 10, 240 - 9));
    EXPECT_TRUE(PictureShownAt(held, 320 - 25, 240 - 9 + 40));
}

// The message command through the scene's list: a message of the same ID
// is rewritten where it stands, keeping its picture while the text measures
// the same; a held message is taken back wherever it stands.
TEST_F(MessageTest, MessageCommandsRewriteRemoveAndTakeBackTheirOwnMessage) {
    constexpr int kIdMode = 12, kId = 13, kDelete = 15, kHolds = 8;
    const auto command = [](const std::string& text, std::vector<std::pair<int, int>> params) {
        cFlowCmd cmd = CommandOfKind(FlowKind::Message);
        cmd.m_vParam[6] = MessageTime::UntilStageEnd;
        for (const auto& [n, value] : params) cmd.m_vParam[n] = value;
        cmd.m_strText = text;
        return cmd;
    };
    const auto run = [&](cFlowCmd cmd) {
        cCmdInst inst = InstanceOf(cmd);
        CmdMessage(stage->Hero(), inst);
    };
    const auto texts = [&] {
        std::vector<std::string> shown;
        for (const cMessage& m : list.m_lstMessage) shown.push_back(m.m_strText);
        return shown;
    };
    run(command("first", {}));
    run(command("abc", {{kIdMode, 1}, {kId, 4}}));
    run(command("last", {}));
    cMessage* middle = &*std::next(list.m_lstMessage.begin());
    DDSURFACEDATA* picture = middle->m_lpPicture;

    run(command("xyz", {{kIdMode, 1}, {kId, 4}}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"first", "xyz", "last"}));
    EXPECT_EQ(middle->m_lpPicture, picture) << "same size: the picture is kept";

    run(command("longer text", {{kIdMode, 1}, {kId, 4}}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"first", "longer text", "last"}));
    EXPECT_EQ(middle->m_nWidth, 11 * 16 + 2);
    ASSERT_EQ(list.m_lstPicture.size(), 3u);
    EXPECT_EQ(&*std::next(list.m_lstPicture.begin()), middle->m_lpPicture) << "made anew at its place";
    EXPECT_EQ(middle->m_lpPicture->nWidth, 11 * 16 + 2);

    std::vector<std::string> duringWait;
    SetNestedWaitLoop([&](cStageState&) { duringWait = texts(); });
    run(command("held", {{kIdMode, 1}, {kId, 4}, {kHolds, 1}}));
    SetNestedWaitLoop(nullptr);
    EXPECT_EQ(duringWait, (std::vector<std::string>{"first", "held", "last"}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"first", "last"})) << "the held one goes, not the last";
    EXPECT_EQ(list.m_lstPicture.size(), 2u);

    run(command("", {{kIdMode, 1}, {kId, 9}}));
    run(command("", {{kDelete, 1}, {kIdMode, 1}, {kId, 5}}));
    EXPECT_EQ(list.m_lstMessage.size(), 3u) << "no message of ID 5";
    run(command("", {{kDelete, 1}, {kIdMode, 1}, {kId, 9}}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"first", "last"}));
    EXPECT_EQ(list.m_lstPicture.size(), 2u);
}

}  // namespace

namespace {

// While the stage scene lives, the messages stage code asks for land in
// its list.
TEST(StageSceneMessages, ArriveInTheScenesList) {
    cSceneStage scene;
    MessageRequest timer;
    timer.nTimeKind = MessageTime::Frames;
    timer.nRemain = 5;
    StageState().AddMessage(timer);
    ASSERT_EQ(scene.m_Messages.m_lstMessage.size(), 1u);
    EXPECT_EQ(scene.m_Messages.m_lstMessage.front().m_nRemain, 5);
}

}  // namespace
