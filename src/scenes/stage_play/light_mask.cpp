#include "scenes/stage_play/light_mask.h"

#include <algorithm>

#include "draw/blit.h"
#include "draw/device/surfaces.h"
#include "draw/effects/transform_blits.h"
#include "draw/palette.h"
#include "foundation/report.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_object.h"

namespace {

constexpr int kDarkColour = 16;
constexpr int kClearColour = 0;

// What the mask was last made for; a mask made for something else (or not
// at all) is never drawn.
struct MaskMade {
    const DDSURFACEDATA* mask = nullptr;
    int radius = -1;
    bool round = false;
};
MaskMade g_made;

int LightRadius(const cChara& c) { return std::max(c.m_nSightPx, 0); }
bool IsRound(int kind) { return kind == LightKind::Round || kind == LightKind::RoundAhead; }

bool Matches(DDSURFACEDATA* mask, const cChara& c) {
    const int r = LightRadius(c);
    return g_made.mask == mask && g_made.radius == r && g_made.round == IsRound(c.m_Def.m_cSightShape) &&
           mask->Pixels() && mask->nWidth == 2 * r + kViewWidth * 2 && mask->nHeight == 2 * r + kViewHeight * 2;
}

}  // namespace

void DrawLightMask(DDSURFACEDATA* mask, DDSURFACEDATA* hole, const cChara& hero) {
    DDReleaseSurface(mask);
    DDReleaseSurface(hole);
    g_made = MaskMade{};
    const int r = LightRadius(hero);
    const int kind = hero.m_Def.m_cSightShape;
    const int w = 2 * r + kViewWidth * 2, h = 2 * r + kViewHeight * 2;
    if (!DDCreateSurface(mask, w, h, 1, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
        OutOfMemoryExit();
        return;
    }
    DDFillSurface(mask, kDarkColour);
    if (r > 0 && !IsRound(kind)) PalNumToRGB(mask, w / 2 - r, h / 2 - r, 2 * r, 2 * r, kClearColour);
    if (r > 0 && IsRound(kind)) {
        // Keyed, so that its transparent colour stays transparent when the
        // device path copies it into the mask.
        if (!DDCreateSurface(hole, 2 * r, 2 * r, 1, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0)) {
            OutOfMemoryExit();
            return;
        }
        DDFillSurface(hole, kClearColour);
        DDBltCircle(mask, w / 2, h / 2, r, r, r, 1, hole, r, r, 0);
    }
    g_made = MaskMade{mask, r, IsRound(kind)};
}

void DrawSpotlight(DDSURFACEDATA* dst, const cChara& chara, DDSURFACEDATA* mask, DDSURFACEDATA* hole) {
    const int kind = chara.m_Def.m_cSightShape;
    if (!dst || !mask || kind == LightKind::None) return;
    if (!Matches(mask, chara)) DrawLightMask(mask, hole, chara);
    if (!Matches(mask, chara)) return;
    const ScreenRect& rc = chara.m_rcScreen;
    const int w = rc.right - rc.left + 1, h = rc.bottom - rc.top + 1;
    int sx = mask->nWidth / 2 - w / 2 - rc.left;
    int sy = mask->nHeight / 2 - h / 2 - rc.top;
    if (kind == LightKind::RoundAhead || kind == LightKind::SquareAhead) {
        // The light reaches 2r ahead, from the character's back edge.
        const int d = chara.m_nDirection ? 1 : -1;
        sx += d * (w / 2) - d * LightRadius(chara);
    }
    sx = std::clamp(sx, 0, mask->nWidth - kViewWidth);
    sy = std::clamp(sy, 0, mask->nHeight - kViewHeight);
    DDBlt(dst, 0, 0, kViewWidth, kViewHeight, mask, sx, sy, 1);
}
