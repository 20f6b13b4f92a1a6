#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

namespace {

BoxSize HitSizeOf(bool flying) {
    const cStageData& s = LoadedStage;
    return flying ? BoxSize{s.m_nCharaW2, s.m_nCharaH2, s.m_bCharaBottom2}
                  : BoxSize{s.m_nCharaW, s.m_nCharaH, s.m_bCharaBottom};
}

BoxSize BodySizeOf(bool flying) {
    const cStageData& s = LoadedStage;
    return flying ? BoxSize{s.m_nCharaHitW2, s.m_nCharaHitH2, s.m_bCharaHitBottom2}
                  : BoxSize{s.m_nCharaHitW, s.m_nCharaHitH, s.m_bCharaHitBottom};
}

BoxSize ShotBoxSize() { return {LoadedStage.m_nCharaBox1W, LoadedStage.m_nCharaBox1H, 0}; }
// The second body box is the box of the other characters' shots.
BoxSize SecondBodySize() { return {LoadedStage.m_nShotBox[4], LoadedStage.m_nShotBox[5], 0}; }

void WholeCell(CharaBox& box) { box.rc = box.rcBase = {0, 0, kBlockPixels, kBlockPixels}; }

// Activity kinds: which axes the view test ignores.
struct ViewSkip {
    int x, y;
};
constexpr ViewSkip kActivitySkips[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};

}  // namespace

void cStageChara::InitFromDef(int id, cCharaDef& def, const cItem* item, const std::array<int, 4>& place, int clone) {
    if (def.m_cScale == 0) def.m_cScale = 1;
    Reset(&def, place, clone);
    const bool block = def.m_bNoBox != 0;
    const bool flying = def.m_cFlying != 0;
    int gx = 0, gy = 0, w = kBlockPixels, h = kBlockPixels;
    if (!block) {
        const BoxSize size = HitSizeOf(flying);
        w = size.w;
        h = size.h;
        gx = (kBlockPixels - w) >> 1;
        gy = size.bottom ? kBlockPixels - h : (kBlockPixels - h) >> 1;
    }
    // The graphic is the definition's picture cell; its animation set only
    // picks the frames (columns) of that cell's row.
    Init(id, def.m_cOperation, def.m_cPlayerNo, def.m_cSide, def.m_sCell, nullptr, 0, gx, gy, w, h, kBlockPixels,
         kBlockPixels, def.m_cDirection, def.m_cFlying, clone);
    if (block) {
        WholeCell(m_rcBodyBox);
        WholeCell(m_rcShotBox);
    } else {
        ChooseBodyBox(def.m_cHitKind, BodySizeOf(flying), ShotBoxSize(), SecondBodySize());
        PlaceBox(m_rcShotBox, 0, ShotBoxSize().w, ShotBoxSize().h);
    }
    SetScale(Scale(), 1, 1);
    m_bAwake = m_nIconBlink = 0;
    if (item) {
        m_HeldItem = *item;
    } else {
        m_HeldItem.m_Def.m_sCell = 0;
    }
    const int kind = def.m_cActiveRange;
    const ViewSkip skip = kind >= 0 && kind < 4 ? kActivitySkips[kind] : ViewSkip{0, 0};
    m_bSkipViewX = skip.x;
    m_bSkipViewY = skip.y;
    m_bWokenOnce = 0;
    m_Anim.SetAnim(flying ? 0 : 1, 1);
    AddCharaFlows(*this, m_Def.m_vFlow, FlowAddMode::Replace, -1);
}

void cStageChara::PlaceAtCell(int column, int row) {
    const cStageState& stage = StageState();
    m_dX = (column + stage.m_ScrollX.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.x + 0.5;
    m_dY = (row + stage.m_ScrollY.m_nBlockOffset) * kBlockPixels + m_rcGraphicBase.y;
    ApplyScaleAnchor(Scale(), 1, 1);
    AfterMoveX();
    AfterMoveY();
}

void cStageChara::OnScaleChanged(int scale) {
    if (IsBlockChara()) {
        // Others stand on a block character: all of it is solid to them.
        m_rcBodyBox.rc = m_rcShotBox.rc = {0, 0, m_nWidth, m_nHeight};
    } else {
        ScaleBox(m_rcBodyBox, scale);
        ScaleBox(m_rcShotBox, scale);
    }
    AfterMoveX();
    AfterMoveY();
}

void cStageChara::UpdateHitRectX() { UpdateBoxEdgesX(); }

void cStageChara::UpdateHitRectY() { UpdateBoxEdgesY(); }
