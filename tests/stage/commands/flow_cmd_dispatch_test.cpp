#include "stage/core/flow_cmd_dispatch.h"

#include <gtest/gtest.h>

#include "gamedata/flows/cmd_kinds.h"
#include "stage/commands/movement_commands.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(FlowCmdDispatch, EveryKindReachesItsExecutor) {
    struct Row {
        int kind;
        FlowCmdExecutor executor;
    };
    const Row rows[] = {
        {FlowKind::StraightMove, CmdStraightMove},
        {FlowKind::GroundTurnMove, CmdGroundTurnMove},
        {FlowKind::CircleMove, CmdCircleMove},
        {FlowKind::ChargeMove, CmdChargeMove},
        {FlowKind::HomingMove, CmdHomingMove},
        {FlowKind::AvoidMove, CmdOffscreenAvoidMove},
        {FlowKind::CancelMove, CmdCancelMove},
        {FlowKind::ChangeDirection, CmdChangeDirection},
        {FlowKind::Jump, CmdJump},
        {FlowKind::Shot, CmdShot},
        {FlowKind::Sword, CmdSword},
    };
    for (const Row& r : rows) EXPECT_EQ(FlowCmdExecTable[static_cast<std::size_t>(r.kind)], r.executor) << r.kind;
    for (int kind : {FlowKind::None, FlowKind::Wait, FlowKind::Loop}) {
        EXPECT_NE(FlowCmdExecTable[static_cast<std::size_t>(kind)], nullptr) << kind;
    }

    // Through the dispatch: a shot command fires, a straight movement moves.
    StageHarness stage({"H.....a..."});
    cFlowCmd shot = CommandOfKind(FlowKind::Shot);
    StraightShots(shot, 2, 10);
    cCmdInst shotInst = InstanceOf(shot);
    ExecFlowCmd(stage.Chara('a'), shotInst);
    EXPECT_EQ(stage.State().m_lstShot.size(), 2u);
    cFlowCmd move = CommandOfKind(FlowKind::StraightMove);
    move.m_spMove->m_cDirection = 3;
    cCmdInst moveInst = InstanceOf(move);
    moveInst.m_dSpeed = 1.5;
    stage.Chara('a').m_dSpeedX = 0;
    ExecFlowCmd(stage.Chara('a'), moveInst);
    EXPECT_EQ(stage.Chara('a').m_dSpeedX, 1.5);
}

}  // namespace
