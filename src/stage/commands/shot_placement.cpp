#include "stage/commands/shot_placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/strings.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow_cmd.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/aiming.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/current_input.h"
#include "stage/movement/target_search.h"
#include "stage/objects/chara.h"
#include "stage/objects/item.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

namespace {

void SummonToStage(int kind, const cShotPlacement& p, cChara& shooter, const cEdShot& param);

SummonSpawner g_spawner = SummonToStage;

constexpr double kDegree = std::numbers::pi / 180.0;

// The direction selector's rows that depend on the facing.
namespace DirSelect {
enum : int { Forward = 0, Backward = 1, ForwardY = 4, BackwardY = 5, Input = 12 };
}

int ArrangedAngle(const cEdShot& param, const cChara& shooter, int angle) {
    if (param.m_bMirrorAngle && shooter.m_nDirection) angle = 360 - angle;
    if (param.m_sSpread != 0) angle += RandomRange(-param.m_sSpread, param.m_sSpread);
    return angle;
}

void SetClone(cShotPlacement& p, const cEdShot& param, int index, int facing) {
    p.nSeries = static_cast<std::int16_t>(index);
    p.nCloneX = static_cast<int>(param.GetCloneOffsetX(index, facing));
    p.nCloneY = static_cast<int>(param.GetCloneOffsetY(index, facing));
}

// The characters whose boxes a placement reads are brought up to date.
void RefreshBoxes(cChara& shooter, const cEdShot& param) {
    if (shooter.m_nCharaKind == 1) shooter.UpdateScreenRect();
    cChara* aim = shooter.m_vecTarget[param.m_cFormTarget];
    cChara* move = shooter.m_vecTarget[param.m_cMoveTarget];
    if (aim && aim->m_nCharaKind == 1) aim->UpdateScreenRect();
    if (move && move != aim && move->m_nCharaKind == 1) move->UpdateScreenRect();
}

// The single pass of a summon, for an object of `size` pixels.
void PlaceSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param, int size) {
    cShotPlacement p;
    p.nWidth = p.nHeight = size;
    p.nDir = PlacementDirection(shooter, param);
    shooter.UpdateScreenRect();
    p.dSpeed = 1.0;
    SetClone(p, param, 0, shooter.m_nDirection);
    RunFormation({nullptr, shooter, cmd, param}, p);
}

template <class Def>
const Def* PaletteEntry(const cVector<Def>& common, const cVector<Def>& stage, const cEdShot& param) {
    const cVector<Def>& list = param.m_cSummonPalette == 0 ? common : stage;
    const int index = param.m_sSummon;
    return index >= 0 && index < list.Count() ? &list[index] : nullptr;
}

// The stage's own spawners: the summoned object's top-left corner at the
// placement's position, facing as the shooter (or away from it).
void SummonToStage(int kind, const cShotPlacement& p, cChara& shooter, const cEdShot& param) {
    cStageState& stage = StageState();
    const double x = p.nX, y = p.nY;
    if (kind == FlowKind::SummonBlock) {
        const cBlockDef* block = PaletteEntry(CommonPalette.m_vPaletteBlocks, LoadedStage.m_vPaletteBlocks, param);
        BlockPlacement placement{param.m_cBlockMode, param.m_bRestoreBlock, param.m_bRestoreBlock2};
        if (block) SetBlock(stage, x, y, placement, *block);
    } else if (kind == FlowKind::SummonChara) {
        const cCharaDef* def = PaletteEntry(CommonPalette.m_vPaletteCharas, LoadedStage.m_vPaletteCharas, param);
        if (!def) return;
        SummonRequest request;
        request.nDirection = param.m_bReverseFacing ? !shooter.m_nDirection : shooter.m_nDirection;
        request.nForce = param.m_cSummonSide == 1   ? shooter.m_Def.m_cSide
                         : param.m_cSummonSide == 2 ? param.m_cSide
                                                    : def->m_cSide;
        request.nLifeTime = param.m_bUseRange ? param.m_sRange : 0;
        request.bAttack = param.m_bAttackFlows;
        request.nAttackFilter = param.m_cAttackFlowId;
        SpawnChara(stage, CharaList, x, y, request, *def, stage.m_nNextCharaId, &shooter);
    } else if (kind == FlowKind::SummonItem) {
        const cItemDef* def = PaletteEntry(CommonPalette.m_vPaletteItems, LoadedStage.m_vPaletteItems, param);
        if (def) SpawnItem(ItemList, x, y, param.m_bUseRange ? param.m_sRange : 0, *def, stage.m_nNextItemId);
    }
}

}  // namespace

