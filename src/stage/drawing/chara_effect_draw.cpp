#include "stage/drawing/chara_effect_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "gamedata/global_data.h"
#include "stage/drawing/draw_sink.h"
#include "stage/objects/chara.h"

namespace {

// What every entry reads: where the character lands on the screen, at which
// size, from which cell, and how far its run has come.
struct EffectDraw {
    cChara& c;
    DDSURFACEDATA* dst;
    GraphicSource& g;
    int noAdvance;
    int draw;
    cCharaEffectRun& run;
    int X, Y, W, H;
    int scale;
    int m;
    int cellW, cellH;  // the cell in the picture: m x the base size
    bool natural;
    bool d3d;
    bool batching;  // Direct3D sprite batching in character effects

    double v() const { return run.dValue; }
    int Param(int i) const { return run.Param(i); }
    // Ends the entry: steps the run unless the frame is frozen.
    int Finish() const { return noAdvance ? 0 : run.Step(); }
};

EffectDraw Prepare(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const int scale = c.Scale();
    const int m = g.nCellMul > 0 ? g.nCellMul : 1;
    const bool natural = g.bCustomCell ? scale == m : scale <= 1;
    const bool d3d = DDSetting.bD3D != 0;
    return EffectDraw{c,
                      dst,
                      g,
                      noAdvance,
                      draw,
                      c.m_EffectRun,
                      c.m_rcScreen.left,
                      c.m_rcScreen.top,
                      c.m_rcGraphic.w,
                      c.m_rcGraphic.h,
                      scale,
                      m,
                      m * c.m_rcGraphicBase.w,
                      m * c.m_rcGraphicBase.h,
                      natural,
                      d3d,
                      d3d && !SystemData.m_bCompatCharaDraw};
}

DDSURFACEDATA* Work(int index) { return &SurfaceArray[index]; }

// A call of an effect operation from a picture's cell to the destination.
DrawCall EffectCall(DrawOp op, const EffectDraw& e, DDSURFACEDATA* src, int sx, int sy) {
    DrawCall c;
    c.op = op;
    c.dst = e.dst;
    c.x = e.X, c.y = e.Y, c.w = e.W, c.h = e.H;
    c.src = src;
    c.sx = sx, c.sy = sy;
    c.sw = e.W, c.sh = e.H;
    c.key = 1;
    return c;
}

void Emit(const DrawCall& call) { StageDrawSink().Draw(call); }

void BatchOff(const EffectDraw& e) {
    if (e.d3d) SinkSimple(DrawOp::SpriteBatchOff);
}
void BatchOn(const EffectDraw& e) {
    if (e.d3d) SinkSimple(DrawOp::SpriteBatchOn);
}

// The character at its scaled size into a work picture at (0, 0), unkeyed.
void RenderToWork(const EffectDraw& e, DDSURFACEDATA* work) {
    SinkBlt(work, 0, 0, e.W, e.H, e.g.lpChosen, e.g.sx, e.g.sy, e.cellW, e.cellH, 0);
}
// The natural cell with its flash colour into a work picture at (0, 0).
void RenderTintedToWork(const EffectDraw& e, DDSURFACEDATA* work) {
    SinkBlt(work, 0, 0, e.W, e.H, e.g.lpPrimary, e.g.sx, e.g.sy, e.W, e.H, 0, e.g.tint);
}

// A source for an effect: a picture and the top-left of the cell in it.
struct Cell {
    DDSURFACEDATA* src;
    int sx, sy;
};
Cell SecondaryCell(const EffectDraw& e) { return {e.g.lpSecondary, e.g.sx, e.g.sy}; }

int PlainDraw(const EffectDraw& e) {
    if (!e.draw) return 0;
    if (e.natural) SinkBlt(e.dst, e.X, e.Y, e.W, e.H, e.g.lpPrimary, e.g.sx, e.g.sy, e.W, e.H, 1, e.g.tint);
    else SinkBlt(e.dst, e.X, e.Y, e.W, e.H, e.g.lpChosen, e.g.sx, e.g.sy, e.cellW, e.cellH, 1, e.g.tint);
    return 0;
}

int Entry0(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    return PlainDraw(Prepare(c, dst, g, noAdvance, draw));
}

// Entries that read the natural cell, or the character rendered into
// EffectWork with its lengths scaled; `lengths` scales the call's
// parameters for the stretched case.
template <class Build>
void NaturalOrWork(const EffectDraw& e, DrawOp op, bool batchAround, Build build) {
    if (e.natural) {
        DrawCall call = EffectCall(op, e, e.g.lpPrimary, e.g.sx, e.g.sy);
        call.tint = e.g.tint;
        build(call, 1);
        Emit(call);
        return;
    }
    if (batchAround) BatchOff(e);
    RenderToWork(e, EffectWork);
    DrawCall call = EffectCall(op, e, EffectWork, 0, 0);
    call.tint = e.g.tint;
    build(call, e.scale);
    Emit(call);
    if (batchAround) BatchOn(e);
}

int Entry1Burst(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        if (e.natural) {
            NaturalOrWork(e, DrawOp::Burst, false, [&](DrawCall& call, int) { call.p[0] = static_cast<int>(e.v()); });
        } else {
            if (e.batching) BatchOff(e);
            RenderToWork(e, EffectWork);
            DrawCall call = EffectCall(DrawOp::Burst, e, EffectWork, 0, 0);
            if (e.batching) call.tint = e.g.tint;
            call.p[0] = static_cast<int>(e.scale * e.v());
            Emit(call);
            if (e.batching) BatchOn(e);
        }
    }
    return e.Finish();
}

