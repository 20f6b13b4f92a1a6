#include "stage/core/aiming.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gamedata/global_data.h"
#include "platform/random.h"
#include "support/stage/stage_harness.h"

namespace {

class Aiming : public ::testing::Test {
protected:
    void SetUp() override { m_Target.m_bScrollFollow = 1; }
    void TearDown() override { SystemData.m_bCompatSpeedReset = 0; }
    void Scroll(double sx, double sy) {
        m_Stage.State().m_ScrollX.m_dAutoSpeed = sx;
        m_Stage.State().m_ScrollY.m_dAutoSpeed = sy;
        m_Stage.State().m_ScrollX.m_bAtLimit = m_Stage.State().m_ScrollY.m_bAtLimit = 0;
    }

    StageHarness m_Stage{{"a"}};
    cStageChara m_Target;
};

TEST_F(Aiming, TheSolvedVelocityKeepsTheAskedSpeed) {
    // The view scrolls right by 1; aiming at (-10, -5) at speed 2.
    Scroll(1.0, 0.0);
    AimResult out;
    EXPECT_EQ(AimVelocity(out, &m_Target, 0.0, 0.0, -10.0, -5.0, 2.0, false, false, false), 0);
    EXPECT_NEAR(std::hypot(out.vx, out.vy), 2.0, 1e-12);
    // Relative to the scroll the object heads for the point.
    const double rx = out.vx - 1.0, ry = out.vy;
    EXPECT_NEAR(rx * -5.0 - ry * -10.0, 0.0, 1e-12);
    EXPECT_LT(rx, 0.0);
    EXPECT_EQ(out.direction, 1);

    // A few hundred seeded random cases.
    platform::srand(20);
    const auto uniform = [](double lo, double hi) { return lo + (hi - lo) * platform::rand() / 32767.0; };
    int solved = 0;
    for (int i = 0; i < 400; ++i) {
        Scroll(uniform(-1.5, 1.5), uniform(-1.5, 1.5));
        const double dx = uniform(-300, 300), dy = uniform(-300, 300), speed = uniform(0.5, 8.0);
        AimResult v;
        AimVelocity(v, &m_Target, 10.0, 20.0, 10.0 + dx, 20.0 + dy, speed, false, true, false);
        EXPECT_NEAR(std::hypot(v.vx, v.vy), speed, 1e-9 * speed) << i;
        const double sx = m_Stage.State().m_ScrollX.m_dAutoSpeed, sy = m_Stage.State().m_ScrollY.m_dAutoSpeed;
        if (std::hypot(sx, sy) < speed) {
            // Faster than the scroll: always solvable, and toward the point.
            EXPECT_NEAR((v.vx - sx) * dy - (v.vy - sy) * dx, 0.0, 1e-9 * std::hypot(dx, dy) * speed) << i;
            EXPECT_GT((v.vx - sx) * dx + (v.vy - sy) * dy, 0.0) << i;
            ++solved;
        }
    }
    EXPECT_GT(solved, 200);
}

TEST_F(Aiming, ScrollRules) {
    Scroll(0.5, -0.25);
    cStageChara loose;
    struct Case {
        const char* name;
        const cChara* target;
        bool scrollRule;
        int compat;
        double vx, vy;
    };
    // Aiming at (30, 40) from the origin at speed 5: (3, 4) before the scroll.
    const std::vector<Case> cases = {
        {"no target: nothing", nullptr, false, 0, 3.0, 4.0},
        {"target not carried: subtracted", &loose, true, 0, 2.5, 4.25},
        {"target not carried, rule off: subtracted", &loose, false, 0, 2.5, 4.25},
        {"target carried, rule on: nothing", &m_Target, true, 0, 3.0, 4.0},
        {"old projects: added", &loose, true, 1, 3.5, 3.75},
    };
    for (const Case& c : cases) {
        SystemData.m_bCompatSpeedReset = c.compat;
        AimResult out;
        AimVelocity(out, c.target, 0.0, 0.0, 30.0, 40.0, 5.0, c.scrollRule, false, false);
        EXPECT_DOUBLE_EQ(out.vx, c.vx) << c.name;
        EXPECT_DOUBLE_EQ(out.vy, c.vy) << c.name;
    }
    // At its limit an axis does not run.
    SystemData.m_bCompatSpeedReset = 0;
    m_Stage.State().m_ScrollX.m_bAtLimit = 1;
    AimResult out;
    AimVelocity(out, &loose, 0.0, 0.0, 30.0, 40.0, 5.0, false, false, false);
    EXPECT_DOUBLE_EQ(out.vx, 3.0);
    EXPECT_DOUBLE_EQ(out.vy, 4.25);
}

TEST_F(Aiming, FleeArrivalAndSinglePoint) {
    AimResult out;
    // A negative speed escapes at 45 degrees whatever the exact direction.
    EXPECT_EQ(AimVelocity(out, nullptr, 0.0, 0.0, 100.0, -1.0, -2.0, false, false, true), 0);
    EXPECT_DOUBLE_EQ(out.vx, -std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(out.vy, std::sqrt(2.0));
    EXPECT_EQ(out.direction, 1);
    // With noFlee it simply moves away.
    AimVelocity(out, nullptr, 0.0, 0.0, 30.0, 40.0, -5.0, false, true, false);
    EXPECT_DOUBLE_EQ(out.vx, -3.0);
    EXPECT_DOUBLE_EQ(out.vy, -4.0);
    // Onto itself: no velocity, and arrival.
    out.direction = 9;
    EXPECT_EQ(AimVelocity(out, nullptr, 7.0, 7.0, 7.0, 7.0, 3.0, false, false, true), 1);
    EXPECT_EQ(out.vx, 0.0);
    EXPECT_EQ(out.vy, 0.0);
    EXPECT_EQ(out.direction, 0);
    EXPECT_EQ(AimVelocity(out, nullptr, 7.0, 7.0, 7.0, 7.0, 0.0, false, false, true), 1) << "speed 0 on the point";
    EXPECT_EQ(AimVelocity(out, nullptr, 7.0, 7.0, 7.5, 7.0, 0.0, false, false, true), 0);
    EXPECT_EQ(AimVelocity(out, nullptr, 0.0, 0.0, 3.0, -3.0, 3.0, false, false, true), 1)
        << "within speed on both axes";
    EXPECT_EQ(AimVelocity(out, nullptr, 0.0, 0.0, 3.0, -3.0, 3.0, false, false, false), 0) << "no test asked";
}

TEST_F(Aiming, OneAxis) {
    AimResult out;
    EXPECT_EQ(AimX(out, nullptr, 10.0, 12.0, 3.0, false, true), 1);
    EXPECT_EQ(out.vx, 3.0);
    EXPECT_EQ(out.direction, 2);
    EXPECT_EQ(AimX(out, nullptr, 10.0, 13.0, 3.0, false, true), 0) << "strictly within";
    EXPECT_EQ(AimX(out, nullptr, 10.0, 10.0, 0.0, false, true), 0) << "speed 0 never arrives";
    EXPECT_EQ(out.direction, 1);
    EXPECT_EQ(AimY(out, nullptr, 10.0, 5.0, 2.0, false, false), 0);
    EXPECT_EQ(out.vy, -2.0);
    EXPECT_EQ(out.vx, 0.0);
    EXPECT_EQ(out.direction, 0) << "AimY never changes the facing";
    // Old projects add the running scroll for a carried target.
    Scroll(0.5, 0.0);
    SystemData.m_bCompatSpeedReset = 1;
    AimX(out, &m_Target, 10.0, 20.0, 3.0, false, false);
    EXPECT_EQ(out.vx, 3.5);
    AimX(out, &m_Target, 10.0, 20.0, 3.0, true, false);
    EXPECT_EQ(out.vx, 3.0);
}

}  // namespace
