#include "scenes/stage_play/presentation/screen_effects.h"

#include <array>
#include <cmath>

#include "draw/band_blits.h"
#include "draw/blit.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/pixel_effects.h"
#include "draw/surface_table.h"
#include "draw/transform_blits.h"
#include "stage/objects/player.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr DWORD kUncovered = 16;  // the palette colour of what no effect covers

struct Centre {
    int x = kWidth / 2, y = kHeight / 2;
};

// The centre of the hero's screen rectangle of this frame; the middle of
// the screen when the stage has no hero.
Centre HeroCentre() {
    if (PlayerList.empty()) return {};
    const ScreenRect& rc = PlayerList.front().m_rcScreen;
    return {rc.left + (rc.right - rc.left + 1) / 2, rc.top + (rc.bottom - rc.top + 1) / 2};
}

// The farther distance from a centre coordinate to the two screen edges.
int FartherEdge(int c, int size) { return c >= size / 2 ? c : size - c; }

// A count or roughness the data gives as 1 or more; a file's 0 or a
// negative value draws as 1 instead of nothing (or dividing by zero).
int AtLeastOne(int n) { return n < 1 ? 1 : n; }

void CopyFrame(const ScreenEffectTarget& t, DDSURFACEDATA* copy) {
    DDBlt(copy, 0, 0, kWidth, kHeight, t.lpFrame, 0, 0, 0);
}

void ClearFrame(const ScreenEffectTarget& t) { PalNumToRGB(t.lpFrame, 0, 0, kWidth, kHeight, kUncovered); }

// Whole frames are copied with the alpha operation off.
struct FrameCopyOps {
    FrameCopyOps() { DDSetAlphaOp(D3DTOP_DISABLE); }
    ~FrameCopyOps() { DDResetAlphaOp(); }
    FrameCopyOps(const FrameCopyOps&) = delete;
    FrameCopyOps& operator=(const FrameCopyOps&) = delete;
};

// The kinds that count tenths of a second step from 0 to the time.
int StepTime(cScreenEffectRun& run) { return run.Step(0, run.Param(0)); }
int StepTween(cScreenEffectRun& run) { return run.Step(run.Param(1), run.Param(2)); }

using Handler = int (*)(cScreenEffectRun&, const ScreenEffectTarget&, int);

int DrawNone(cScreenEffectRun&, const ScreenEffectTarget&, int) {
    if (lpDTCon && lpDTCon->bVirBackBuffer) DDSetVirBackBuffer(0);
    return 0;
}

int DrawMove(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    CopyFrame(t, t.lpCopy);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBlt(t.lpFrame, run.nWorkA, run.nWorkB, kWidth, kHeight, t.lpCopy, 0, 0, 0);
    }
    if (noAdvance) return 0;
    const double time = AtLeastOne(run.Param(0));
    run.nWorkA = static_cast<int>(run.Param(1) + (run.Param(3) - run.Param(1)) / time * run.dValue);
    run.nWorkB = static_cast<int>(run.Param(2) + (run.Param(4) - run.Param(2)) / time * run.dValue);
    return StepTime(run);
}

// The shakes swing between -amplitude and +amplitude at a speed that makes
// the given number of swings in the effect's time.
void Shake(cScreenEffectRun& run) {
    const double amplitude = run.Param(1);
    const double speed = amplitude * run.Param(2) * 4.0 / TimeDivisor(run.Param(0));
    if (run.nWorkA == 1) {
        run.dShake -= speed;
        if (!(run.dShake > -amplitude)) {
            run.dShake = -amplitude;
            run.nWorkA = 0;
        }
    } else {
        run.dShake += speed;
        if (run.dShake >= amplitude) {
            run.dShake = amplitude;
            run.nWorkA = 1;
        }
    }
}

