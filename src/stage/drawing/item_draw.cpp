#include "stage/drawing/chara_graphic.h"
#include "stage/drawing/draw_sink.h"
#include "stage/objects/item.h"
#include "stage/objects/stage_chara.h"

namespace {
constexpr int kCell = 32;
}  // namespace

void cItem::Draw(DDSURFACEDATA* dst, int noAdvance) {
    if (m_Def.m_bNoDraw) return;
    const int frame = noAdvance ? m_Anim.GetFrame() : m_Anim.Advance();
    GraphicSource g;
    SelectGraphicSource(g, FacingMode::Item, m_Def.m_cSheet, m_nGraphic, m_Def.m_sSheetSub, this, frame);
    if (g.lpPrimary) {
        // A source cell of the item's own scale is copied as it is; any
        // other is stretched to the item's size.
        const int cell = kCell * g.nCellMul;
        SinkBlt(dst, m_rcScreen.left, m_rcScreen.top, m_rcGraphic.w, m_rcGraphic.h, g.lpPrimary, g.sx, g.sy, cell, cell,
                1);
    }
    if (m_Def.m_bNoIcon == 0) DrawMark(dst, m_Def.m_sIconNo, *this, Scale());
}

void cStageChara::DrawHeldItemIcon(DDSURFACEDATA* dst) {
    int x = 0, y = 0;
    if (!HeldItemIconAt(x, y)) return;
    const cItemDef& item = m_HeldItem.m_Def;
    DrawStatusIcon(dst, x, y, item.m_cSheet, item.m_sCell, item.m_sSheetSub);
}
