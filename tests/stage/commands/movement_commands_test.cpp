#include "stage/commands/movement_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/commands/move_velocity.h"
#include "stage/flow/flow_prep.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

// A flying character 'a' in an open sky with the hero level to its left.
const std::vector<std::string> kSky = {
    "..............................", "..............................", "..............................",
    "..............................", "..............................", "......H.............a.........",
    "..............................", "..............................", "..............................",
    "..............................",
};

// The same sky with a floor under the characters, for a walker.
std::vector<std::string> WithFloor() {
    std::vector<std::string> rows = kSky;
    rows[6] = std::string(rows[6].size(), '#');
    return rows;
}

StageOptions Flying(int level) {
    StageOptions o;
    o.hitCheckLevel = level;
    o.gravity = 0.0;
    cCharaDef def;
    def.m_cFlying = 1;
    def.m_bFixedDirection = 0;
    o.charas['a'] = def;
    return o;
}

struct Path {
    double dx, dy;    // where the character ends, relative to its start
    double farthest;  // farthest distance from the start on the way
};

// Runs `cmd` for `frames` frames of n sub-steps, with the speed rebuilt
// every sub-step as the flow host does, and the character moved.
Path RunFor(StageHarness& stage, cCmdInst& inst, int frames, int (*exec)(cChara&, cCmdInst&)) {
    cStageChara& c = stage.Chara('a');
    const double x0 = c.m_dX, y0 = c.m_dY;
    Path path{0, 0, 0};
    for (int i = 0; i < frames * LoadedStage.m_nSubSteps; ++i) {
        // A walker keeps the vertical speed gravity built.
        c.m_dSpeedX = 0;
        if (c.m_bFly) c.m_dSpeedY = 0;
        c.UpdateScreenRect();
        stage.Hero().UpdateScreenRect();
        exec(c, inst);
        stage.MoveOneSubStep();
        path.farthest = std::max(path.farthest, std::hypot(c.m_dX - x0, c.m_dY - y0));
    }
    path.dx = c.m_dX - x0;
    path.dy = c.m_dY - y0;
    return path;
}

struct MoveCase {
    const char* what;
    int kind;
    std::function<void(cEdMove&, cCmdInst&)> set;
    int frames;
    Path expected;
    double tolerance;
    bool walks = false;       // a walker on a floor, under gravity
    bool endsItself = false;  // the command lowers its countdown to 0
};

// Speeds in tenths of a pixel per frame become pixels per sub-step.
double PerSubStep(int tenths) { return tenths * 0.1 / LoadedStage.m_dSubSteps; }

TEST(MovementCommands, PathsOverTheirTimeAtTwoHitCheckLevels) {
    const auto atHero = [](cEdMove& m, cCmdInst& i) {
        m.m_bMirrorX = 0;
        i.m_dSpeed = PerSubStep(30);
    };
    const std::vector<MoveCase> cases = {
        {"straight left by direction",
         FlowKind::StraightMove,
         [](cEdMove& m, cCmdInst& i) {
             m.m_cDirection = 2;
             i.m_dSpeed = PerSubStep(20);
         },
         30,
         {-60, 0, 60},
         1e-6},
        {"straight at angle 90 from left: up",
         FlowKind::StraightMove,
         [](cEdMove& m, cCmdInst& i) {
             m.m_cDirection = 2;
             m.m_sAngle = 90;
             i.m_dSpeed = PerSubStep(20);
         },
         30,
         {0, -60, 60},
         1e-6},
        {"straight diagonal up-right",
         FlowKind::StraightMove,
         [](cEdMove& m, cCmdInst& i) {
             m.m_cDirection = 10;
             i.m_dSpeed = PerSubStep(20);
         },
         30,
         {60 / std::sqrt(2.0), -60 / std::sqrt(2.0), 60},
         1e-6},
        {"straight to a relative point, arriving in time",
         FlowKind::StraightMove,
         [](cEdMove& m, cCmdInst& i) {
             m.m_cMode = 1;
             m.m_cCoord = 1;
             m.m_cUnit = 1;
             m.m_bMirrorX = 0;
             m.m_sTargetDotX = 30;
             m.m_sTargetDotY = 40;
             i.m_dSpeed = PerSubStep(50);
         },
         10,
         {30, 40, 50},
         1e-6},
        {"charge at the hero", FlowKind::ChargeMove, atHero, 20, {-60, 0, 60}, 1e-6},
        {"homing on the hero", FlowKind::HomingMove, atHero, 20, {-60, 0, 60}, 1e-6},
        {"a full circle of radius 2 hbl",
         FlowKind::CircleMove,
         [](cEdMove& m, cCmdInst& i) {
             m.m_cDirection = 0;
             i.m_nPrepared[0] = 32 * LoadedStage.m_nSubSteps;
             i.m_dSpeed = 6.0 / LoadedStage.m_dSubSteps;  // 6 degrees a frame
         },
         60,
         {0, 0, 64},
         1.5},
        // A walker resting on a floor keeps a fraction of a pixel below its
        // start, hence the tolerance of a pixel.
        {"a fixed jump of 3 hbl, up and back onto the floor",
         FlowKind::Jump,
         [](cEdMove&, cCmdInst& i) { i.m_lpCmd->m_vParam[2] = 3; },
         60,
         {0, 0, 48},
         1.0,
         true,
         true},
    };
    const auto executor = [](int kind) -> int (*)(cChara&, cCmdInst&) {
        switch (kind) {
            case FlowKind::StraightMove: return CmdStraightMove;
            case FlowKind::ChargeMove: return CmdChargeMove;
            case FlowKind::HomingMove: return CmdHomingMove;
            case FlowKind::Jump: return CmdJump;
            default: return CmdCircleMove;
        }
    };
    for (int level : {11, 4}) {
        for (const MoveCase& c : cases) {
            StageOptions options = Flying(level);
            if (c.walks) {
                options.charas['a'].m_cFlying = 0;
                options.gravity = 0.5;
            }
            StageHarness stage(c.walks ? WithFloor() : kSky, options);
            cFlowCmd cmd = CommandOfKind(c.kind);
            cCmdInst inst = InstanceOf(cmd);
            c.set(*cmd.m_spMove, inst);
            // The jump takes its speed from the instance preparation.
            if (c.kind == FlowKind::Jump) PrepareCmdInst(inst, stage.Chara('a'));
            inst.m_nCount = c.frames * 6 * LoadedStage.m_nSubSteps;
            const Path p = RunFor(stage, inst, c.frames, executor(c.kind));
            if (c.endsItself) { EXPECT_EQ(inst.m_nCount, 0) << c.what << " at level " << level; }
            EXPECT_NEAR(p.dx, c.expected.dx, c.tolerance) << c.what << " at level " << level;
            EXPECT_NEAR(p.dy, c.expected.dy, c.tolerance) << c.what << " at level " << level;
            EXPECT_NEAR(p.farthest, c.expected.farthest, c.tolerance) << c.what << " at level " << level;
        }
    }
}

