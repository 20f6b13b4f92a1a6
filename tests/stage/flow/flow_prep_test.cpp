#include "stage/flow/flow_prep.h"

#include <gtest/gtest.h>

#include <climits>

#include "gamedata/database/database.h"
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

namespace {

TEST(FlowPrep, SwordSwingsAreScheduledSoTheirHitFrameMeetsTheirCommand) {
    StageOptions options;
    options.hitCheckLevel = 1;
    StageHarness stage({"...a..", "######"}, options);
    // Animation 1: two frames of a tenth, then the hit frame: a 12-frame lead-in.
    cAnime swing;
    swing.m_vFrames.clear();
    for (int lock : {0, 0, 1, 0}) {
        cAnimeFrame frame;
        frame.m_nLock = lock;
        swing.m_vFrames.push_back(frame);
    }
    Database.Anime.assign(2, swing);
    struct Case {
        int waitBefore;  // tenths of the waiting command before the swing
        int start, skip, leadIn;
    };
    const Case cases[] = {
        {3, 6, 0, 12},  // room enough: the lead-in starts 12 steps early
        {1, 0, 6, 6},   // 6 steps of room: the first 6 frames are skipped
    };
    for (const Case& c : cases) {
        cStageChara& a = stage.Chara('a');
        cFlow flow = MakeFlow(26, {{"wait", FlowKind::Wait, c.waitBefore}, {"swing", FlowKind::Sword, 2}});
        flow.m_vCmd[1].m_sAnime = 1;
        a.m_Def.m_vFlow = cVector<cFlow>{flow};
        a.AddFlows(a.m_Def.m_vFlow, 0, -1);
        const cFlowInst& inst = a.m_vecFlowInst[0];
        ASSERT_EQ(inst.m_vecAnimSched.Count(), 1);
        const AnimSchedule& rec = inst.m_vecAnimSched[0];
        EXPECT_EQ(rec.nStart, c.start);
        EXPECT_EQ(rec.sSkip, c.skip);
        EXPECT_EQ(rec.sLeadIn, c.leadIn);
        EXPECT_EQ(rec.sDuration, 12);
        EXPECT_EQ(rec.bLoop, 0) << "a sword swing does not loop";

        StageState().m_lpCurChara = &a;
        a.m_vecFlowInst[0].Start();
        StageState().m_lpCurChara = nullptr;
        a.m_listAnimLayer.clear();
        for (int step = 0; step <= c.start; ++step) a.StepCharaFlows(0);
        ASSERT_EQ(a.m_listAnimLayer.size(), 1u) << "started at step " << c.start;
        EXPECT_EQ(a.m_listAnimLayer.front().m_nSerial, inst.m_nSerial);
        EXPECT_EQ(a.m_listAnimLayer.front().m_nRemain, c.leadIn);
    }
    Database.Anime.clear();
}

}  // namespace
