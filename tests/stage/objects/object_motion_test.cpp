#include <gtest/gtest.h>

#include <cmath>

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/item.h"
#include "stage/objects/shot.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(ObjectMotion, MoveStepLimitsTheSpeedPerSubStep) {
    StageHarness stage(std::vector<std::string>(10, std::string(10, '.')), {.hitCheckLevel = 12});  // 2 sub-steps
    const double limit = LoadedStage.m_dMaxSpeedStep;
    ASSERT_DOUBLE_EQ(limit, 30.0);
    cItem o;
    o.m_nWidth = o.m_nHeight = 32;
    o.m_dX = 500.0;
    o.m_dY = 400.0;
    o.m_dSpeedX = 45.0;
    o.m_dSpeedY = -31.0;
    EXPECT_EQ(o.MoveStepX(BoundMode::Grid), BoundCode::Inside);
    EXPECT_EQ(o.MoveStepY(BoundMode::Grid), BoundCode::Inside);
    EXPECT_DOUBLE_EQ(o.m_dSpeedX, 30.0);
    EXPECT_DOUBLE_EQ(o.m_dX, 530.0);
    EXPECT_DOUBLE_EQ(o.m_dY, 370.0);
    EXPECT_EQ(o.m_nColRight, (530 + 31) >> 5);
    o.m_dSpeedX = -20.0;
    o.m_dX = 330.0;
    EXPECT_EQ(o.MoveStepX(BoundMode::StageArea), BoundCode::Inside) << "pushed back: no report";
    EXPECT_DOUBLE_EQ(o.m_dX, 320.0);
}

TEST(ObjectMotion, AccelerationDecaysTowardZero) {
    cItem o;
    o.m_dAccelDecay = 0.25;
    const double cases[][3] = {
        // accel, flag, result
        {1.0, 1, 0.75}, {0.1, 1, 0.0}, {-1.0, 1, -0.75}, {-0.1, 1, 0.0}, {0.0, 1, 0.0}, {1.0, 0, 1.0},
    };
    for (const auto& c : cases) {
        double accel = c[0];
        o.DecayAccel(accel, static_cast<int>(c[1]));
        EXPECT_DOUBLE_EQ(accel, c[2]) << c[0] << " flag " << c[1];
    }
}

TEST(ObjectMotion, GravityOnlyForWalkers) {
    StageHarness stage({"H."}, {.hitCheckLevel = 11});
    cItem o;
    o.SetMoveKind(0);
    o.ApplyGravity();
    EXPECT_DOUBLE_EQ(o.m_dSpeedY, 0.4);
    o.SetMoveKind(2);
    o.ApplyGravity();
    EXPECT_DOUBLE_EQ(o.m_dSpeedY, 0.4);
    EXPECT_EQ(o.DirSign(), -1);
}

struct ScreenCase {
    const char* what;
    int fly;
    int follow;
    double autoSpeed;
    int wantLeft;
    int wantTop;
};

TEST(ObjectMotion, ScreenRectangleRoundsByMoveKindAndAutoScroll) {
    StageHarness stage(std::vector<std::string>(30, std::string(40, '.')));
    cScrollAxis& x = stage.State().m_ScrollX;
    cScrollAxis& y = stage.State().m_ScrollY;
    // x 501.3 against the scroll 400.6: the whole-pixel scroll gives 97,
    // the exact difference 100.7 gives 96.
    const ScreenCase cases[] = {
        {"walking", 0, 0, 0.0, 97, 44},
        {"flying, no auto-scroll", 1, 0, 0.0, 97, 44},
        {"flying with auto-scroll, following", 1, 1, 0.5, 96, 45},
        {"flying with auto-scroll, not following", 1, 0, 0.5, 97, 45},
    };
    for (const ScreenCase& c : cases) {
        x.m_dPos = 400.6;
        y.m_dPos = 320.0;
        x.m_dAutoSpeed = y.m_dAutoSpeed = c.autoSpeed;
        x.m_bAtLimit = y.m_bAtLimit = 0;
        cItem o;
        o.m_rcGraphic = {4, 6, 40, 44};
        o.m_bFly = c.fly;
        o.m_bScrollFollow = c.follow;
        o.m_dX = 501.3;
        o.m_dY = 370.0;
        o.UpdateScreenRect();
        EXPECT_EQ(o.m_rcScreen.left, c.wantLeft) << c.what;
        EXPECT_EQ(o.m_rcScreen.right, c.wantLeft + 39) << c.what;
        EXPECT_EQ(o.m_rcScreen.top, c.wantTop) << c.what;
        EXPECT_EQ(o.m_rcScreen.bottom, c.wantTop + 43) << c.what;
    }
}

