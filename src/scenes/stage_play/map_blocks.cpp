#include "scenes/stage_play/map_blocks.h"

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/sprite_batch.h"
#include "gamedata/definitions/block_def.h"
#include "stage/objects/block_map.h"
#include "stage/objects/stage_object.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kBlockPicture = 2;
constexpr int kCellsPerColumn = 15;
constexpr int kViewColumns = 21;
constexpr int kViewRows = 16;

bool BlockSheetOnly(int kind, int number, int, BlockGraphic& out) {
    if (kind != SheetKind::Block) return false;
    out.picture = &SurfaceArray[kBlockPicture];
    out.sx = number / kCellsPerColumn * kBlockPixels;
    out.sy = number % kCellsPerColumn * kBlockPixels;
    return true;
}

BlockGraphicSource g_source = BlockSheetOnly;

bool Drawn(cTileCell& cell, int key) {
    const cBlockDef& def = cell.m_Def;
    return def.m_sCell != 0 && def.m_cDrawPass == key && !def.m_bNoDraw && BlockConditionsHold(cell);
}

void DrawCell(DDSURFACEDATA* dst, const cBlockDef& def, int x, int y) {
    BlockGraphic graphic;
    if (g_source(def.m_cSheet, def.m_sCell, def.m_sSheetSub, graphic) && graphic.picture)
        DDBlt(dst, x, y, kBlockPixels, kBlockPixels, graphic.picture, graphic.sx, graphic.sy, 1);
    if (def.m_bShowIcon == 1) {
        const int mark = def.m_sIconNo;
        DDBlt(dst, x, y, kBlockPixels, kBlockPixels, &SurfaceArray[kMarkPicture], mark / kCellsPerColumn * kBlockPixels,
              mark % kCellsPerColumn * kBlockPixels, 1);
    }
}

}  // namespace

void SetBlockGraphicSource(BlockGraphicSource source) { g_source = source ? source : BlockSheetOnly; }

void DrawMapBlocks(DDSURFACEDATA* dst, int key, const cStageState& state) {
    const int vx = static_cast<int>(state.m_ScrollX.m_dPos);
    const int vy = static_cast<int>(state.m_ScrollY.m_dPos);
    const int firstColumn = vx >> 5, firstRow = vy >> 5;
    DDSpriteBatchOpen(1);
    DDTextureCacheAddAll(&SurfaceArray[kMarkPicture]);
    for (int r = 0; r < kViewRows; ++r) {
        const int row = firstRow + r;
        if (row < 0 || row >= state.m_ScrollY.m_nGridCells) continue;
        for (int c = 0; c < kViewColumns; ++c) {
            cTileCell* cell = BlockCellAt(firstColumn + c, row);
            if (!cell || !Drawn(*cell, key)) continue;
            DrawCell(dst, cell->m_Def, c * kBlockPixels - (vx & 31), r * kBlockPixels - (vy & 31));
        }
    }
    DDSpriteBatchFlush();
}
