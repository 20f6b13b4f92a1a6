#include <cmath>
#include <cstdlib>

#include "gamedata/database/database.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/shot.h"

namespace {

// A shot cycles two cells; a slash shows the cell its frame chooses, so its
// animation never advances.
const ANIMRECORD kSlashAnim[] = {{0, 7, false}, {1, 7, false}, {2, 7, false}, {ANIM_HOLD, 0, false}};
const ANIMRECORD kShotAnim[] = {{0, 8, false}, {1, 8, false}, {ANIM_LOOP, 0, false}};
const ANIMRECORD* const kShotAnims[] = {kSlashAnim, kShotAnim, nullptr};

constexpr int kShotCell = 16;
constexpr int kSlashKind = 12;

}  // namespace

void cShot::Init(int id, cChara& shooter, int cmdKind, cEdShot& param, const cShotPlacement& placement) {
    if (param.m_cScale == 0) param.m_cScale = 1;
    if (&param != &m_Param) m_Param = param;
    const int facing = placement.dVelX > 0.0 ? 1 : placement.dVelX == 0.0 ? shooter.m_nDirection : 0;
    int w = kShotCell, h = kShotCell;
    m_bShot = cmdKind != kSlashKind;
    if (!m_bShot) {
        const cSwordFrame& first = Database.SwordType[m_Param.m_cMoveKind].m_vFrames[0];
        w = first.m_nWidth;
        h = first.m_nHeight;
    }
    m_nOwnerId = shooter.m_nId;
    cObject::Init(id, shooter.m_nCharaKind, shooter.m_nPlayerNo, m_Param.m_cSide, m_Param.m_sGraphic, kShotAnims,
                  m_bShot ? 1 : 0, 0, 0, w, h, kShotCell, kShotCell, facing, 1, placement.nSeries);
    if (m_Param.m_bShooterSide) {
        m_Param.m_cSide = shooter.m_Def.m_cSide;
        m_nBlockGroup = m_Param.m_cSide;
    }
    if (m_bShot) {
        // One contact size for the hero's shots, one for everyone else's.
        const int group = shooter.m_nCharaKind == 0 ? 0 : 4;
        const int bw = LoadedStage.m_nShotBox[group], bh = LoadedStage.m_nShotBox[group + 1];
        m_rcShotBoxBase = {8 - bw / 2, 8 - bh / 2, bw, bh};
    } else {
        m_rcShotBoxBase = {0, 0, w, h};
    }
    m_rcShotBox = m_rcShotBoxBase;
    SetScale(m_Param.m_cScale, 1, 1);
    m_dX = placement.nX;
    ClampX();
    m_dY = placement.nY;
    ClampY(BoundMode::Grid);

    const double n = LoadedStage.m_dSubSteps;
    m_dOwnSpeedX = placement.dVelX / n;
    m_dOwnSpeedY = placement.dVelY / n;
    m_bAccel = m_Param.m_bAccel ? 1 : 0;
    m_dAccel = 0.0;
    m_dAccelX = m_dAccelY = 0.0;
    if (m_bAccel) {
        m_dAccel = (m_Param.m_sAccel + m_Param.m_sAccelStep * placement.nSeries) * 0.1 / n;
        SplitAccel(m_dAccelX, m_dAccelY, placement.dVelX, placement.dVelY);
    }
    m_dSpeedX = m_dSpeedY = 0.0;
    m_bScrollFollow = m_Param.m_bDirectAim;
    if (m_Param.m_bUseLife) m_nLifeLeft = static_cast<int>(placement.nLife * n * 6);
    if (m_Param.m_bUseRange) SetRangeLimit(placement);

    m_nMoveCount = m_nSwordFrame = m_nMoveStart = m_nMoveEnd = m_bMoveDone = 0;
    m_lpTarget = shooter.m_vecTarget[m_Param.m_cMoveTarget];
    m_lpOwner = &shooter;
    m_bHit = 0;
    m_nOpt1 = m_Param.m_bAttackFlows;
    m_cOpt2 = m_Param.m_cAttackFlowId;
}

// Sub-steps until the range is flown. A range shorter than one frame of
// flight is flown in exactly one frame, along the same direction.
void cShot::SetRangeLimit(const cShotPlacement& placement) {
    const int n = LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1;
    const double distance = std::max(placement.nRange * 16 - m_nWidth, 0);
    const double v = std::fabs(placement.dSpeed) / n;
    if (distance > 0 && v > 0) {
        m_nRangeLeft = static_cast<int>(distance / v);
    } else {
        m_nRangeLeft = v > 0 && static_cast<int>(n * v) > m_nWidth ? static_cast<int>(m_nWidth / v) : n;
    }
    if (m_nRangeLeft >= n) return;
    const double sum = std::fabs(placement.dVelX) + std::fabs(placement.dVelY);
    // A shot without velocity has no direction to rescale along.
    m_dOwnSpeedX = sum > 0 ? distance / n * placement.dVelX / sum : 0.0;
    m_dOwnSpeedY = sum > 0 ? distance / n * placement.dVelY / sum : 0.0;
    m_nRangeLeft = n;
}