// A strip count of 0 or less from data draws one strip.
int Strip(int length, int count) {
    if (count < 1) count = 1;
    return std::max(1, (length + count - 1) / count);
}

int SplitEntry(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw, int vertical) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        NaturalOrWork(e, DrawOp::Split, true, [&](DrawCall& call, int scale) {
            call.p[0] = Strip(vertical ? e.W : e.H, e.Param(3));
            call.p[1] = static_cast<int>(scale * e.v());
            call.p[2] = vertical;
        });
    }
    return e.Finish();
}
int Entry2(cChara& c, DDSURFACEDATA* d, GraphicSource& g, int n, int draw) { return SplitEntry(c, d, g, n, draw, 0); }
int Entry3(cChara& c, DDSURFACEDATA* d, GraphicSource& g, int n, int draw) { return SplitEntry(c, d, g, n, draw, 1); }

int WaveEntry(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw, int vertical) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        NaturalOrWork(e, DrawOp::Wave, true, [&](DrawCall& call, int scale) {
            call.p[0] = e.Param(3);
            call.p[1] = scale * e.v();
            call.p[2] = e.run.nPhase;
            call.p[3] = scale * e.Param(4);
            call.p[4] = vertical;
        });
    }
    if (!noAdvance && ++e.run.nPhase > 359) e.run.nPhase = 0;
    return e.Finish();
}
int Entry4(cChara& c, DDSURFACEDATA* d, GraphicSource& g, int n, int draw) { return WaveEntry(c, d, g, n, draw, 0); }
int Entry5(cChara& c, DDSURFACEDATA* d, GraphicSource& g, int n, int draw) { return WaveEntry(c, d, g, n, draw, 1); }

// The blink: the character starts hidden and toggles every `interval`
// frames after the first.
void Blink(const EffectDraw& e, int interval) {
    if (e.run.nPhase >= interval) {
        e.run.nPhase = 0;
        e.run.bVisible = e.run.bVisible ? 0 : 1;
    }
    if (!e.noAdvance) ++e.run.nPhase;
}

int Entry6Blink(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.run.bVisible) PlainDraw(e);
    Blink(e, e.Param(1));
    return e.Finish();
}

DrawCall RotateCall(const EffectDraw& e, Cell cell) {
    DrawCall call = EffectCall(DrawOp::Rotate, e, cell.src, cell.sx, cell.sy);
    call.x = e.X + e.W / 2;
    call.y = e.Y + e.H / 2;
    call.p[0] = e.W / 2;
    call.p[1] = e.H / 2;
    call.p[2] = static_cast<int>(e.v());
    return call;
}

