#include "stage/drawing/draw_sink.h"

#include "draw/device/device.h"
#include "draw/device/frames.h"
#include "draw/effects/band_blits.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/pixel_effects.h"
#include "draw/effects/transform_blits.h"
#include "draw/palette.h"
#include "draw/primitives.h"
#include "draw/sprite_batch.h"

namespace {

int I(double v) { return static_cast<int>(v); }

const DDBLTCOLOR* TintOf(const DrawCall& c) { return c.tint ? &*c.tint : nullptr; }

// Operations that take no colour pair of their own get it set on the device
// around them.
class TintAround {
public:
    explicit TintAround(const DrawCall& c) : m_bOn(c.tint.has_value()) {
        if (!m_bOn) return;
        DDSetVertexColor(c.tint->dwColor);
        DDSetColorOp(c.tint->dwColorOp);
    }
    ~TintAround() {
        if (!m_bOn) return;
        DDResetVertexColor();
        DDResetColorOp();
    }
    TintAround(const TintAround&) = delete;
    TintAround& operator=(const TintAround&) = delete;

private:
    bool m_bOn;
};

void Blt(const DrawCall& c) {
    DDBltStretchOp(c.dst, c.x, c.y, c.w, c.h, c.src, c.sx, c.sy, c.sw, c.sh, c.key, TintOf(c));
}
void Burst(const DrawCall& c) {
    TintAround t(c);
    DDBltBurst(c.dst, c.x, c.y, c.w, c.h, c.src, c.sx, c.sy, I(c.p[0]), c.key);
}
void Split(const DrawCall& c) {
    TintAround t(c);
    DDBltSplit(c.dst, c.x, c.y, c.w, c.h, I(c.p[0]), I(c.p[1]), c.src, c.sx, c.sy, c.key, I(c.p[2]));
}
void Wave(const DrawCall& c) {
    TintAround t(c);
    DDBltWave(c.dst, c.x, c.y, c.w, c.h, I(c.p[0]), c.p[1], I(c.p[2]), I(c.p[3]), c.src, c.sx, c.sy, c.key, I(c.p[4]));
}
void Rotate(const DrawCall& c) {
    TintAround t(c);
    DDBltRotate(c.dst, c.x, c.y, c.w, c.h, I(c.p[0]), I(c.p[1]), I(c.p[2]), c.src, c.sx, c.sy, c.key);
}
void Turn(const DrawCall& c) {
    TintAround t(c);
    DDBltTurn(c.dst, c.x, c.y, c.w, c.h, c.src, c.sx, c.sy, c.src2, c.s2x, c.s2y, c.sw, c.sh, c.key, I(c.p[0]),
              I(c.p[1]));
}
void Circle(const DrawCall& c) {
    TintAround t(c);
    DDBltCircle(c.dst, c.x, c.y, I(c.p[0]), I(c.p[1]), I(c.p[2]), I(c.p[3]), c.src, c.sx, c.sy, c.key);
}
void Lens(const DrawCall& c) {
    DDBltLens(c.dst, c.x, c.y, I(c.p[0]), I(c.p[1]), c.src, c.sx, c.sy, c.key, I(c.p[2]), TintOf(c));
}
void Tint(const DrawCall& c) {
    DDBltTint(c.dst, c.x, c.y, c.w, c.h, c.src, c.sx, c.sy, c.key, PaletteWork, BlendTable, I(c.p[0]), I(c.p[1]),
              TintOf(c));
}
void Half(const DrawCall& c) {
    TintAround t(c);
    DDBltHalf(c.dst, c.x, c.y, c.w, c.h, c.src, c.sx, c.sy, c.key, BlendTable);
}
void Mosaic(const DrawCall& c) {
    DDPixelEffectB(c.dst, c.x, c.y, c.w, c.h, I(c.p[0]), c.src, c.sx, c.sy, c.key, TintOf(c));
}
void Blur(const DrawCall& c) {
    DDPixelEffectA(c.dst, c.x, c.y, c.w, c.h, I(c.p[0]), I(c.p[1]), c.src, c.sx, c.sy, c.key, TintOf(c));
}
void Fill(const DrawCall& c) { PalNumToRGB(c.dst, c.x, c.y, c.w, c.h, static_cast<DWORD>(c.p[0])); }
void Clear(const DrawCall& c) { DDFillRectColor(c.dst, c.x, c.y, c.w, c.h, static_cast<DWORD>(c.p[0])); }
void Frame(const DrawCall& c) { DDFrame(c.dst, c.x, c.y, c.w, c.h, 1, I(c.p[0])); }
void CircleOutline(const DrawCall& c) { DDCircle(c.dst, c.x, c.y, I(c.p[0]), static_cast<DWORD>(c.p[1])); }
void LineBatchReset(const DrawCall&) { DDFillBatchReset(); }
void LineBatchFlush(const DrawCall&) { DDFillBatchFlush(); }
void SpriteBatchOff(const DrawCall&) { DDSpriteBatchOff(); }
void SpriteBatchOn(const DrawCall&) { DDSpriteBatchOn(); }

// Indexed by DrawOp.
constexpr void (*kLayerOps[])(const DrawCall&) = {
    Blt,    Burst, Split, Wave,  Rotate, Turn,          Circle,         Lens,           Tint,           Half,
    Mosaic, Blur,  Fill,  Clear, Frame,  CircleOutline, LineBatchReset, LineBatchFlush, SpriteBatchOff, SpriteBatchOn,
};
static_assert(std::size(kLayerOps) == static_cast<std::size_t>(DrawOp::SpriteBatchOn) + 1);

class LayerSink : public cDrawSink {
public:
    void Draw(const DrawCall& call) override { DrawOnLayer(call); }
};

LayerSink g_layer;
cDrawSink* g_sink = nullptr;

}  // namespace

void DrawOnLayer(const DrawCall& call) {
    const auto op = static_cast<std::size_t>(call.op);
    if (op < std::size(kLayerOps)) kLayerOps[op](call);
}

cDrawSink& StageDrawSink() { return g_sink ? *g_sink : g_layer; }

void SetStageDrawSink(cDrawSink* sink) { g_sink = sink; }

void SinkBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
             int key, const std::optional<DDBLTCOLOR>& tint) {
    DrawCall c;
    c.op = DrawOp::Blt;
    c.dst = dst;
    c.x = x, c.y = y, c.w = w, c.h = h;
    c.src = src;
    c.sx = sx, c.sy = sy, c.sw = sw, c.sh = sh;
    c.key = key;
    c.tint = tint;
    StageDrawSink().Draw(c);
}

namespace {

void SinkArea(DrawOp op, DDSURFACEDATA* dst, int x, int y, int w, int h, double value) {
    DrawCall c;
    c.op = op;
    c.dst = dst;
    c.x = x, c.y = y, c.w = w, c.h = h;
    c.key = 0;
    c.p[0] = value;
    StageDrawSink().Draw(c);
}

}  // namespace

void SinkClear(DDSURFACEDATA* dst, int x, int y, int w, int h, DWORD value) {
    SinkArea(DrawOp::Clear, dst, x, y, w, h, value);
}

void SinkFill(DDSURFACEDATA* dst, int x, int y, int w, int h, int colour) {
    SinkArea(DrawOp::Fill, dst, x, y, w, h, colour);
}

void SinkSimple(DrawOp op) {
    DrawCall c;
    c.op = op;
    StageDrawSink().Draw(c);
}
