#include <gtest/gtest.h>

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/item.h"
#include "support/stage/stage_harness.h"

namespace {

// A 30 x 20 block stage (grid 50 x 40 blocks) with the view at the stage's
// top-left corner and scroll limits of blocks 2 to 27 across.
class ObjectBounds : public ::testing::Test {
protected:
    ObjectBounds() : m_Stage(std::vector<std::string>(20, std::string(30, '.'))) {
        cScrollAxis& x = m_Stage.State().m_ScrollX;
        x.SetInnerLimits(2, 27, 1, 1);
        x.m_dPos = x.m_nMin;
    }
    cItem Box(double x, double y, int w, int h) {
        cItem o;
        o.m_nWidth = o.m_nBaseWidth = w;
        o.m_nHeight = o.m_nBaseHeight = h;
        o.m_dX = x;
        o.m_dY = y;
        o.ClampX(-1);
        o.ClampY(-1);
        return o;
    }
    StageHarness m_Stage;
};

struct ClampCase {
    int mode;
    double x;
    int width;
    double wantX;
    int wantCode;
};

TEST_F(ObjectBounds, ClampXByMode) {
    // Scroll range 384 .. 1216, stage area 320 .. 1280, grid 0 .. 1600.
    const ClampCase cases[] = {
        {0, 300.0, 32, 384.0, 0},   {0, 1200.0, 32, 1184.0, 0}, {0, 500.0, 32, 500.0, 0},   {1, 100.0, 32, 320.0, 0},
        {1, 1270.0, 32, 1248.0, 0}, {1, 350.0, 32, 350.0, 1},   {1, 1190.0, 32, 1190.0, 1}, {1, 700.0, 32, 700.0, 0},
        {2, -4.5, 32, 0.0, 3},      {2, 1590.0, 32, 1568.0, 3}, {2, 100.0, 32, 100.0, 2},   {2, 1260.0, 32, 1260.0, 2},
        {2, 350.0, 32, 350.0, 1},   {2, 700.0, 32, 700.0, 0},   {7, -50.0, 32, -50.0, 0},
    };
    for (const ClampCase& c : cases) {
        cItem o;
        o.m_nWidth = c.width;
        o.m_dX = c.x;
        EXPECT_EQ(o.ClampX(c.mode), c.wantCode) << "mode " << c.mode << " x " << c.x;
        EXPECT_DOUBLE_EQ(o.m_dX, c.wantX) << "mode " << c.mode << " x " << c.x;
        EXPECT_DOUBLE_EQ(o.m_dRight, o.m_dX + c.width - 1);
    }
}

TEST_F(ObjectBounds, ClampYByModeTellsTheSidesApart) {
    // Vertically: scroll and stage area 320 .. 960, grid 0 .. 1280.
    cScrollAxis& y = m_Stage.State().m_ScrollY;
    y.SetInnerLimits(1, 15, 1, 1);  // scroll 352 .. 832
    const ClampCase cases[] = {
        {1, 100.0, 32, 320.0, 0},   {1, 330.0, 32, 330.0, 1},  {1, 820.0, 32, 820.0, 4},    {2, -1.0, 32, 0.0, 3},
        {2, 1270.0, 32, 1248.0, 6}, {2, 100.0, 32, 100.0, 2},  {2, 950.0, 32, 950.0, 5},    {2, 340.0, 32, 340.0, 1},
        {2, 820.0, 32, 820.0, 4},   {2, -10.0, 320, -10.0, 0}, {2, 1000.0, 320, 1000.0, 0}, {2, 600.0, 32, 600.0, 0},
    };
    for (const ClampCase& c : cases) {
        cItem o;
        o.m_nHeight = c.width;
        o.m_dY = c.x;
        EXPECT_EQ(o.ClampY(c.mode), c.wantCode) << "mode " << c.mode << " y " << c.x;
        EXPECT_DOUBLE_EQ(o.m_dY, c.wantX) << "mode " << c.mode << " y " << c.x;
    }
}

TEST_F(ObjectBounds, TallObjectAboveTheGridKeepsItsRowsInTheGrid) {
    cItem o;
    o.m_nWidth = 32;
    o.m_nHeight = 400;
    o.m_dX = 500.0;
    o.m_dY = -200.0;
    EXPECT_EQ(o.ClampY(BoundMode::Grid), 0);
    EXPECT_DOUBLE_EQ(o.m_dY, -200.0);
    EXPECT_EQ(o.m_nRowTop, 0);
    EXPECT_EQ(o.m_nRowBottom, 199 >> 5);
    o.ClampX(-1);
    EXPECT_FALSE(o.TouchesSolidTile());
}

TEST_F(ObjectBounds, ScreenAndStageTests) {
    const double sx = m_Stage.State().m_ScrollX.m_dPos;
    const double sy = m_Stage.State().m_ScrollY.m_dPos;
    EXPECT_FALSE(Box(sx + 640, sy, 32, 32).IsOnScreen());
    EXPECT_TRUE(Box(sx - 31, sy, 32, 32).IsOnScreen());  // right edge exactly at sx
    EXPECT_FALSE(Box(sx - 32, sy, 32, 32).IsOnScreen());
    EXPECT_FALSE(Box(sx, sy + 480, 32, 32).IsOnScreen());
    EXPECT_TRUE(Box(sx, sy + 480, 32, 32).IsOnScreenAxes(false, true));
    EXPECT_TRUE(Box(320, 320, 32, 32).IsInStage(0));
    EXPECT_FALSE(Box(319, 320, 32, 32).IsInStage(0));
    EXPECT_TRUE(Box(0, 0, 32, 32).IsInStage(1));
    EXPECT_FALSE(Box(1569, 0, 32, 32).IsInStage(1));
}

struct RangeCase {
    const char* what;
    int flags[4];    // left, right, top, bottom
    int margins[4];  // in blocks
    double x, y;
    bool onScreen;
    bool want;
};

TEST_F(ObjectBounds, OutOfRange) {
    // View at (384, 320); a 32 x 32 box.
    const RangeCase cases[] = {
        {"left edge at 0 whatever the switches", {0, 0, 0, 0}, {0, 0, 0, 0}, 0.0, 500.0, false, true},
        {"left edge at 0 but on screen", {0, 0, 0, 0}, {0, 0, 0, 0}, 0.0, 500.0, true, false},
        {"left of view, switch off", {0, 0, 0, 0}, {0, 0, 0, 0}, 100.0, 500.0, false, false},
        {"right edge at view left", {1, 0, 0, 0}, {0, 0, 0, 0}, 353.0, 500.0, false, true},
        {"right edge one past view left", {1, 0, 0, 0}, {0, 0, 0, 0}, 354.0, 500.0, false, false},
        {"left margin 2 blocks", {1, 0, 0, 0}, {2, 0, 0, 0}, 289.0, 500.0, false, true},
        {"left margin 2 blocks, inside", {1, 0, 0, 0}, {2, 0, 0, 0}, 290.0, 500.0, false, false},
        {"right of view", {0, 1, 0, 0}, {0, 1, 0, 0}, 1056.0, 500.0, false, true},
        {"right of view, inside margin", {0, 1, 0, 0}, {0, 1, 0, 0}, 1055.0, 500.0, false, false},
        {"below the view", {0, 0, 0, 1}, {0, 0, 0, 0}, 500.0, 800.0, false, true},
        {"above the view", {0, 0, 1, 0}, {0, 0, 0, 0}, 500.0, 288.0, false, true},
        {"above the view, bottom at its top", {0, 0, 1, 0}, {0, 0, 0, 0}, 500.0, 289.0, false, true},
        {"above, bottom one inside", {0, 0, 1, 0}, {0, 0, 0, 0}, 500.0, 290.0, false, false},
        {"at the grid's bottom", {0, 0, 0, 0}, {0, 0, 0, 0}, 500.0, 1248.0, false, true},
        {"one above the grid's bottom", {0, 0, 0, 0}, {0, 0, 0, 0}, 500.0, 1247.0, false, false},
    };
    for (const RangeCase& c : cases) {
        cStageSetting range;
        range.m_bLeft = c.flags[0];
        range.m_bRight = c.flags[1];
        range.m_bTop = c.flags[2];
        range.m_bBottom = c.flags[3];
        range.m_nLeft = c.margins[0];
        range.m_nRight = c.margins[1];
        range.m_nTop = c.margins[2];
        range.m_nBottom = c.margins[3];
        cItem o = Box(c.x, c.y, 32, 32);
        o.m_bOnScreen = c.onScreen;
        EXPECT_EQ(o.IsOutOfRange(range), c.want) << c.what;
    }
}

TEST_F(ObjectBounds, ScaleChangeKeepsTheCentreAndFeet) {
    cItem item;
    item.Init(0, 1, 0, 1, 0, nullptr, 0, 0, 4, 32, 32, 32, 32, 0, 0, 0);
    item.m_dX = 500.0;
    item.m_dY = 600.0;
    item.SetScale(1, 1, 0);
    EXPECT_DOUBLE_EQ(item.m_dX, 500.0) << "same scale changes nothing";
    item.SetScale(2, 1, 0);
    EXPECT_EQ(item.m_nWidth, 64);
    EXPECT_EQ(item.m_rcGraphic.y, 8);
    EXPECT_DOUBLE_EQ(item.m_dX, 484.0) << "half the base width to the left";
    EXPECT_DOUBLE_EQ(item.m_dY, 600.0 - 36.0);
}

TEST(MoveKind, DefinitionFlyingValueSelectsTheMoveKind) {
    // The definition's 飛行 value 0..3: walking, through blocks, stopped by
    // blocks, dies on blocks.
    const int want[][2] = {{0, 1}, {1, 0}, {1, 1}, {1, 2}};
    for (int kind = 0; kind < 4; ++kind) {
        cItem o;
        o.SetMoveKind(kind);
        EXPECT_EQ(o.m_bFly, want[kind][0]) << kind;
        EXPECT_EQ(o.m_cFlyKind, want[kind][1]) << kind;
    }
    cItem o;
    o.SetMoveKind(2);
    o.SetMoveKind(4);
    EXPECT_EQ(o.m_cFlyKind, 1) << "unknown kinds change nothing";
}

}  // namespace