TEST(MovementCommands, AWalkerMovesOnlyAlongTheGroundAndAZeroRadiusCircleStays) {
    StageOptions o = Flying(11);
    o.charas['a'].m_cFlying = 0;
    StageHarness stage(kSky, o);
    cStageChara& c = stage.Chara('a');
    struct Case {
        int direction;
        double vx;
    };
    for (const Case& k : {Case{9, -10 / std::sqrt(2.0)}, Case{6, 0.0}, Case{3, 10.0}}) {
        cFlowCmd cmd = CommandOfKind(FlowKind::StraightMove);
        cmd.m_spMove->m_cDirection = static_cast<std::int8_t>(k.direction);
        cCmdInst inst = InstanceOf(cmd);
        inst.m_dSpeed = 10.0;
        c.m_dSpeedX = c.m_dSpeedY = 0;
        CmdStraightMove(c, inst);
        EXPECT_NEAR(c.m_dSpeedX, k.vx, 1e-9) << k.direction;
        EXPECT_EQ(c.m_dSpeedY, 0.0) << k.direction;
    }
    cFlowCmd circle = CommandOfKind(FlowKind::CircleMove);
    cCmdInst inst = InstanceOf(circle);
    inst.m_dSpeed = 5.0;
    c.m_dSpeedX = 0;
    CmdCircleMove(c, inst);
    EXPECT_EQ(c.m_dSpeedX, 0.0);
}

TEST(MovementCommands, DirectionChangeFacesTargetsAndPlaysItsSoundOncePerTenth) {
    StageOptions o = Flying(2);
    o.charas['a'].m_bFixedDirection = 1;
    StageHarness stage(kSky, o);
    cStageChara& c = stage.Chara('a');
    c.UpdateScreenRect();
    stage.Hero().UpdateScreenRect();
    cFlowCmd cmd = CommandOfKind(FlowKind::ChangeDirection);
    cmd.m_sSound = 3;
    cCmdInst inst = InstanceOf(cmd);
    struct Case {
        int choice, from, facing;
    };
    for (const Case& k : {Case{0, 1, 0}, Case{1, 0, 1}, Case{2, 1, 0}, Case{3, 0, 1}, Case{10, 1, 0}, Case{11, 1, 1}}) {
        cmd.m_vParam[0] = k.choice;
        inst.m_nWork = {};
        c.m_nDirection = k.from;
        c.m_nWallSide = 0;
        CmdChangeDirection(c, inst);
        EXPECT_EQ(c.m_nDirection, k.facing) << "choice " << k.choice;
    }
    // Facing an empty slot waits without replaying its sound every sub-step.
    const std::size_t before = stage.Sounds().size();
    cmd.m_vParam[0] = 4;  // target 2, empty
    inst.m_nWork = {};
    for (int i = 0; i < 30; ++i) CmdChangeDirection(c, inst);
    EXPECT_EQ(stage.Sounds().size(), before + 1);
    // Not fixed: nothing at all.
    c.m_Def.m_bFixedDirection = 0;
    cmd.m_vParam[0] = 1;
    c.m_nDirection = 0;
    inst.m_nWork = {};
    CmdChangeDirection(c, inst);
    EXPECT_EQ(c.m_nDirection, 0);
}

TEST(MovementCommands, CancelStopsEveryMotion) {
    StageHarness stage(kSky, Flying(11));
    cStageChara& c = stage.Chara('a');
    c.m_dSpeedX = c.m_dAccelY = c.m_dImpactX = 3.0;
    c.m_bPinScreenX = 1;
    cFlowCmd cmd = CommandOfKind(FlowKind::CancelMove);
    cCmdInst inst = InstanceOf(cmd);
    CmdCancelMove(c, inst);
    EXPECT_EQ(c.m_dSpeedX, 0.0);
    EXPECT_EQ(c.m_dAccelY, 0.0);
    EXPECT_EQ(c.m_dImpactX, 0.0);
    EXPECT_EQ(c.m_bNoGravity, 1);
    EXPECT_EQ(c.m_bPinScreenX, 0);
}

}  // namespace
