#include "stage/flow/flow_prep.h"

#include <gtest/gtest.h>

#include <climits>

#include "gamedata/flows/cmd_kinds.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

struct PrepCase {
    const char* what;
    int kind;
    int time, timeMode, speed, distance, distanceUnit;
    int clone, timeStep;
    int wantTime;
    double wantSpeed;
};

TEST(FlowPrep, MovementTimesAndSpeedsAreDefinedForEveryInput) {
    StageOptions options;
    options.hitCheckLevel = 1;
    StageHarness stage({"...a..", "######"}, options);
    const PrepCase cases[] = {
        {"time and distance", FlowKind::StraightMove, 1, 1, 10, 3, 0, 0, 0, 6, 8.0},
        {"time 0 covers the distance in its one step", FlowKind::StraightMove, 0, 1, 10, 3, 0, 0, 0, 0, 48.0},
        {"speed and distance", FlowKind::ChargeMove, 0, 2, 20, 48, 1, 0, 0, 24, 2.0},
        {"speed 0 takes no time", FlowKind::AvoidMove, 0, 2, 0, 48, 1, 0, 0, 0, 0.0},
        {"a negative distance takes a positive time", FlowKind::StraightMove, 0, 2, 20, -48, 1, 0, 0, 24, 2.0},
        {"time and speed: nothing computed", FlowKind::StraightMove, 2, 0, 15, 99, 1, 0, 0, 12, 1.5},
        {"per-clone time beyond the int range saturates", FlowKind::Wait, 32767, 0, 10, 0, 0, 32767, 32767, INT_MAX,
         1.0},
        {"circle: span over time", FlowKind::CircleMove, 1, 0, 10, 90, 0, 0, 0, 6, 15.0},
        {"circle at speed 0 takes no time", FlowKind::CircleMove, 1, 1, 0, 90, 0, 0, 0, 0, 0.0},
    };
    for (const PrepCase& c : cases) {
        SCOPED_TRACE(c.what);
        cStageChara& a = stage.Chara('a');
        a.m_nClone = static_cast<std::int16_t>(c.clone);
        cFlowCmd cmd = MakeCmd({"m", c.kind, c.time});
        cmd.m_sTimeStep = static_cast<std::int16_t>(c.timeStep);
        cmd.m_spMove = std::make_shared<cEdMove>();
        cmd.m_spMove->m_cTimeMode = static_cast<std::int8_t>(c.timeMode);
        cmd.m_spMove->m_sSpeed = static_cast<std::int16_t>(c.speed);
        cmd.m_spMove->m_sDistance = static_cast<std::int16_t>(c.distance);
        cmd.m_spMove->m_cDistanceUnit = static_cast<std::int8_t>(c.distanceUnit);
        cFlow flow;
        flow.m_vCmd.push_back(cmd);
        a.m_Def.m_vFlow = cVector<cFlow>{flow};
        a.AddFlows(a.m_Def.m_vFlow, 0, -1);
        const cCmdInst& inst = a.m_vecFlowInst[0].m_vecCmdInst[0];
        EXPECT_EQ(inst.m_nTime, c.wantTime);
        EXPECT_DOUBLE_EQ(inst.m_dSpeed, c.wantSpeed);
    }
}

TEST(FlowPrep, ACircleOfACharacterFacingRightIsMirrored) {
    StageOptions options;
    options.hitCheckLevel = 2;
    cCharaDef def;
    def.m_cDirection = 1;
    options.charas['a'] = def;
    StageHarness stage({"...a..", "######"}, options);
    cStageChara& a = stage.Chara('a');
    cFlowCmd cmd = MakeCmd({"c", FlowKind::CircleMove, 1});
    cmd.m_spMove = std::make_shared<cEdMove>();
    cmd.m_spMove->m_cDirection = 0;
    cmd.m_spMove->m_sAngle = 10;
    cmd.m_spMove->m_sDistance = 100;
    cmd.m_spMove->m_sHoming = 50;  // the radius, limited to 20 half blocks
    cFlow flow;
    flow.m_vCmd.push_back(cmd);
    a.m_Def.m_vFlow = cVector<cFlow>{flow};
    a.AddFlows(a.m_Def.m_vFlow, 0, -1);
    const cCmdInst& inst = a.m_vecFlowInst[0].m_vecCmdInst[0];
    EXPECT_EQ(inst.m_cMoveDir, 1);
    EXPECT_EQ(inst.m_nPrepared[0], 20 * 16 * 2);
    EXPECT_EQ(inst.m_nPrepared[1], 190 * 2);
    EXPECT_EQ(inst.m_nPrepared[2], 280 * 2);
}

}  // namespace