int DrawShakeX(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    CopyFrame(t, t.lpCopy);
    const double o = run.dShake;
    if (o > 0) PalNumToRGB(t.lpFrame, 0, 0, static_cast<int>(o + 1), kHeight, kUncovered);
    if (o < 0) PalNumToRGB(t.lpFrame, static_cast<int>(o + kWidth), 0, static_cast<int>(1 - o), kHeight, kUncovered);
    {
        FrameCopyOps ops;
        DDBlt(t.lpFrame, static_cast<int>(o), 0, kWidth, kHeight, t.lpCopy, 0, 0, 0);
    }
    if (noAdvance) return 0;
    Shake(run);
    return StepTime(run);
}

int DrawShakeY(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    CopyFrame(t, t.lpCopy);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBlt(t.lpFrame, 0, static_cast<int>(run.dShake), kWidth, kHeight, t.lpCopy, 0, 0, 0);
    }
    if (noAdvance) return 0;
    Shake(run);
    return StepTime(run);
}

// Strips of ceil(size / count) pixels.
int StripSize(int size, int count) { return (size + AtLeastOne(count) - 1) / AtLeastOne(count); }

int DrawSplit(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance, int vertical) {
    CopyFrame(t, t.lpCopy);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        const int strip = StripSize(vertical ? kWidth : kHeight, run.Param(3));
        DDBltSplit(t.lpFrame, 0, 0, kWidth, kHeight, strip, static_cast<int>(run.dValue), t.lpCopy, 0, 0, 0, vertical);
    }
    return noAdvance ? 0 : StepTween(run);
}
int DrawSplitX(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    return DrawSplit(run, t, noAdvance, 0);
}
int DrawSplitY(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    return DrawSplit(run, t, noAdvance, 1);
}

int DrawWave(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance, int vertical) {
    CopyFrame(t, t.lpCopy);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBltWave(t.lpFrame, 0, 0, kWidth, kHeight, run.Param(3), run.dValue, run.nWorkA, AtLeastOne(run.Param(4)),
                  t.lpCopy, 0, 0, 0, vertical);
    }
    if (noAdvance) return 0;
    if (++run.nWorkA >= 360) run.nWorkA = 0;
    return StepTween(run);
}
int DrawWaveX(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    return DrawWave(run, t, noAdvance, 0);
}
int DrawWaveY(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    return DrawWave(run, t, noAdvance, 1);
}

int DrawBlink(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    if (run.nWorkB == 0 && t.drawBackground) t.drawBackground(t.lpFrame);
    if (run.nWorkA >= run.Param(1)) {
        run.nWorkA = 0;
        run.nWorkB = !run.nWorkB;
    }
    if (noAdvance) return 0;
    ++run.nWorkA;
    return StepTime(run);
}

int DrawRotate(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    CopyFrame(t, t.lpCopyB);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBltRotate(t.lpFrame, kWidth / 2, kHeight / 2, kWidth, kHeight, kWidth / 2, kHeight / 2,
                    static_cast<int>(run.dValue), t.lpCopyB, 0, 0, 0);
    }
    return noAdvance ? 0 : StepTween(run);
}

int DrawCircle(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    const Centre c = HeroCentre();
    CopyFrame(t, t.lpCopy);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBltCircle(t.lpFrame, c.x, c.y, FartherEdge(c.x, kWidth), FartherEdge(c.y, kHeight),
                    static_cast<int>(run.dValue), AtLeastOne(run.Param(3)), t.lpCopy, c.x, c.y, 0);
    }
    return noAdvance ? 0 : StepTween(run);
}