void DrawRotateB(const EffectDraw& e) {
    if (e.natural) {
        DrawCall call = RotateCall(e, SecondaryCell(e));
        call.tint = e.g.tint;
        Emit(call);
        return;
    }
    DDSURFACEDATA* work = Work(e.d3d ? Picture::Work68 : Picture::Work69);
    BatchOff(e);
    RenderToWork(e, work);
    BatchOn(e);
    DrawCall call = RotateCall(e, {work, 0, 0});
    call.tint = e.g.tint;
    Emit(call);
}

int Entry7RotateA(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw && e.d3d) {
        DrawRotateB(e);
    } else if (e.draw && e.natural) {
        Emit(RotateCall(e, SecondaryCell(e)));
    } else if (e.draw) {
        // The turned cell needs room for its corners: a square of the
        // diagonal, stretched back over the character's centre.
        const int d = static_cast<int>(e.cellW * std::sqrt(2.0));
        SinkClear(EffectWork, 0, 0, d, d, 0);
        DrawCall turn;
        turn.op = DrawOp::Rotate;
        turn.dst = EffectWork;
        turn.x = d / 2, turn.y = d / 2, turn.w = e.cellW, turn.h = e.cellH;
        turn.src = e.g.lpSecondary;
        turn.sx = e.g.sx, turn.sy = e.g.sy;
        turn.key = 0;
        turn.p = {static_cast<double>(e.cellW / 2), static_cast<double>(e.cellH / 2),
                  static_cast<double>(static_cast<int>(e.v())), 0, 0};
        Emit(turn);
        const int side = static_cast<int>(std::sqrt(2.0) * e.W);
        SinkBlt(e.dst, e.X + e.W / 2 - side / 2, e.Y + e.H / 2 - side / 2, side, side, EffectWork, 0, 0, d, d, 1);
    }
    return e.Finish();
}

int Entry8RotateB(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) DrawRotateB(e);
    return e.Finish();
}

int Entry9Turn(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        DrawCall call = EffectCall(DrawOp::Turn, e, e.g.lpChosen, e.g.sx, e.g.sy);
        call.src2 = e.g.lpChosenTwin;
        call.s2x = e.g.sx, call.s2y = e.g.sy;
        call.sw = e.cellW, call.sh = e.cellH;
        call.tint = e.g.tint;
        call.p[0] = static_cast<int>(e.v());
        Emit(call);
    }
    return e.Finish();
}

int Entry10Circle(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        const bool direct = e.natural && !e.d3d;
        if (!direct) {
            BatchOff(e);
            RenderToWork(e, EffectWork);
        }
        const int scale = direct ? 1 : e.scale;
        DrawCall call = EffectCall(DrawOp::Circle, e, direct ? e.g.lpPrimary : EffectWork,
                                   (direct ? e.g.sx : 0) + e.W / 2, (direct ? e.g.sy : 0) + e.H / 2);
        call.x = e.X + e.W / 2;
        call.y = e.Y + e.H / 2;
        call.tint = e.g.tint;
        call.p = {static_cast<double>(e.W / 2), static_cast<double>(e.H / 2),
                  static_cast<double>(static_cast<int>(scale * e.v())), static_cast<double>(scale * e.Param(3)), 0};
        Emit(call);
        if (!direct) BatchOn(e);
    }
    return e.Finish();
}

int Entry11Zoom(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw && e.natural) {
        const int grow = static_cast<int>(e.v() - 32);
        SinkBlt(e.dst, e.X - grow / 2, e.Y - grow / 2, e.W + grow, e.H + grow, e.g.lpSecondary, e.g.sx, e.g.sy, e.W,
                e.H, 1, e.g.tint);
    } else if (e.draw) {
        const int grow = static_cast<int>((e.v() - 32) * e.scale);
        BatchOff(e);
        RenderToWork(e, EffectWork);
        SinkBlt(e.dst, e.X - (grow >> 2), e.Y - (grow >> 2), e.W + (grow >> 1), e.H + (grow >> 1), EffectWork, 0, 0,
                e.W, e.H, 1, e.g.tint);
        BatchOn(e);
    }
    return e.Finish();
}

