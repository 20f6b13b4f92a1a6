#pragma once
// Where the stage's drawing goes. Every drawing call of the stage objects is
// one DrawCall handed to the installed sink: in play the drawing layer
// itself, in tests a recorder, so that a test can read which calls a draw
// made, in which order, with which rectangles and which blend.
#include <array>
#include <optional>

#include "draw/blit.h"
#include "draw/device/surface.h"

enum class DrawOp : int {
    Blt,             // keyed (key 1) or plain copy, stretched when the source size differs
    Burst,           // p0 distance
    Split,           // p0 band, p1 offset, p2 vertical
    Wave,            // p0 waves, p1 amplitude, p2 phase, p3 roughness, p4 vertical
    Rotate,          // p0, p1 the pivot in the area, p2 the angle
    Turn,            // back picture src2 at (s2x, s2y); sw x sh the cell; p0 phase, p1 direction
    Circle,          // p0, p1 half width and height, p2 radius, p3 roughness
    Lens,            // (x, y) the centre; p0 radius, p1 depth, p2 clear
    Tint,            // toward palette colour p0 at level p1 (1 to 4)
    Half,            // half translucent
    Mosaic,          // p0 block size
    Blur,            // p0, p1 strength on x and y
    Fill,            // the rectangle in palette colour p0
    Clear,           // the rectangle to the raw colour value p0
    Frame,           // a frame of thickness 1 in palette colour p0
    CircleOutline,   // (x, y) the centre, p0 radius, p1 palette colour
    LineBatchReset,  // lines and fills up to the flush are drawn as one batch
    LineBatchFlush,
    SpriteBatchOff,  // sprites between off and on are drawn at once
    SpriteBatchOn,
};

struct DrawCall {
    DrawOp op = DrawOp::Blt;
    DDSURFACEDATA* dst = nullptr;
    int x = 0, y = 0, w = 0, h = 0;
    DDSURFACEDATA* src = nullptr;
    int sx = 0, sy = 0, sw = 0, sh = 0;
    int key = 1;
    // Vertex colour and colour operation the source is drawn with.
    std::optional<DDBLTCOLOR> tint;
    DDSURFACEDATA* src2 = nullptr;
    int s2x = 0, s2y = 0;
    std::array<double, 5> p{};
};

class cDrawSink {
public:
    virtual ~cDrawSink() = default;
    virtual void Draw(const DrawCall& call) = 0;
};

// The installed sink, else the drawing layer.
cDrawSink& StageDrawSink();
// Installs a sink for the stage's drawing; null goes back to the drawing
// layer. Drawing runs on one thread at a time (the game loop or the pause
// loop that waits for it), so the pointer needs no guard.
void SetStageDrawSink(cDrawSink* sink);

// Carries one call out on the drawing layer.
void DrawOnLayer(const DrawCall& call);

// Shorthands that build a call and hand it to the sink.
void SinkBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
             int key, const std::optional<DDBLTCOLOR>& tint = std::nullopt);
void SinkClear(DDSURFACEDATA* dst, int x, int y, int w, int h, DWORD value);
void SinkFill(DDSURFACEDATA* dst, int x, int y, int w, int h, int colour);
void SinkSimple(DrawOp op);
