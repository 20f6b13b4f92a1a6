// Drawing a shot or a slash at its screen rectangle.
#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/database/database.h"
#include "shell/app_state.h"
#include "stage/drawing/blit_surface.h"
#include "stage/drawing/stage_surfaces.h"
#include "stage/objects/shot.h"

namespace {

// The shot sheet: one picture per facing, each graphic a column of two
// 16-pixel cells (one per animation frame), thirty graphics to a row.
constexpr int kShotSheetLeft = 20;
constexpr int kShotSheetRight = 21;
constexpr int kShotCell = 16;
constexpr int kGraphicsPerRow = 30;

// Stretching reads the copy unless the blitter of the drawing path without
// textures stretches by itself.
int StretchTwin() { return DDSetting.bD3D || !SystemIni.DD_VideoStretch ? 1 : 0; }

}  // namespace

void cShot::Draw(DDSURFACEDATA* surface, int redraw) {
    if (m_Param.m_bHidden) return;
    const int x = m_rcScreen.left, y = m_rcScreen.top, w = m_rcGraphic.w, h = m_rcGraphic.h;
    const bool stretched = m_Param.m_cScale > 1;
    if (m_bShot) {
        if (!redraw) m_Anim.Advance();
        const int frame = m_Anim.GetFrame();
        const int g = m_nGraphic;
        const int sx = g % kGraphicsPerRow * kShotCell, sy = (frame + g / kGraphicsPerRow * 2) * kShotCell;
        const int sheet = m_nDirection ? kShotSheetRight : kShotSheetLeft;
        DDSURFACEDATA* src = &SurfaceArray[PickBlitSurface(sheet, stretched ? StretchTwin() : 0)];
        if (stretched) {
            DDBltStretch(surface, x, y, w, h, src, sx, sy, kShotCell, kShotCell, 1);
        } else {
            DDBlt(surface, x, y, kShotCell, kShotCell, src, sx, sy, 1);
        }
        return;
    }
    const int type = m_Param.m_cMoveKind;
    if (type < 0 || type >= Database.SwordType.Count()) return;
    const cVector<cSwordFrame>& frames = Database.SwordType[type].m_vFrames;
    if (m_nSwordFrame < 0 || m_nSwordFrame >= frames.Count()) return;
    const cSwordFrame& f = frames[m_nSwordFrame];
    const int picture = kSwordSurfacesPerEntry * type + (m_nDirection ? 1 : 0);
    if (stretched) {
        const int copy = StretchTwin() ? 2 : 0;
        DDBltStretch(surface, x, y, w, h, &SwordSurfaces[picture + copy], f.m_nSrcX, f.m_nSrcY, f.m_nWidth, f.m_nHeight,
                     1);
    } else {
        DDBlt(surface, x, y, f.m_nWidth, f.m_nHeight, &SwordSurfaces[picture], f.m_nSrcX, f.m_nSrcY, 1);
    }
}
