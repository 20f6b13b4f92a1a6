#include "stage/drawing/chara_graphic.h"

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/global_data.h"
#include "shell/app_state.h"
#include "stage/drawing/draw_sink.h"
#include "stage/objects/stage_object.h"

DDSURFACEDATA* MarkSheet = &SurfaceArray[44];
DDSURFACEDATA* EffectWork = &SurfaceArray[69];
DDSURFACEDATA* EffectWork2 = &SurfaceArray[71];

namespace {

constexpr int kCell = 32;
constexpr int kCellsPerColumn = 15;
constexpr int kShotCellsPerColumn = 30;
constexpr int kCharaSheets = 9;  // pictures 4 to 21, two per sheet
constexpr int kMirroredColumn = 20;
constexpr int kDedicatedCells = 16;

bool VideoStretch() { return !DDSetting.bD3D && SystemIni.DD_VideoStretch; }

DDSURFACEDATA* Built(int index) { return &SurfaceArray[index]; }

void SetPair(GraphicSource& g, int primary, int secondary, int primaryTwin, int secondaryTwin) {
    g.lpPrimary = Built(primary);
    g.lpSecondary = Built(secondary);
    g.lpPrimaryTwin = Built(primaryTwin);
    g.lpSecondaryTwin = Built(secondaryTwin);
}

DDSURFACEDATA* Dedicated(int index) {
    return index >= 0 && index < StageBmpSurfaces.Count() ? &StageBmpSurfaces[index] : nullptr;
}

bool Outside(const DDSURFACEDATA* sd, int x, int y) { return x < 0 || y < 0 || x >= sd->nWidth || y >= sd->nHeight; }

void SelectChara(GraphicSource& g, int facingMode, int n, int column, const cObject* object, int columnOffset) {
    const int sheet = n / kCellsPerColumn;
    int right = 0;
    if (facingMode == FacingMode::Facing) {
        right = object && object->m_nDirection ? 1 : 0;
        column += columnOffset;
    } else if (column >= kMirroredColumn) {
        right = 1;
        column -= kMirroredColumn;
    }
    g.sx = column * kCell;
    g.sy = (n % kCellsPerColumn) * kCell;
    const bool known = n >= 0 && sheet < kCharaSheets;
    if (known) {
        const int left = 4 + 2 * sheet;
        SetPair(g, left + right, left + 18 + right, left + 1 - right, left + 19 - right);
    }
    // A cell the sheet does not have shows the first cell of the first sheet.
    if (!known || Outside(g.lpPrimary, g.sx, g.sy)) {
        SetPair(g, 4, 22, 5, 23);
        g.sx = g.sy = 0;
    }
}

void SelectDedicated(GraphicSource& g, int facingMode, int n, int column, const cObject* object, int columnOffset) {
    int right = 0;
    if (facingMode == FacingMode::Facing) {
        right = object && object->m_nDirection ? 1 : 0;
        column += columnOffset;
    }
    const int base = 4 * n - 4;
    g.lpPrimary = Dedicated(base + right);
    g.lpPrimaryTwin = Dedicated(base + 1 - right);
    g.lpSecondary = Dedicated(base + 2 + right);
    g.lpSecondaryTwin = Dedicated(base + 3 - right);
    if (!g.lpPrimary || !g.lpSecondary || !g.lpPrimaryTwin || !g.lpSecondaryTwin) {
        g.lpPrimary = g.lpSecondary = g.lpPrimaryTwin = g.lpSecondaryTwin = nullptr;
        return;
    }
    const int m = DedicatedCellMultiplier(n);
    g.bCustomCell = m != 1 || (n > 0 && n < Database.BmpCharaExc.Count() && Database.BmpCharaExc[n].m_nSizeFlag);
    g.nCellMul = m;
    const int perRow = kDedicatedCells / m;
    if (column < 0) column = 0;
    g.sx = (column % perRow) * kCell * m;
    g.sy = (column / perRow) * kCell * m;
}

}  // namespace

int DedicatedCellMultiplier(int entry) {
    if (entry <= 0 || entry >= Database.BmpCharaExc.Count()) return 1;
    const cBmpCharaExc& e = Database.BmpCharaExc[entry];
    if (!e.m_nSizeFlag) return 1;
    return e.m_nCellSize >= 1 && e.m_nCellSize <= kDedicatedCells ? e.m_nCellSize : 1;
}