// The copy is clamped to the frame when zooming in; zooming out shows it
// smaller in the middle of an uncovered frame.
int DrawZoom(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    const Centre c = HeroCentre();
    const double z = run.dValue * 0.0015625;
    CopyFrame(t, t.lpZoomCopy);
    {
        FrameCopyOps ops;
        if (z >= 1) {
            const double w = kWidth / z, h = kHeight / z;
            int sx = static_cast<int>(c.x - w / 2);
            int sy = static_cast<int>(c.y - h / 2);
            if (sx + static_cast<int>(w) > kWidth - 1) sx = static_cast<int>(kWidth - w);
            else if (sx < 0) sx = 0;
            if (sy + static_cast<int>(h) > kHeight - 1) sy = static_cast<int>(kHeight - h);
            else if (sy < 0) sy = 0;
            DDBltStretch(t.lpFrame, 0, 0, kWidth, kHeight, t.lpZoomCopy, sx, sy, static_cast<int>(w),
                         static_cast<int>(h), 1);
        } else {
            ClearFrame(t);
            DDBltStretch(t.lpFrame, static_cast<int>((kWidth - z * kWidth) / 2),
                         static_cast<int>((kHeight - z * kHeight) / 2), static_cast<int>(z * kWidth),
                         static_cast<int>(z * kHeight), t.lpZoomCopy, 0, 0, kWidth, kHeight, 1);
        }
    }
    return noAdvance ? 0 : StepTween(run);
}

int DrawLens(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    const Centre hero = HeroCentre();
    const int ex = hero.x + run.Param(3), ey = hero.y + run.Param(4);
    const int radius = static_cast<int>(std::sqrt(2.0) * std::max(FartherEdge(ex, kWidth), FartherEdge(ey, kHeight)));
    const int side = (DDSetting.nBpp == 16 ? 4 : 2) * radius;
    PalNumToRGB(t.lpCopyB, 0, 0, side, side, 0);
    CopyFrame(t, t.lpCopyB);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDBltLens(t.lpFrame, ex, ey, radius, static_cast<int>(run.dValue), t.lpCopyB, ex, ey, 0, 0, nullptr);
    }
    return noAdvance ? 0 : StepTween(run);
}

int DrawMosaic(cScreenEffectRun& run, const ScreenEffectTarget& t, int noAdvance) {
    CopyFrame(t, t.lpCopyB);
    ClearFrame(t);
    {
        FrameCopyOps ops;
        DDPixelEffectB(t.lpFrame, 0, 0, kWidth, kHeight, AtLeastOne(static_cast<int>(run.dValue)), t.lpCopyB, 0, 0, 0,
                       nullptr);
    }
    return noAdvance ? 0 : StepTween(run);
}

constexpr std::array<Handler, 14> ScreenEffectTable = {
    DrawNone,  DrawMove,  DrawShakeX, DrawShakeY, DrawSplitX, DrawSplitY, DrawWaveX,
    DrawWaveY, DrawBlink, DrawRotate, DrawCircle, DrawZoom,   DrawLens,   DrawMosaic,
};

}  // namespace

ScreenEffectTarget StageScreenEffectTarget(DDSURFACEDATA* zoomCopy) {
    ScreenEffectTarget t;
    t.lpFrame = &BackBuffer;
    t.lpCopy = &SurfaceArray[68];
    t.lpCopyB = &SurfaceArray[69];
    t.lpZoomCopy = zoomCopy;
    return t;
}

void BeginScreenEffectFrame(const cScreenEffectRun& run) {
    if (run.nEffect != 0) DDSetVirBackBuffer(1);
}

void RunScreenEffectCommand(cScreenEffectRun& run, int number, int mode, int loop) {
    if (number == 0) {
        run = cScreenEffectRun();
    } else {
        run.Start(number, mode, loop);
    }
    if (run.nEffect == 0 && lpDTCon && lpDTCon->bVirBackBuffer) DDSetVirBackBuffer(0);
}

void DrawScreenEffect(cScreenEffectRun& run, const ScreenEffectTarget& target, int noAdvance) {
    if (run.nEffect == 0) return;
    const int kind = run.lpEntry ? run.lpEntry->m_nKind : 0;
    // A kind no table entry draws (a damaged file) ends the effect.
    const bool known = kind >= 0 && kind < static_cast<int>(ScreenEffectTable.size());
    const int finished = known ? ScreenEffectTable[static_cast<std::size_t>(kind)](run, target, noAdvance) : 1;
    if (!finished) return;
    run.nEffect = 0;
    DDSetVirBackBuffer(0);
}
