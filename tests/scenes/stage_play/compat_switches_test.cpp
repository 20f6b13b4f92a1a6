// Each compatibility switch of the project changes play: a tiny stage is
// run with the switch off and on, and the value it keeps differs as the
// switch says. Old replays keep their own rule for distance conditions.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "foundation/data_record.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "scenes/stage_play/sub_step_start.h"
#include "shell/game.h"
#include "shell/key_state.h"
#include "stage/code/code_command.h"
#include "stage/commands/movement_commands.h"
#include "stage/commands/stage_commands.h"
#include "stage/flow/flow_prep.h"
#include "stage/movement/impacts.h"
#include "stage/movement/jump_command.h"
#include "stage/objects/block_map.h"
#include "stage/objects/stage_spawning.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/flow_builder.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kFloor = {"..........", "..........", "...a......", "##########"};

StageOptions Flier() {
    StageOptions o;
    o.gravity = 0.0;
    o.charas['a'].m_cFlying = 1;
    return o;
}

// The impact share of the previous hit is kept for the next one.
double ImpactKeepsPrevious() {
    StageHarness stage({"a"});
    double x = 0.0, y = 0.0, previous = 2.0;
    ImpactSpeeds(x, y, 4, 1.0, 0.0, previous);
    return previous;
}

// A walker in the air whose speed lags far behind the previous impact.
double LaggingSpeedAfterImpact() {
    StageHarness stage({"a", "."});
    cStageChara& a = stage.Chara('a');
    a.m_lpGroundBlock = nullptr;
    a.m_dPrevImpactY = 5.0;
    a.m_dSpeedY = 0.0;
    a.m_dImpactY = 3.0;
    a.ApplyImpactY();
    return a.m_dSpeedY;
}

double ImpactAfterCeiling() {
    StageHarness stage(kFloor);
    cStageChara& a = stage.Chara('a');
    a.m_dImpactY = 3.0;
    a.HitCeiling();
    return a.m_dImpactY;
}

// The jump command on a walker with air steps counted but no jump running.
double JumpSpeedWithAirSteps() {
    StageHarness stage(kFloor);
    cStageChara& a = stage.Chara('a');
    cFlowCmd record;
    cCmdInst cmd = InstanceOf(record);
    cmd.m_dSpeed = -6.0;
    a.m_bAirLock = a.m_bCeiling = a.m_bImpact = a.m_bJumping = 0;
    a.m_nAirSteps = 2;
    a.m_dSpeedY = 0.0;
    a.Jump(&cmd);
    return a.m_dSpeedY;
}

// A jump command whose jump is done, back on the ground: it ends at once,
// or in old projects only by its time.
double JumpCountOnLanding() {
    StageHarness stage({"a", "#"});
    cStageChara& a = stage.Chara('a');
    cFlowCmd record;
    cCmdInst cmd = InstanceOf(record);
    cmd.m_dSpeed = -6.0;
    cmd.m_nCount = 50;
    cmd.m_nWork[JumpWork::Jumped] = 1;
    a.m_lpGroundBlock = &stage.Cell(0, 1);
    a.m_bAirLock = a.m_bCeiling = a.m_bImpact = a.m_bJumping = 0;
    a.m_nAirSteps = 0;
    a.Jump(&cmd);
    return cmd.m_nCount;
}

// Four half blocks to the left at 2 pixels a step.
double StepsOfANegativeDistance() {
    StageHarness stage(kFloor);
    cFlowCmd cmd = CommandOfKind(FlowKind::StraightMove);
    cmd.m_spMove->m_cTimeMode = 2;  // by speed and distance
    cmd.m_spMove->m_sDistance = -4;
    cmd.m_spMove->m_cDistanceUnit = 0;
    cCmdInst inst = InstanceOf(cmd);
    inst.m_dSpeed = 2.0;
    CalcMoveTime(inst, 0);
    return inst.m_nTime;
}

// Three placed copies, each 32 pixels on from the one before: how far the
// last one's saved position lies from the first one's.
double SavedPositionOfAClone() {
    StageHarness stage(kFloor);
    cCharaDef def;
    def.m_cCloneCount = 2;
    def.m_sOffsetXStep = 32;
    cList<cStageChara> list;
    int id = 100;
    SpawnPlacedChara(list, 4, 2, id, def, nullptr);
    return list.back().m_dSavedX - list.front().m_dSavedX;
}