TEST(ObjectMotion, WaveRoutinesTurnOncePerPeriod) {
    StageHarness stage({"H."}, {.hitCheckLevel = 12});  // 2 sub-steps
    double phase = 0.0;
    // A period of 1 degree per frame: velocity peak amplitude x k / n.
    const double k = 3.141592653589793 / 180.0;
    EXPECT_DOUBLE_EQ(WaveVelocity(10.0, 1.0, phase, 1.0, 0.0), 10.0 * k / 2.0);
    EXPECT_DOUBLE_EQ(phase, 1.0);
    phase = 719.5;
    WaveAccel(10.0, 1.0, phase, 1.0, 0.0);
    EXPECT_DOUBLE_EQ(phase, 0.5) << "wraps at 360 frames of 2 sub-steps";
    phase = 180.0;  // 90 frames: the sine's peak
    EXPECT_NEAR(WaveAccel(10.0, 1.0, phase, 0.0, 0.0), -10.0 * k * k / 4.0, 1e-15);
    EXPECT_DOUBLE_EQ(StepFromPerSecond(120.0), 1.0);
}

struct AxisCase {
    const char* what;
    double pos;
    double wantPos;
    int wantAtLimit;
};

TEST(ScrollAxis, ClampAndLimits) {
    StageHarness stage(std::vector<std::string>(15, std::string(40, '.')));
    cScrollAxis& x = stage.State().m_ScrollX;
    EXPECT_EQ(x.m_nPitch, 64);
    EXPECT_EQ(x.m_nGridCells, 60);
    EXPECT_EQ(x.m_nOuterMax, 50 * 32);
    x.SetInnerLimits(2, 29, 1, 1);
    EXPECT_EQ(x.m_nMin, 320 + 64);
    EXPECT_EQ(x.m_nMax, 320 + 30 * 32);
    const AxisCase cases[] = {
        {"before the first block", 300.0, 384.0, 1},
        {"at the first block", 384.0, 384.0, 1},
        {"inside", 500.0, 500.0, 0},
        {"view ends one before the last", 639.0, 639.0, 0},
        {"view reaches the last", 640.0, 640.0, 1},
        {"beyond", 900.0, 640.0, 1},
    };
    for (const AxisCase& c : cases) {
        x.m_dPos = c.pos;
        x.Clamp();
        EXPECT_DOUBLE_EQ(x.m_dPos, c.wantPos) << c.what;
        EXPECT_EQ(x.m_bAtLimit, c.wantAtLimit) << c.what;
    }
    x.SetInnerLimits(5, 6, 1, 1);
    x.m_dPos = 700.0;
    x.Clamp();
    EXPECT_DOUBLE_EQ(x.m_dPos, x.m_nMin) << "a range narrower than the view stays at its start";
    x.SetInnerLimits(10, 2, 1, 1);
    EXPECT_EQ(x.m_nMax, x.m_nMin) << "last before first";
    x.SetInnerLimits(0, 0, 0, 0);
    x.SetAutoScroll(1, 15);
    EXPECT_DOUBLE_EQ(x.m_dAutoSpeed, 1.5 / LoadedStage.m_dSubSteps);
    x.m_dPos = 400.0;
    x.Advance();
    EXPECT_DOUBLE_EQ(x.m_dPos, 400.0 + 0.15);
    x.SetAutoScroll(0, 15);
    EXPECT_EQ(x.m_bAutoScroll, 0);
    EXPECT_EQ(x.m_dAutoSpeed, 0.0);
}

}  // namespace

namespace {

TEST(ShotBox, HitRectangleFollowsTheBoxAndTheScale) {
    StageHarness stage(std::vector<std::string>(10, std::string(10, '.')));
    cShot shot;
    shot.m_nWidth = shot.m_nBaseWidth = 16;
    shot.m_nHeight = shot.m_nBaseHeight = 16;
    shot.m_rcShotBoxBase = {2, 3, 12, 10};
    shot.m_rcShotBox = shot.m_rcShotBoxBase;
    shot.m_dX = 500.7;
    shot.m_dY = 400.2;
    shot.ClampX(BoundMode::Grid);
    shot.ClampY(BoundMode::Grid);
    EXPECT_DOUBLE_EQ(shot.m_rcHit.left, 502.0);
    EXPECT_DOUBLE_EQ(shot.m_rcHit.right, 513.0);
    EXPECT_DOUBLE_EQ(shot.m_rcHit.top, 403.0);
    EXPECT_DOUBLE_EQ(shot.m_rcHit.bottom, 412.0);
    shot.SetScale(2, 1, 0);
    EXPECT_EQ(shot.m_rcShotBox.w, 24);
    EXPECT_DOUBLE_EQ(shot.m_dX, 500.7 - 8) << "the centre stays";
    EXPECT_DOUBLE_EQ(shot.m_dY, 400.2 - 8);
    EXPECT_DOUBLE_EQ(shot.m_rcHit.left, 492.0 + 4);
}

}  // namespace
