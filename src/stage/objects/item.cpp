#include "stage/objects/item.h"

#include "gamedata/stage_file/stage_data.h"
#include "stage/core/loop_expansion.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kItemFrameTicks = 15;
const ANIMRECORD kItemFrames[] = {{0, kItemFrameTicks, false}, {1, kItemFrameTicks, false}, {ANIM_LOOP, 0, false}};
const ANIMRECORD* const kItemAnimation[] = {kItemFrames, nullptr};

}  // namespace

void cItem::CopyFromEntry(int id, const cItemDef& entry, int held) {
    m_Def = entry;
    if (m_Def.m_cScale == 0) m_Def.m_cScale = 1;
    const int w = LoadedStage.m_nItemW;
    const int h = LoadedStage.m_nItemH;
    Init(id, 0, 0, 0, m_Def.m_sCell, kItemAnimation, 0, 16 - w / 2, 16 - h / 2, w, h, kBlockPixels, kBlockPixels, 0, 1,
         0);
    m_bScrollFollow = 0;
    m_bHeld = held;
    if (held) {
        m_bExists = 1;
    } else {
        SetScale(Scale(), 1, 1);
    }
    ExpandLoopCommands(m_Def.m_vCmd);
}

void cItem::PlaceAtCell(int column, int row, int anchor) {
    const cStageState& stage = StageState();
    m_dX = (column + stage.m_ScrollX.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.x + 0.5;
    m_dY = (row + stage.m_ScrollY.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.y;
    ApplyScaleAnchor(Scale(), 1, anchor);
    ClampX(BoundMode::Grid);
    ClampY(BoundMode::Grid);
}

void cItem::AnchorOnScale(int scale, int oldScale, int) {
    if (scale == oldScale) return;
    m_dY -= (m_nBaseHeight + m_rcGraphicBase.y) * (scale - oldScale);
    ClampY(BoundMode::Grid);
}