double SpeedOfALockedStraightMove() {
    StageHarness stage(kFloor);
    cStageChara& a = stage.Chara('a');
    cFlowCmd cmd = CommandOfKind(FlowKind::StraightMove);
    cmd.m_spMove->m_cDirection = 3;
    cmd.m_spMove->m_bLockX = 1;
    cCmdInst inst = InstanceOf(cmd);
    inst.m_dSpeed = 10.0;
    a.m_dSpeedX = 0.0;
    CmdStraightMove(a, inst);
    return a.m_dSpeedX;
}

// A move to a point by a character of fixed facing that turned around on
// the way: the sign of its speed afterwards.
double TurnedMoveToAPoint() {
    StageHarness stage({"..........", "....a.....", "..........", "##########"}, Flier());
    cStageChara& a = stage.Chara('a');
    a.m_Def.m_bFixedDirection = 1;
    cFlowCmd cmd = CommandOfKind(FlowKind::StraightMove);
    cEdMove& m = *cmd.m_spMove;
    m.m_cMode = 1;
    m.m_cCoord = 1;
    m.m_cUnit = 1;
    m.m_bMirrorX = 0;
    m.m_sTargetDotX = 64;
    m.m_bTurnReverse = 1;
    cCmdInst inst = InstanceOf(cmd);
    inst.m_dSpeed = 2.0;
    a.UpdateScreenRect();
    CmdStraightMove(a, inst);
    a.m_nDirection = a.m_nDirection ? 0 : 1;
    CmdStraightMove(a, inst);
    return a.m_dSpeedX > 0 ? 1 : -1;
}

// A charge at the hero on the left, turned by 45 degrees: the sign of the
// speed.
double ChargeTurnedBy45() {
    StageHarness stage({"H.......a.", "##########"});
    cStageChara& a = stage.Chara('a');
    a.m_vecTarget[0] = &stage.Hero();
    cFlowCmd cmd = CommandOfKind(FlowKind::ChargeMove);
    cmd.m_spMove->m_sAngle = 45;
    cCmdInst inst = InstanceOf(cmd);
    inst.m_dSpeed = 2.0;
    a.UpdateScreenRect();
    stage.Hero().UpdateScreenRect();
    a.m_dSpeedX = 0.0;
    CmdChargeMove(a, inst);
    return a.m_dSpeedX > 0 ? 1 : -1;
}

// A walker moving backwards over the edge of its floor: the way it faces.
double FacingAtAnEdgeBackwards() {
    StageHarness stage({"..........", "...a......", "####......"});
    cStageChara& a = stage.Chara('a');
    a.m_dX += 16.0;
    a.AfterMoveX();
    a.m_Def.m_bFixedDirection = 0;
    a.m_dImpactX = a.m_dImpactY = 0.0;
    cFlowCmd cmd = CommandOfKind(FlowKind::GroundTurnMove);
    cCmdInst inst = InstanceOf(cmd);
    inst.m_dSpeed = -2.0;
    CmdGroundTurnMove(a, inst);
    return a.m_nDirection;
}

cFlowCmd WarpCommand(int mode, int direction, int distance) {
    cFlowCmd cmd = CommandOfKind(FlowKind::Warp);
    cEdMove& m = *cmd.m_spMove;
    m.m_cMode = static_cast<std::int8_t>(mode);
    m.m_cDirection = static_cast<std::int8_t>(direction);
    m.m_sDistance = static_cast<std::int16_t>(distance);
    return cmd;
}

// A walker whose flow started with up and right held, warped two half
// blocks along that input: how far it rose.
double RiseOfAWarpAlongADiagonalInput() {
    StageHarness stage({"..........", "..........", "..........", "...a......", "##########"});
    cStageChara& a = stage.Chara('a');
    const double y0 = a.m_dY;
    cFlowInst flow;
    flow.m_nStartDir = 7;  // up and right
    stage.State().m_lpCurFlow = &flow;
    cFlowCmd cmd = WarpCommand(0, 12, 2);  // along the input direction
    cCmdInst inst = InstanceOf(cmd);
    CmdWarp(a, inst);
    stage.State().m_lpCurFlow = nullptr;
    return y0 - a.m_dY;
}