// Through work picture 70 when the device cannot take the operation's
// result straight onto the back buffer (a flash colour, or the virtual back
// buffer); else straight to the destination.
bool ThroughWork70(const EffectDraw& e) { return e.d3d && (e.g.tint || (lpDTCon && lpDTCon->bVirBackBuffer)); }

void DrawLens(const EffectDraw& e) {
    const int dx = e.Param(3) * e.scale, dy = e.Param(4) * e.scale;
    const int R = static_cast<int>(std::sqrt(2.0) * (std::max(std::abs(dx), std::abs(dy)) + e.W / 2));
    const int cx = e.X + e.W / 2 + dx, cy = e.Y + e.H / 2 + dy;
    const int srcX = e.W / 2 + dx, srcY = e.H / 2 + dy;
    DrawCall lens;
    lens.op = DrawOp::Lens;
    lens.src = EffectWork2;
    lens.sx = srcX, lens.sy = srcY;
    lens.key = 1;
    lens.p[0] = R;
    if (e.batching) {
        SinkClear(EffectWork2, 0, 0, 4 * R, 4 * R, 0);
        RenderToWork(e, EffectWork2);
        lens.dst = e.dst;
        lens.x = cx, lens.y = cy;
        lens.p[1] = static_cast<int>(e.v()) * e.scale;
        lens.tint = e.g.tint;
        Emit(lens);
        return;
    }
    const int side = !e.d3d && DDSetting.nBpp != 16 ? 2 * R : 4 * R;
    SinkClear(EffectWork2, 0, 0, side, side, 0);
    if (e.natural) {
        SinkBlt(EffectWork2, 0, 0, e.W, e.H, e.g.lpPrimary, e.g.sx, e.g.sy, e.W, e.H, 0, e.g.tint);
        lens.p[1] = static_cast<int>(e.v());
    } else {
        RenderToWork(e, EffectWork2);
        lens.p[1] = static_cast<int>(e.v()) * e.scale;
    }
    if (ThroughWork70(e)) {
        DDSURFACEDATA* work = Work(Picture::Work70);
        SinkClear(work, 0, 0, 4 * R, 4 * R, 0);
        lens.dst = work;
        lens.x = R, lens.y = R;
        lens.p[2] = !e.g.tint && DDSetting.nBpp == 32 && DDSetting.nWindowMode ? 1 : 0;
        Emit(lens);
        SinkBlt(e.dst, cx - R, cy - R, 2 * R, 2 * R, work, 0, 0, 2 * R, 2 * R, 1, e.g.tint);
        return;
    }
    lens.dst = e.dst;
    lens.x = cx, lens.y = cy;
    Emit(lens);
}

int Entry12Lens(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) DrawLens(e);
    return e.Finish();
}

DrawCall TintCall(const EffectDraw& e, Cell cell, int colour, int level) {
    DrawCall call = EffectCall(DrawOp::Tint, e, cell.src, cell.sx, cell.sy);
    call.p[0] = colour;
    call.p[1] = level;
    return call;
}

// The source of a CPU-side blend: with batching the character rendered
// into a cleared work picture; else the natural secondary cell, or the
// character rendered (tinted when natural) into work picture 69.
Cell BlendSource(const EffectDraw& e, DDSURFACEDATA* batchWork, bool secondaryWhenTinted) {
    if (e.batching) {
        SinkClear(batchWork, 0, 0, e.W, e.H, 0);
        RenderToWork(e, batchWork);
        return {batchWork, 0, 0};
    }
    if (e.natural && (!e.g.tint || secondaryWhenTinted)) return SecondaryCell(e);
    DDSURFACEDATA* work = Work(Picture::Work69);
    if (e.natural) RenderTintedToWork(e, work);
    else RenderToWork(e, work);
    return {work, 0, 0};
}

int Entry13Colour(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) {
        DrawCall call = TintCall(e, BlendSource(e, EffectWork2, false), e.Param(3), static_cast<int>(e.v()));
        if (e.batching) call.tint = e.g.tint;
        Emit(call);
    }
    return e.Finish();
}

