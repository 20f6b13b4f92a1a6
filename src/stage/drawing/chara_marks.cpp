// The marks drawn around characters besides the characters themselves: the
// life and SP gauges, the hero's marker rectangles and, for the game's
// author, the areas of distance conditions.
#include "stage/drawing/chara_marks.h"

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/global_data.h"
#include "shell/app_state.h"
#include "stage/drawing/chara_effect_draw.h"
#include "stage/drawing/chara_graphic.h"
#include "stage/drawing/draw_sink.h"
#include "stage/objects/chara.h"
#include "stage/objects/message_sink.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kGaugeWidth = 50;
constexpr int kGaugeHeight = 2;
constexpr int kBlinkMask = 31;
// The counter moves the colour one shade every 8 frames, through four.
constexpr int kFramesPerShade = 8;

int g_areaCounter = 0;

// In 8-bit colour with colour cycling the palette itself blinks the
// shades, so the drawing keeps the first.
bool PaletteBlinks() { return !DDSetting.bD3D && DDSetting.nBpp == 8 && SystemData.m_bColourCycle; }

int Shade(int colour, int counter) { return PaletteBlinks() ? colour : colour + counter / kFramesPerShade; }

const CharaBox* MarkerBox(const cPlayer& hero, int anchor) {
    switch (anchor) {
        case MarkerAnchor::BodyBox: return &hero.m_rcBodyBox;
        case MarkerAnchor::ItemBox: return &hero.m_rcItemBox;
        case MarkerAnchor::ShotBox: return &hero.m_rcShotBox;
        default: return nullptr;
    }
}

void VerticalLine(DDSURFACEDATA* dst, int x, int colour) { SinkFill(dst, x, 0, 1, kViewHeight, colour); }
void HorizontalLine(DDSURFACEDATA* dst, int y, int colour) { SinkFill(dst, 0, y, kViewWidth, 1, colour); }

// A circle larger than the drawing path's own circles is drawn small in a
// work picture and stretched.
constexpr int kLargestCircle = 64;

void CircleArea(DDSURFACEDATA* dst, int cx, int cy, int d, int colour) {
    if (DDSetting.bD3D || d <= kLargestCircle) {
        DrawCall call;
        call.op = DrawOp::CircleOutline;
        call.dst = dst;
        call.x = cx, call.y = cy;
        call.key = 0;
        call.p = {static_cast<double>(d), static_cast<double>(colour), 0, 0, 0};
        StageDrawSink().Draw(call);
        return;
    }
    DDSURFACEDATA* work = &SurfaceArray[SystemIni.DD_VideoStretch ? Picture::Work68 : Picture::Work69];
    constexpr int side = 2 * kLargestCircle + 1;
    SinkClear(work, 0, 0, side, side, 0);
    DrawCall call;
    call.op = DrawOp::CircleOutline;
    call.dst = work;
    call.x = call.y = kLargestCircle;
    call.key = 0;
    call.p = {kLargestCircle, static_cast<double>(colour), 0, 0, 0};
    StageDrawSink().Draw(call);
    SinkBlt(dst, cx - d, cy - d, 2 * d, 2 * d, work, 0, 0, side, side, 1);
}

template <class Each>
void ForEachShownChara(Each each) {
    for (const cList<cChara*>& force : StageState().m_vecForce) {
        for (cChara* chara : force) {
            if (chara && !chara->m_bDead && chara->IsOnScreen()) each(*chara);
        }
    }
}

void DrawDistanceConds(cChara& chara, DDSURFACEDATA* dst, const cVector<cCond>& conds) {
    for (const cCond& cond : conds) {
        if (cond.m_cKind == CondKind::Distance) chara.DrawConditionArea(dst, cond);
    }
}

}  // namespace

const int AreaColours[kAreaColourCount] = {208, 212, 216, 220, 224, 228, 232, 236};

int AreaCounter() { return g_areaCounter; }
void ResetAreaCounter() { g_areaCounter = 0; }

void cChara::DrawGauge(DDSURFACEDATA* dst, GaugeRecord& gauge, int which) {
    if (gauge.nRemain < 1 || m_bDead) return;
    DDSURFACEDATA* accessory = &SurfaceArray[Picture::Accessory];
    const bool tall = accessory->nHeight > 208;
    const int base = tall ? 208 : 128;
    const int step = tall ? 2 : 16;
    const int sx = which ? 64 : 0;
    const int x = m_rcScreen.left + m_rcGraphic.w / 2 - kGaugeWidth / 2;
    const int y = m_rcScreen.top - (which ? 7 : 3);
    const int value = which ? m_nSP : m_nLife;
    const int maximum = which ? m_Def.m_nMaxSp : m_Def.m_nMaxHp;
    const int fill = gauge.nFill;
    auto strip = [&](int at, int width, int row) {
        if (width > 0) SinkBlt(dst, at, y, width, kGaugeHeight, accessory, sx, row, width, kGaugeHeight, 1);
    };
    strip(x, kGaugeWidth, base);
    const bool warning = SystemData.CheckThreshold(which ? 3 : 2, value, maximum) != 0;
    strip(x, fill, base + (warning ? 2 : 1) * step);
    if (gauge.dTrail >= 0) {
        const int t = static_cast<int>(gauge.dTrail);
        strip(x + fill - t, t, base + 4 * step);
    } else {
        const int t = static_cast<int>(-gauge.dTrail);
        strip(x + fill, t, base + 3 * step);
    }
    --gauge.nRemain;
    if (gauge.nRemain < 60) gauge.dTrail = 0.0;
    else gauge.dTrail -= gauge.dTrailStep;
}