// A warp to screen pixel (100, 50), by the character's bottom when `bottom`.
double WarpToScreen(bool x, bool bottom) {
    StageHarness stage({"..........", "..........", "...a......", "..........", "##########"});
    cStageChara& a = stage.Chara('a');
    cFlowCmd cmd = WarpCommand(5, 0, 0);
    cEdMove& m = *cmd.m_spMove;
    m.m_cCoord = 2;
    m.m_cUnit = 1;
    m.m_sTargetX = 100;
    m.m_sTargetY = 50;
    m.m_bUseX = m.m_bUseY = 1;
    m.m_cPoint = bottom ? 1 : 0;
    cCmdInst inst = InstanceOf(cmd);
    CmdWarp(a, inst);
    return x ? a.m_dX - stage.State().m_ScrollX.m_dPos : a.m_dY - stage.State().m_ScrollY.m_dPos;
}

// "my.y_scr = 100" on a walker two blocks tall: where its top ends.
double TopAfterCodeY() {
    StageHarness stage({"..........", "..........", "...a......", "..........", "##########"});
    cStageChara& a = stage.Chara('a');
    a.m_nHeight = 64;
    cFlowCmd cmd = CommandOfKind(FlowKind::ExecCode);
    cmd.m_strText = "my.y_scr = 100";
    cCmdInst inst = InstanceOf(cmd);
    CmdExecCode(a, inst);
    return a.m_dY - stage.State().m_ScrollY.m_dPos;
}

// Whether a character sees the hero beside it when the hero was moved next
// to it since its rectangle was last drawn.
double SeesAHeroThatMovedClose() {
    StageHarness stage({"H.......a.", "##########"});
    cStageChara& a = stage.Chara('a');
    cPlayer& hero = stage.Hero();
    a.UpdateScreenRect();
    hero.UpdateScreenRect();
    hero.m_dX = a.m_dX - 40.0;
    hero.AfterMoveX();
    cCond cond;
    cond.m_cOwner = 0;
    cond.m_cDirection = 0;
    cond.m_nValue = 1;
    cond.m_cOp = 0;
    return a.TestTargetDistance(cond) ? 1 : 0;
}

// A block placed over a flier that passes blocks: whether it holds it.
double BlockHoldsAFlier() {
    StageHarness stage({"..........", "...a......", "##########"}, Flier());
    cStageChara& a = stage.Chara('a');
    a.m_cFlyKind = 0;
    a.m_bExists = 1;  // as the presence update of play leaves it
    int solid = -1;
    for (int i = 0; i < StageBlockDefs.Count() && solid < 0; ++i) {
        if (IsSolidFor(StageBlockDefs[i], a.m_nBlockGroup)) solid = i;
    }
    EXPECT_GE(solid, 0);
    BlockPlacement placement;
    placement.bNotOverCharas = 1;
    return BlockHitsCharacters(solid, static_cast<int>(a.m_dX) / 32, static_cast<int>(a.m_dY) / 32, placement);
}

// A flow that ends: whether it still remembers its key condition was met.
double KeyMetAfterTheFlowEnds() {
    StageHarness stage(kFloor);
    cStageChara& a = stage.Chara('a');
    cFlow flow = MakeFlow(26, {{"k", 1, 0}});
    cFlowInst inst;
    inst.m_lpFlow = &flow;
    inst.m_bRunning = 1;
    inst.m_bKeyWasMet = 1;
    inst.End(a);
    return inst.m_bKeyWasMet;
}

// Button 1 pressed together with Right, after nothing: does "button 1,
// then Right" match when the first step is found only inside the second
// within an allowance of one frame?
double TwoStepsFoundInsideEachOther() {
    StageHarness stage({"a."});
    KeyStates[0] = cKeyState();
    cFlow flow = MakeFlow(26, {{"k", 1, 0}});
    flow.m_cKeyWindow = 1;
    for (int entry : {11, 2}) {
        cKeyCond key;
        key.m_vKeyState.assign(kKeyCondKeys, 0);
        key.m_vKeyState[entry] = 1;
        key.m_sMinFrames = 1;
        key.m_sMaxFrames = 10;
        flow.m_vKeyCond.push_back(key);
    }
    for (auto [direction, buttons] : {std::pair{0, 0}, {0, 0}, {0, 0}, {2, 1}, {2, 1}, {2, 1}}) {
        KeyStates[0].m_wDirection = static_cast<std::uint16_t>(direction);
        KeyStates[0].m_wButtons = static_cast<std::uint16_t>(buttons);
        KeyStates[0].UpdateRuns();
    }
    cStageChara& a = stage.Chara('a');
    a.m_Def.m_vFlow = cVector<cFlow>{flow};
    a.AddFlows(a.m_Def.m_vFlow, 0, -1);
    const bool met = a.CheckKeyConds(a.m_vecFlowInst[0]);
    KeyStates[0] = cKeyState();
    return met ? 1 : 0;
}