int Entry14Translucent(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw && !e.run.bVisible) {
        if (e.batching) BatchOff(e);
        const Cell cell = BlendSource(e, Work(Picture::Work69), !e.d3d);
        Emit(EffectCall(DrawOp::Half, e, cell.src, cell.sx, cell.sy));
        if (e.batching) BatchOn(e);
    }
    Blink(e, e.Param(1));
    return e.Finish();
}

// Mosaic and blur: the character in EffectWork2, the effect into work
// picture 70 where the device needs it, then onto the destination.
void PixelEffect(const EffectDraw& e, DrawOp op, int strength) {
    auto effect = [&](DDSURFACEDATA* to, int x, int y, Cell from, bool tinted) {
        DrawCall call = EffectCall(op, e, from.src, from.sx, from.sy);
        call.dst = to;
        call.x = x, call.y = y;
        call.p = {static_cast<double>(strength), static_cast<double>(strength), 0, 0, 0};
        if (tinted) call.tint = e.g.tint;
        Emit(call);
    };
    auto viaWork70 = [&](Cell from, bool tintBack) {
        DDSURFACEDATA* work = Work(Picture::Work70);
        SinkClear(work, 0, 0, 2 * e.W, 2 * e.H, 0);
        effect(work, 0, 0, from, false);
        SinkBlt(e.dst, e.X, e.Y, e.W, e.H, work, 0, 0, e.W, e.H, 1, tintBack ? e.g.tint : std::optional<DDBLTCOLOR>{});
    };
    const Cell work2{EffectWork2, 0, 0};
    if (e.batching) {
        RenderToWork(e, EffectWork2);
        effect(e.dst, e.X, e.Y, work2, true);
    } else if (!e.natural) {
        RenderToWork(e, EffectWork2);
        if (ThroughWork70(e)) viaWork70(work2, true);
        else effect(e.dst, e.X, e.Y, work2, false);
    } else if (!e.d3d) {
        effect(e.dst, e.X, e.Y, SecondaryCell(e), false);
    } else {
        SinkBlt(EffectWork2, 0, 0, e.W, e.H, e.g.lpPrimary, e.g.sx, e.g.sy, e.W, e.H, 0, e.g.tint);
        viaWork70(work2, true);
    }
}

int Entry15Mosaic(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (e.draw) PixelEffect(e, DrawOp::Mosaic, std::max(1, static_cast<int>(e.v())));
    return e.Finish();
}

int Entry16Blur(cChara& c, DDSURFACEDATA* dst, GraphicSource& g, int noAdvance, int draw) {
    const EffectDraw e = Prepare(c, dst, g, noAdvance, draw);
    if (!e.draw) return e.Finish();
    // 8-bit colour has no blend of neighbours: it fades toward colour 31.
    constexpr int kBlurFadeColour = 31;
    const bool paletted = !e.d3d && DDSetting.nBpp == 8;
    if (paletted && !e.batching) {
        Cell from = SecondaryCell(e);
        if (!e.natural) {
            RenderToWork(e, EffectWork2);
            from = {EffectWork2, 0, 0};
        }
        Emit(TintCall(e, from, kBlurFadeColour, static_cast<int>(e.v())));
    } else {
        PixelEffect(e, DrawOp::Blur, static_cast<int>(e.v()));
    }
    return e.Finish();
}

}  // namespace

const CharaEffectEntry CharaEffectDrawTable[kCharaEffectEntries] = {
    Entry0,        Entry1Burst, Entry2,        Entry3,        Entry4,
    Entry5,        Entry6Blink, Entry7RotateA, Entry8RotateB, Entry9Turn,
    Entry10Circle, Entry11Zoom, Entry12Lens,   Entry13Colour, Entry14Translucent,
    Entry15Mosaic, Entry16Blur,
};

CharaEffectEntry CharaEffectEntryOf(const cChara& chara) {
    const int kind = chara.m_EffectRun.Kind();
    return kind >= 0 && kind < kCharaEffectEntries ? CharaEffectDrawTable[kind] : Entry0;
}