void SetSummonSpawner(SummonSpawner spawner) { g_spawner = std::move(spawner); }

ShooterBox BoxOf(const cObject& o) {
    const cStageState& stage = StageState();
    return {static_cast<int>(stage.m_ScrollX.m_dPos),
            static_cast<int>(stage.m_ScrollY.m_dPos),
            o.m_rcScreen.left,
            o.m_rcScreen.top,
            o.m_rcScreen.right,
            o.m_rcScreen.bottom,
            o.m_rcGraphic.w,
            o.m_rcGraphic.h};
}

int PlacementDirection(const cChara& shooter, const cEdShot& param) {
    const bool right = shooter.m_nDirection != 0;
    switch (param.m_cAnimeSel) {
        case DirSelect::Forward: return right ? DirCode::Right : DirCode::Left;
        case DirSelect::Backward: return right ? DirCode::Left : DirCode::Right;
        case DirSelect::ForwardY: return right ? DirCode::Down : DirCode::Up;
        case DirSelect::BackwardY: return right ? DirCode::Up : DirCode::Down;
        case DirSelect::Input: {
            const cFlowInst* flow = StageState().m_lpCurFlow;
            return InputDirToCode(flow ? flow->m_nStartDir : 0, 1, shooter.m_nDirection);
        }
        default: return param.m_cAnimeSel;
    }
}

int DirectionAngle(int code) {
    switch (code) {
        case DirCode::Right: return 180;
        case DirCode::Up: return 90;
        case DirCode::Down: return 270;
        case DirCode::UpLeft: return 45;
        case DirCode::DownLeft: return 315;
        case DirCode::UpRight: return 135;
        case DirCode::DownRight: return 225;
        default: return 0;
    }
}

void PlaceShotSeries(cStageState& stage, cChara& shooter, cCmdInst& cmd, cEdShot& param) {
    cShotPlacement p;
    p.nWidth = p.nHeight = std::max<int>(param.m_cScale, 1) * 16;
    p.nDir = PlacementDirection(shooter, param);
    RefreshBoxes(shooter, param);
    p.dSpeed = param.m_sSpeed * 0.1;
    p.nAngle = ArrangedAngle(param, shooter, param.m_sAngle);
    p.nRange = param.m_sRange;
    p.nLife = param.m_sLife;
    for (int i = 0; i <= param.m_cCopies; ++i) {
        SetClone(p, param, i, shooter.m_nDirection);
        RunFormation({&stage, shooter, cmd, param}, p);
        p.dSpeed += param.m_sSpeedStep * 0.1;
        p.nAngle = ArrangedAngle(param, shooter, param.m_sAngle + param.m_sAngleStep * (i + 1));
        p.nRange += param.m_sRangeStep;
        p.nLife += param.m_sLifeStep;
    }
}

void PlaceCharaSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param) {
    const cCharaDef* def = PaletteEntry(CommonPalette.m_vPaletteCharas, LoadedStage.m_vPaletteCharas, param);
    if (!def || def->m_cOperation != CharaOperation::Computer) return;
    PlaceSummon(shooter, cmd, param, std::max<int>(def->m_cScale, 1) * 32);
}

void PlaceItemSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param) {
    const cItemDef* def = PaletteEntry(CommonPalette.m_vPaletteItems, LoadedStage.m_vPaletteItems, param);
    if (!def) return;
    PlaceSummon(shooter, cmd, param, std::max<int>(def->m_cScale, 1) * 32);
}