// A character moved since its rectangle was drawn, at the start of a
// sub-step: the left edge of its rectangle afterwards, from the move.
double RectangleAtSubStepStart() {
    StageHarness stage(kFloor);
    cStageChara& a = stage.Chara('a');
    a.UpdateScreenRect();
    const int left = a.m_rcScreen.left;
    a.m_dX += 8.0;
    a.AfterMoveX();
    StartCharaSubStep(a);
    return a.m_rcScreen.left - left;
}

struct Row {
    const char* what;
    // Switches the row off (false) or on (true).
    std::function<void(bool)> set;
    std::function<double()> run;
    double off, on;
};

Row SwitchRow(Switch which, std::function<double()> run, double off, double on) {
    return {SwitchName(which), [which](bool on) { SetSwitch(which, on ? 1 : 0); }, std::move(run), off, on};
}

// Played back from a replay file of the version.
void ReplayOfVersion(int version) {
    Game.PlayType = 4;
    FileVersion = version;
}

}  // namespace

TEST(CompatSwitches, EachSwitchChangesWhatItNames) {
    const Row rows[] = {
        SwitchRow(Switch::KeyRetry, TwoStepsFoundInsideEachOther, 0, 1),
        SwitchRow(Switch::MoveTimeSign, StepsOfANegativeDistance, 32, -32),
        SwitchRow(Switch::WarpInput, RiseOfAWarpAlongADiagonalInput, 32 / std::sqrt(2.0), 0),
        SwitchRow(Switch::ChargeAngle, ChargeTurnedBy45, -1, 1),
        SwitchRow(Switch::JumpCmd, JumpCountOnLanding, 0, 50),
        SwitchRow(Switch::SummonPrevPos, SavedPositionOfAClone, 64, 0),
        SwitchRow(Switch::StraightLock, SpeedOfALockedStraightMove, 0, 10),
        SwitchRow(Switch::CeilingImpact, ImpactAfterCeiling, 0, 3),
        SwitchRow(Switch::DistanceRect, SeesAHeroThatMovedClose, 1, 0),
        SwitchRow(Switch::StraightReverse, TurnedMoveToAPoint, 1, -1),
        SwitchRow(Switch::GroundTurn, FacingAtAnEdgeBackwards, 1, 0),
        SwitchRow(
            Switch::Warp, [] { return WarpToScreen(true, false); }, 84, 100),
        SwitchRow(Switch::BlockHitsFliers, BlockHoldsAFlier, 0, 1),
        SwitchRow(
            Switch::NoCatchUp,
            [] {
                SetSwitch(Switch::ImpactPrevY, 1);
                const double speed = LaggingSpeedAfterImpact();
                SetSwitch(Switch::ImpactPrevY, 0);
                return speed;
            },
            0, -2),
        SwitchRow(Switch::JumpAirSteps, JumpSpeedWithAirSteps, -6, 0),
        SwitchRow(Switch::KeyEdgeKeep, KeyMetAfterTheFlowEnds, 0, 1),
        SwitchRow(Switch::ImpactPrevY, ImpactKeepsPrevious, 0, 2),
        SwitchRow(Switch::NoRectRefresh, RectangleAtSubStepStart, 8, 0),
        SwitchRow(
            Switch::WarpBottom, [] { return WarpToScreen(false, true); }, 34, 50),
        SwitchRow(Switch::CodeY, TopAfterCodeY, 52, 68),
        {"replays up to version 781", [](bool old) { ReplayOfVersion(old ? 781 : 782); }, SeesAHeroThatMovedClose, 1,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_NE(row.off, row.on);
        row.set(false);
        EXPECT_NEAR(row.run(), row.off, 1e-9) << "off";
        row.set(true);
        EXPECT_NEAR(row.run(), row.on, 1e-9) << "on";
        row.set(false);
    }
    Game.PlayType = 0;
    FileVersion = DataVersion;
}
