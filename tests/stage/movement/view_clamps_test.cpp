#include "stage/movement/view_clamps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stage/movement/tile_contacts.h"
#include "support/stage/stage_harness.h"

namespace {

// A stage larger than the view both ways, the hero in its middle.
std::vector<std::string> WideStage() {
    std::vector<std::string> picture(30, std::string(30, '.'));
    picture[15][15] = 'H';
    return picture;
}

constexpr double kViewX = 640.0, kViewY = 560.0;

struct ClampCase {
    const char* name;
    int autoScroll;
    int fly;
    double position;  // x or y relative to the view
    double expected;  // the same after the clamp
    int touchLow, touchHigh;
    int result;
};

// One case on the x axis, or on the y axis when `vertical`.
void CheckClamp(const ClampCase& c, bool vertical) {
    StageHarness stage(WideStage(), {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    cScrollAxis& axis = vertical ? stage.State().m_ScrollY : stage.State().m_ScrollX;
    const double view = vertical ? kViewY : kViewX;
    double& position = vertical ? hero.m_dY : hero.m_dX;
    axis.SetAutoScroll(c.autoScroll, 0);
    axis.m_dPos = view;
    hero.m_bFly = c.fly;
    position = view + c.position;
    int result = TileResult::Go;
    if (vertical) {
        result = ClampHeroToViewY(hero);
    } else {
        ClampHeroToViewX(hero);
    }
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(position, view + c.expected) << c.name;
    EXPECT_EQ(vertical ? hero.m_bTouchTop : hero.m_bTouchLeft, c.touchLow) << c.name;
    EXPECT_EQ(vertical ? hero.m_bTouchBottom : hero.m_bTouchRight, c.touchHigh) << c.name;
}

TEST(ViewClamps, HorizontalEdgesHoldTheHeroUnderAutoScrollOrInFlight) {
    // The hero is 32 pixels wide.
    const std::vector<ClampCase> cases = {
        {"auto-scroll, past the left edge", 1, 0, -1.0, 0.0, 1, 0, TileResult::Go},
        {"auto-scroll, at the left edge", 1, 0, 0.0, 0.0, 0, 0, TileResult::Go},
        {"auto-scroll, at the right edge", 1, 0, 607.0, 607.0, 0, 0, TileResult::Go},
        {"auto-scroll, past the right edge", 1, 0, 608.0, 607.0, 0, 1, TileResult::Go},
        {"flight, past the right edge", 0, 1, 620.5, 607.0, 0, 1, TileResult::Go},
        {"walking, the view following", 0, 0, -1.0, -1.0, 0, 0, TileResult::Go},
    };
    for (const ClampCase& c : cases) CheckClamp(c, false);
}

TEST(ViewClamps, TheLowerEdgeKillsAWalkingHero) {
    // The hero is 32 pixels high.
    const std::vector<ClampCase> cases = {
        {"auto-scroll, past the top edge", 1, 0, -5.0, 0.0, 1, 0, TileResult::Go},
        {"auto-scroll, at the lower edge", 1, 0, 447.0, 447.0, 0, 0, TileResult::Go},
        {"auto-scroll, past the lower edge", 1, 0, 448.0, 447.0, 0, 1, TileResult::Killed},
        {"flight, past the lower edge", 0, 1, 460.0, 447.0, 0, 1, TileResult::Go},
        {"walking, the view following", 0, 0, 448.0, 448.0, 0, 0, TileResult::Go},
    };
    for (const ClampCase& c : cases) CheckClamp(c, true);
}

// The view scrolls up 6 pixels a frame from the bottom of the stage and
// leaves the hero standing on the floor behind: its bottom (927) reaches
// the view's last row when the view's top is at 448 or above, after 6
// frames (480 - 6 x 6 = 444).
TEST(ViewClamps, AViewScrollingUpLeavesAStandingHeroBehind) {
    std::vector<std::string> picture(20, ".");
    picture[18] = "H";
    picture[19] = "#";
    StageHarness stage(picture, {.hitCheckLevel = 1, .gravity = 0.5});
    cPlayer& hero = stage.Hero();
    cScrollAxis& axis = stage.State().m_ScrollY;
    axis.SetAutoScroll(1, -60);
    axis.m_dPos = 480.0;
    int frame = 0;
    int result = TileResult::Go;
    while (result == TileResult::Go && frame < 20) {
        ++frame;
        axis.Advance();
        stage.MoveOneSubStep();
        result = ClampHeroToViewY(hero);
    }
    EXPECT_EQ(result, TileResult::Killed);
    EXPECT_EQ(frame, 6);
    EXPECT_EQ(axis.m_dPos, 444.0);
}

}  // namespace