void SelectIconSheets() {
    const bool stretch = VideoStretch();
    MarkSheet = Built(stretch ? 43 : 44);
    EffectWork = Built(stretch ? 68 : 69);
    EffectWork2 = Built(DDSetting.bD3D ? 71 : 69);
}

void SelectGraphicSource(GraphicSource& g, int facingMode, int kind, int n, int column, const cObject* object,
                         int columnOffset) {
    g.lpPrimary = g.lpSecondary = g.lpPrimaryTwin = g.lpSecondaryTwin = nullptr;
    g.bCustomCell = 0;
    g.nCellMul = 1;
    g.sx = g.sy = 0;
    const int right = facingMode == FacingMode::Facing && object && object->m_nDirection ? 1 : 0;
    switch (kind) {
        case GraphicKind::Block:
            SetPair(g, 2, 3, 2, 3);
            g.sx = (n / kCellsPerColumn) * kCell;
            g.sy = (n % kCellsPerColumn) * kCell;
            break;
        case GraphicKind::Chara: SelectChara(g, facingMode, n, column, object, columnOffset); break;
        case GraphicKind::Item:
            SetPair(g, 40, 41, 40, 41);
            g.sx = (n / kCellsPerColumn) * 2 * kCell + (facingMode == FacingMode::Item ? columnOffset * kCell : 0);
            g.sy = (n % kCellsPerColumn) * kCell;
            break;
        case GraphicKind::Shot:
            SetPair(g, 64 + right, 64 + right, 65 - right, 65 - right);
            g.sx = (n / kShotCellsPerColumn) * 2 * kCell;
            g.sy = (n % kShotCellsPerColumn) * kCell;
            break;
        case GraphicKind::Dedicated: SelectDedicated(g, facingMode, n, column, object, columnOffset); break;
        default: break;
    }
    const bool primaryPair = VideoStretch();
    g.lpChosen = primaryPair ? g.lpPrimary : g.lpSecondary;
    g.lpChosenTwin = primaryPair ? g.lpPrimaryTwin : g.lpSecondaryTwin;
}

void DrawStatusIcon(DDSURFACEDATA* dst, int x, int y, int kind, int n, int column) {
    constexpr int kIcon = 16;
    GraphicSource g;
    switch (kind) {
        case GraphicKind::Block:
            SelectGraphicSource(g, FacingMode::None, kind, n, column, nullptr, 0);
            SinkBlt(dst, x, y, kIcon, kIcon, g.lpPrimary, g.sx, g.sy, kCell, kCell, 1);
            break;
        case GraphicKind::Chara:
            SelectGraphicSource(g, FacingMode::None, kind, n, column, nullptr, 0);
            SinkBlt(dst, x, y, kIcon, kIcon, g.lpSecondary, g.sx, g.sy, kCell, kCell, 1);
            break;
        case GraphicKind::Item:
            SinkBlt(dst, x, y, kIcon, kIcon, Built(Picture::ItemMini), (n / kCellsPerColumn) * kCell,
                    (n % kCellsPerColumn) * kIcon, kIcon, kIcon, 1);
            break;
        case GraphicKind::Shot:
            SelectGraphicSource(g, FacingMode::None, kind, n, column, nullptr, 0);
            SinkBlt(dst, x, y, kIcon, kIcon, g.lpPrimary, g.sx, g.sy, kCell, kCell, 1);
            break;
        case GraphicKind::Dedicated: {
            SelectGraphicSource(g, FacingMode::None, kind, n, column, nullptr, 0);
            if (!g.lpSecondary) break;
            const int side = kCell * g.nCellMul;
            SinkBlt(dst, x, y, kIcon, kIcon, g.lpSecondary, g.sx, g.sy, side, side, 1);
            break;
        }
        default: break;
    }
}

void DrawMark(DDSURFACEDATA* dst, int mark, const cObject& object, int scale) {
    constexpr int kMarksPerColumn = 15;
    if (mark < 0) return;
    const int sx = (mark / kMarksPerColumn) * kCell;
    const int sy = (mark % kMarksPerColumn) * kCell;
    const int x = object.m_rcScreen.left, y = object.m_rcScreen.top;
    if (scale <= 1) {
        SinkBlt(dst, x, y, kCell, kCell, &SurfaceArray[Picture::Mark], sx, sy, kCell, kCell, 1);
    } else {
        SinkBlt(dst, x, y, object.m_rcGraphic.w, object.m_rcGraphic.h, MarkSheet, sx, sy, object.m_rcGraphicBase.w,
                object.m_rcGraphicBase.h, 1);
    }
}