void cChara::DrawMarkerRects(DDSURFACEDATA* dst, int noAdvance) {
    Draw(dst, noAdvance);
    auto* hero = dynamic_cast<cPlayer*>(this);
    if (!hero) return;
    for (MarkerRect& r : hero->m_vecMarker) {
        if (r.nStyle == 0) continue;
        r.x = m_rcScreen.left + m_rcGraphic.x;
        r.y = m_rcScreen.top + m_rcGraphic.y;
        if (const CharaBox* box = MarkerBox(*hero, r.nAnchor)) {
            r.x += box->rc.x;
            r.y += box->rc.y;
        }
        const int colour = Shade(r.nColour, r.nBlink);
        if (r.nStyle == 1) {
            SinkFill(dst, r.x, r.y, r.w, r.h, colour);
        } else {
            DrawCall frame;
            frame.op = DrawOp::Frame;
            frame.dst = dst;
            frame.x = r.x, frame.y = r.y, frame.w = r.w, frame.h = r.h;
            frame.key = 0;
            frame.p[0] = colour;
            StageDrawSink().Draw(frame);
        }
        if (!noAdvance) r.nBlink = (r.nBlink + 1) & kBlinkMask;
    }
}

void cChara::DrawConditionArea(DDSURFACEDATA* dst, const cCond& cond) {
    const int show = cond.m_cLeftKind;
    if (show == 0 || (show == 2 && !TestPlay)) return;
    if (!cond.m_cRightKind && !m_bExists) return;
    UpdateCharaScreenRect(*this);
    if (m_Def.m_bTransparent && !cond.m_cRightOwner) return;
    const int index = cond.m_cStatus >= 0 && cond.m_cStatus < kAreaColourCount ? cond.m_cStatus : 0;
    const int colour = Shade(AreaColours[index], g_areaCounter);
    const int d = cond.m_nValue * 16 + cond.m_sRightIndex;
    const ScreenRect& r = m_rcScreen;
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const bool right = m_nDirection != 0;
    auto vertical = [&](int a, int b) {
        VerticalLine(dst, a, colour);
        VerticalLine(dst, b, colour);
    };
    auto horizontal = [&](int a, int b) {
        HorizontalLine(dst, a, colour);
        HorizontalLine(dst, b, colour);
    };
    switch (cond.m_cDirection) {
        case 0: vertical(r.left - d, r.right + d); break;
        case 1: right ? vertical(cx, r.right + d) : vertical(r.left - d, cx); break;
        case 2: right ? vertical(r.left - d, cx) : vertical(cx, r.right + d); break;
        case 3: horizontal(r.top - d, r.bottom + d); break;
        case 4: right ? horizontal(cy, r.bottom + d) : horizontal(r.top - d, cy); break;
        case 5: right ? horizontal(r.top - d, cy) : horizontal(cy, r.bottom + d); break;
        case 6: CircleArea(dst, cx, cy, d, colour); break;
        default: break;
    }
}

void cChara::DrawConditionAreas(DDSURFACEDATA* dst) {
    if (!PaletteBlinks()) g_areaCounter = (g_areaCounter + 1) & kBlinkMask;
    SinkSimple(DrawOp::LineBatchReset);
    ForEachShownChara([&](cChara& chara) {
        if (chara.m_Def.m_bCondLatch && chara.m_bCondMet) return;
        DrawDistanceConds(chara, dst, chara.m_Def.m_vCond);
    });
    SinkSimple(DrawOp::LineBatchFlush);
    SinkSimple(DrawOp::LineBatchReset);
    ForEachShownChara([&](cChara& chara) {
        for (const cFlow& flow : chara.m_Def.m_vFlow) {
            if (flow.m_bCondLatch && chara.m_bCondMet) continue;
            DrawDistanceConds(chara, dst, flow.m_vCond);
        }
    });
    SinkSimple(DrawOp::LineBatchFlush);
}

void cChara::ShowPickupIcon(int graphicKind, int graphicNumber, int column) {
    constexpr int kIconFrames = 30;
    MessageRequest icon;
    icon.nKind = MessageKind::Icon;
    icon.nGraphicKind = graphicKind;
    icon.nGraphicNo = graphicNumber;
    icon.nColumn = column;
    icon.nPlace = MessagePlace::AboveHero;
    icon.bAnchored = 1;
    icon.nTimeKind = MessageTime::Frames;
    icon.nRemain = kIconFrames;
    icon.nOwnerId = m_nId;
    StageState().AddMessage(icon);
}