void PlaceBlockSummon(cChara& shooter, cCmdInst& cmd, cEdShot& param) {
    if (!PaletteEntry(CommonPalette.m_vPaletteBlocks, LoadedStage.m_vPaletteBlocks, param)) return;
    if (param.m_cBlockMode == 2) StageState().m_vecToggledCell.clear();
    PlaceSummon(shooter, cmd, param, 32);
}

void PlaceFormationObject(const FormationCall& call, const cShotPlacement& placement) {
    const int kind = call.cmd.m_lpCmd ? call.cmd.m_lpCmd->FlowKindNumber() : -1;
    if (kind == FlowKind::Shot && call.stage) {
        cStageState& stage = *call.stage;
        // The command's record keeps the size a shot corrects in it.
        if (call.param.m_cScale == 0) call.param.m_cScale = 1;
        cShot& added = stage.AppendShot(call.param);
        added.Init(stage.m_nNextShotId++, call.shooter, kind, added.m_Param, placement);
        stage.JoinGroup(added);
        const int move = added.m_Param.m_cMoveKind;
        if (move == ShotMove::AimTarget || move == ShotMove::HomeTarget) {
            if (added.m_lpTarget) added.LinkTo(*added.m_lpTarget, LinkKind::Target);
        } else {
            added.m_lpTarget = nullptr;
        }
        if (added.m_lpOwner) added.LinkTo(*added.m_lpOwner, LinkKind::Child);
        return;
    }
    const bool summon = kind == FlowKind::SummonBlock || kind == FlowKind::SummonChara || kind == FlowKind::SummonItem;
    if (summon && g_spawner) g_spawner(kind, placement, call.shooter, call.param);
}

int AngleToTarget(double x, double y, const FormationCall& call, cShotPlacement& placement) {
    const cChara* target = call.shooter.m_vecTarget[call.param.m_cFormTarget];
    if (!target) return call.shooter.m_nDirection ? 180 : 0;
    const cStageState& stage = StageState();
    auto running = [](const cScrollAxis& a) { return a.m_dAutoSpeed != 0.0 && !a.m_bAtLimit; };
    const ShooterBox box = BoxOf(*target);
    if ((running(stage.m_ScrollX) || running(stage.m_ScrollY)) && !call.param.m_bDirectAim && target->m_bScrollFollow) {
        // Aimed in the scrolling view's frame, where the target stands still.
        const double n = LoadedStage.m_dSubSteps;
        const double speed = (call.param.m_sSpeed + placement.nSeries * call.param.m_sSpeedStep) * 0.1 / n;
        AimResult aim;
        AimVelocity(aim, target, x - box.sx, y - box.sy, AimCentreX(*target), AimCentreY(*target), speed, false, true,
                    false);
        placement.dSpeed = std::sqrt(aim.vx * aim.vx + aim.vy * aim.vy) * n;
        return static_cast<int>(std::atan2(aim.vy, aim.vx) / kDegree + 180);
    }
    const double dx = box.CentreX() - x, dy = box.CentreY() - y;
    return static_cast<int>(std::atan2(dy, dx) / kDegree + 180 + 0.5);
}

void RotatedStart(cShotPlacement& p, cChara& shooter, int angle) {
    const cStageState& stage = StageState();
    const ScreenRect& s = shooter.m_rcScreen;
    const int gw = shooter.m_rcGraphic.w, gh = shooter.m_rcGraphic.h;
    const double theta = (angle + 225) * kDegree;
    const double k = std::numbers::sqrt2 / 2;
    const double q = k * (p.nWidth / 2 + s.right - s.left - gw / 2 + 1);
    const double r = k * (p.nHeight / 2 + s.bottom - s.top - gh / 2 + 1);
    p.nStartX = static_cast<int>(s.left + gw / 2 + stage.m_ScrollX.m_dPos + r * std::sin(theta) + q * std::cos(theta) -
                                 p.nWidth / 2);
    p.nStartY = static_cast<int>(s.top + gh / 2 + stage.m_ScrollY.m_dPos + q * std::sin(theta) - r * std::cos(theta) -
                                 p.nHeight / 2);
}
