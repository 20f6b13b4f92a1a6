#include "draw/effects/band_blits.h"

#include <cmath>

#include "draw/blit.h"
#include "draw/sprite_batch.h"

namespace {

constexpr double kDegree = 0.017453292519943295;

// Opens a plain sprite batch for the bands of one effect and flushes it when
// the effect is drawn.
struct BANDBATCH {
    BANDBATCH() { DDSpriteBatchOpen(0); }
    ~BANDBATCH() { DDSpriteBatchFlush(); }
    BANDBATCH(const BANDBATCH&) = delete;
    BANDBATCH& operator=(const BANDBATCH&) = delete;
};

}  // namespace

void DDBltWave(DDSURFACEDATA* dst, int x, int y, int w, int h, int waveCount, double amplitude, int phase, int band,
               DDSURFACEDATA* src, int sx, int sy, int flags, int vertical) {
    if (band <= 0) return;
    const double k = waveCount * kDegree;
    const int length = vertical ? w : h;
    const double step = 360.0 / length;
    BANDBATCH batch;
    double acc = 0;
    for (int c = 0; c < length; c += band) {
        acc += step * band;
        const int size = c + band > length ? length - c : band;
        const int shift = static_cast<int>(amplitude * std::sin(k * (phase + acc)));
        if (vertical) DDBlt(dst, x + c, y + shift, size, h, src, sx + c, sy, flags);
        else DDBlt(dst, x + shift, y + c, w, size, src, sx, sy + c, flags);
    }
}

void DDBltSplit(DDSURFACEDATA* dst, int x, int y, int w, int h, int band, int offset, DDSURFACEDATA* src, int sx,
                int sy, int flags, int vertical) {
    if (band == 0) {
        DDBlt(dst, x, y, w, h, src, sx, sy, flags);
        return;
    }
    BANDBATCH batch;
    const int count = (vertical ? w : h) / band;
    for (int k = 0; k < count; ++k) {
        const int start = k * band;
        const int shift = k % 2 ? -offset : offset;
        if (vertical) DDBlt(dst, x + start, y + shift, band, h, src, sx + start, sy, flags);
        else DDBlt(dst, x + shift, y + start, w, band, src, sx, sy + start, flags);
    }
}

int DDBltTurn(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* front, int fx, int fy, DDSURFACEDATA* back,
              int bx, int by, int sw, int sh, int flags, int phase, int direction) {
    if (direction != 0 && direction != 1) return 0;
    const int size = direction == 0 ? w : h;
    const int u = size >> 1;
    if (u < 1) return 0;  // the half is the divisor below
    const int v = (phase / u) % 2 == 0 ? phase % u : u - phase % u - 1;
    const bool backShows = ((phase + u) / size) % 2 != 0;
    DDSURFACEDATA* pic = backShows ? back : front;
    const int px = backShows ? bx : fx, py = backShows ? by : fy;
    if (direction == 0) return DDBltStretch(dst, x + v, y, w - 2 * v, h, pic, px, py, sw, sh, flags);
    return DDBltStretch(dst, x, y + v, w, h - 2 * v, pic, px, py, sw, sh, flags);
}

void DDBltBurst(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int distance,
                int flags) {
    BANDBATCH batch;
    const int hw = w >> 1, hh = h >> 1;
    DDBlt(dst, x - distance, y - distance, hw, hh, src, sx, sy, flags);
    DDBlt(dst, x + hw + distance, y - distance, hw, hh, src, sx + hw, sy, flags);
    DDBlt(dst, x - distance, y + hh + distance, hw, hh, src, sx, sy + hh, flags);
    DDBlt(dst, x + hw + distance, y + hh + distance, hw, hh, src, sx + hw, sy + hh, flags);
}
