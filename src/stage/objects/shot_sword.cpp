#include "gamedata/database/database.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/chara_lookup.h"
#include "stage/objects/player.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

namespace {

// Where a sword frame puts the slash relative to its owner.
namespace SwordAnchor {
enum : int { Front = 0, Behind, Above, Below };
}

}  // namespace

// A slash follows its owner through the frames of its sword type and ends
// after the last one, or at once when its owner is gone.
int cShot::StepSword() {
    cChara* owner = FindCharaById(m_nOwnerId);
    if (!owner) return 1;
    const cVector<cSwordType>& swords = Database.SwordType;
    const int type = m_Param.m_cMoveKind;
    // A sword type that the table lacks or that has no frames has nothing
    // to show.
    if (type < 0 || type >= swords.Count()) return 1;
    const cVector<cSwordFrame>& frames = swords[type].m_vFrames;
    if (m_nSwordFrame < 0 || m_nSwordFrame >= frames.Count()) return 1;
    const cSwordFrame& frame = frames[m_nSwordFrame];

    owner->UpdateScreenRect();
    m_nDirection = owner->m_nDirection;
    const int scale = m_Param.m_cScale;
    if (m_nMoveCount == 0) {
        m_nBaseWidth = frame.m_nWidth;
        m_nBaseHeight = frame.m_nHeight;
        m_nWidth = frame.m_nWidth * scale;
        m_nHeight = frame.m_nHeight * scale;
        m_rcGraphicBase = {0, 0, frame.m_nWidth, frame.m_nHeight};
        m_rcGraphic = {0, 0, m_nWidth, m_nHeight};
        m_rcShotBoxBase = m_rcGraphicBase;
        m_rcShotBox = m_rcGraphic;
    }
    const cStageState& stage = StageState();
    const ScreenRect& o = owner->m_rcScreen;
    const int sx = static_cast<int>(stage.m_ScrollX.m_dPos), sy = static_cast<int>(stage.m_ScrollY.m_dPos);
    const bool right = owner->m_nDirection != 0;
    int x = 0, y = o.top + (o.bottom - o.top + 1) / 2 - m_nHeight / 2;
    switch (frame.m_nPlacement) {
        case SwordAnchor::Behind:
            m_nDirection = right ? 0 : 1;
            x = right ? o.left - m_nWidth : o.right + 1;
            break;
        case SwordAnchor::Above:
        case SwordAnchor::Below:
            x = o.left + (o.right - o.left + 1) / 2 - m_nWidth / 2;
            y = frame.m_nPlacement == SwordAnchor::Above ? o.top - m_nHeight : o.bottom + 1;
            break;
        default: x = right ? o.right + 1 : o.left - m_nWidth; break;
    }
    const int ox = frame.m_nOffsetX * scale, oy = frame.m_nOffsetY * scale;
    x += right && frame.m_nMirrorX ? -ox : ox;
    y += right && frame.m_nMirrorY ? -oy : oy;
    m_dX = x + sx;
    m_dY = y + sy;
    ClampX();
    ClampY(BoundMode::Grid);

    if (++m_nMoveCount > frame.m_nTime * LoadedStage.m_nSubStepsX6) {
        m_nMoveCount = 0;
        if (++m_nSwordFrame >= frames.Count()) return 1;
    }
    return 0;
}
