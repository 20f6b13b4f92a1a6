#include "stage/flow/flow_prep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/code/code_arith.h"
#include "stage/core/flow_inst.h"
#include "stage/objects/chara.h"

namespace {

namespace TimeMode {
enum : int { TimeAndSpeed = 0, TimeAndDistance = 1, SpeedAndDistance = 2 };
}

constexpr int kMaxCircleRadiusHbl = 20;

// A quotient as a step count: truncated, saturated, never from a NaN.
int TruncatedSteps(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// A time of 0 runs its command once: the whole distance (or span) is
// covered in that one step. A speed of 0 covers nothing: the command takes
// no time beyond its one step.
double SpeedOver(double distance, int steps) { return steps != 0 ? distance / steps : distance; }
int StepsAt(double distance, double speed) { return speed != 0.0 ? TruncatedSteps(distance / speed) : 0; }

int Positive(int v) { return v == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : std::abs(v); }

void PrepMoveTime(cCmdInst& inst, int clone) {
    if (inst.m_lpCmd->m_spMove->m_cTimeMode != TimeMode::TimeAndSpeed) CalcMoveTime(inst, clone);
}

void PrepHomingMove(cCmdInst& inst, int clone) {
    const cEdMove& move = *inst.m_lpCmd->m_spMove;
    inst.m_nPrepared[0] = SaturateToInt(PerClone(move.m_sHoming, move.m_sHomingStep, clone) * SubStepsPerFrame());
    PrepMoveTime(inst, clone);
}

void Flip01(std::int8_t& dir) {
    if (dir == 0 || dir == 1) dir = static_cast<std::int8_t>(1 - dir);
}

// Radius (shared with the homing delay) and angles (the end angle shares
// the distance), all in sub-step units; then the speed or the time.
void PrepCircleMove(cCmdInst& inst, cChara& chara) {
    const cEdMove& move = *inst.m_lpCmd->m_spMove;
    const int clone = chara.m_nClone;
    const int n = SubStepsPerFrame();
    int extra = 0;
    if (chara.m_Def.m_cDirection != 0) {
        if (move.m_bMirrorX) {
            Flip01(inst.m_cMoveDir);
            extra = 180;
        }
        if (move.m_bMirrorY) Flip01(inst.m_cMoveDir);
    }
    const std::int64_t radius =
        std::clamp<std::int64_t>(PerClone(move.m_sHoming, move.m_sHomingStep, clone), 0, kMaxCircleRadiusHbl);
    inst.m_nPrepared[0] = static_cast<int>(radius * 16 * n);
    const std::int64_t startBase = extra + PerClone(move.m_sAngle, move.m_sAngleStep, clone);
    const std::int64_t endBase = extra + PerClone(move.m_sDistance, move.m_sDistanceStep, clone);
    inst.m_nPrepared[1] = SaturateToInt(startBase * n);
    inst.m_nPrepared[2] = SaturateToInt(endBase * n);
    const double span =
        static_cast<double>(endBase > startBase ? (endBase - startBase) * n : (startBase - endBase) * n);
    if (move.m_cTimeMode == TimeMode::TimeAndSpeed) {
        inst.m_dSpeed = SpeedOver(span, inst.m_nTime) / n;
    } else if (move.m_cTimeMode == TimeMode::TimeAndDistance) {
        inst.m_nTime = Positive(StepsAt(span, inst.m_dSpeed * n));
    }
}

void PrepJump(cCmdInst& inst, cChara& chara) {
    cFlowCmd& cmd = *inst.m_lpCmd;
    const int hbl = cmd.m_vParam.Count() > 2 ? cmd.m_vParam[2] : 0;
    inst.m_dSpeed = chara.JumpSpeedForHbl(hbl);
    cmd.m_sTime = static_cast<std::int16_t>(std::clamp(chara.JumpTimeForHbl(hbl), 0, 32767));
    inst.m_nTime = SaturateToInt(std::int64_t{cmd.m_sTime} * SubStepsPerFrame() * 6);
}

}  // namespace

int SubStepsPerFrame() { return LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1; }

void CalcMoveTime(cCmdInst& inst, int clone) {
    const cEdMove& move = *inst.m_lpCmd->m_spMove;
    std::int64_t distance = PerClone(move.m_sDistance, move.m_sDistanceStep, clone);
    if (move.m_cDistanceUnit == 0) distance *= 16;
    switch (move.m_cTimeMode) {
        case TimeMode::TimeAndDistance: inst.m_dSpeed = SpeedOver(static_cast<double>(distance), inst.m_nTime); break;
        case TimeMode::SpeedAndDistance: {
            const int steps = StepsAt(static_cast<double>(distance), inst.m_dSpeed);
            inst.m_nTime = SwitchOn(Switch::MoveTimeSign) ? steps : Positive(steps);
            break;
        }
        default: break;
    }
}

void PrepareCmdInst(cCmdInst& inst, cChara& chara) {
    if (!inst.m_lpCmd) return;
    if (inst.m_lpCmd->FlowKindNumber() == FlowKind::Jump) return PrepJump(inst, chara);
    if (!inst.m_lpCmd->m_spMove) return;
    switch (inst.m_lpCmd->FlowKindNumber()) {
        case FlowKind::StraightMove:
        case FlowKind::GroundTurnMove:
        case FlowKind::ChargeMove:
        case FlowKind::AvoidMove: PrepMoveTime(inst, chara.m_nClone); break;
        case FlowKind::CircleMove: PrepCircleMove(inst, chara); break;
        case FlowKind::HomingMove: PrepHomingMove(inst, chara.m_nClone); break;
        default: break;
    }
}
