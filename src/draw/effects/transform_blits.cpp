#include "draw/effects/transform_blits.h"

#include <algorithm>
#include <cmath>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_lock.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/blend_rows.h"
#include "draw/pixel_ops.h"
#include "draw/row_clones.h"
#include "draw/sprite_batch.h"

namespace {

constexpr double kDegree = 0.017453292519943278;

int Wrap(int v, int size) {
    v %= size;
    return v < 0 ? v + size : v;
}

// The rotated quad of the device path: destination pixel centres mapped back
// into the area, sampled point-wise.
struct ROTATEDQUAD {
    double ox, oy;  // where the pivot lands, less half a pixel
    double c, s;
    int px, py, w, h;
    int sx, sy, sw, sh;
    // The area point under a destination pixel centre.
    double A(double dx, double dy) const { return dx * c + dy * s + px; }
    double B(double dx, double dy) const { return -dx * s + dy * c + py; }
};

// The columns [lo, hi) of a row where a + X * step lies in [0, limit).
void SpanInside(double a0, double step, double limit, double& lo, double& hi) {
    if (step == 0) {
        if (a0 < 0 || a0 >= limit) hi = lo;
        return;
    }
    double from = -a0 / step, to = (limit - a0) / step;
    if (step < 0) std::swap(from, to);
    lo = std::max(lo, std::floor(from) - 1);
    hi = std::min(hi, std::ceil(to) + 1);
}

template <bool Fast>
void RasteriseRotated(DDPIXELS& dst, const DDPIXELS& src, const ROTATEDQUAD& q, int x0, int x1, int y0, int y1,
                      const DDSTAGESTATE& st) {
    const double stepA = q.c, stepB = -q.s;
    const bool unscaled = q.sw == q.w && q.sh == q.h;
    const double scaleX = static_cast<double>(q.sw) / q.w, scaleY = static_cast<double>(q.sh) / q.h;
    const std::uint32_t sOr = src.fmt == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    const std::uint32_t dOr = dst.fmt == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    for (int Y = y0; Y < y1; ++Y) {
        const double dy = Y - q.oy;
        // Only the columns near the quad's span on this row are visited.
        const double a0 = q.A(-q.ox, dy), b0 = q.B(-q.ox, dy);
        double lo = x0, hi = x1;
        SpanInside(a0, stepA, q.w, lo, hi);
        SpanInside(b0, stepB, q.h, lo, hi);
        if (lo >= hi) continue;
        const int from = static_cast<int>(lo), to = static_cast<int>(hi);
        double a = a0 + from * stepA, b = b0 + from * stepB;
        for (int X = from; X < to; ++X, a += stepA, b += stepB) {
            if (a < 0 || b < 0 || a >= q.w || b >= q.h) continue;
            // a and b are not negative here, so truncation is the floor.
            int tx, ty;
            if (unscaled) {
                tx = q.sx + static_cast<int>(a);
                ty = q.sy + static_cast<int>(b);
            } else {
                tx = static_cast<int>(std::floor(q.sx + a * scaleX));
                ty = static_cast<int>(std::floor(q.sy + b * scaleY));
            }
            const int cx = tx >= 0 && tx < src.nWidth ? tx : Wrap(tx, src.nWidth);
            const int cy = ty >= 0 && ty < src.nHeight ? ty : Wrap(ty, src.nHeight);
            if constexpr (Fast) {
                const std::uint32_t t = src.Row<std::uint32_t>(cy)[cx] | sOr;
                std::uint32_t& d = dst.Row<std::uint32_t>(Y)[X];
                const std::uint32_t alpha = t >> 24;
                if (alpha == 255) d = t;
                else if (alpha != 0) d = BlendLanes(t, d | dOr, alpha);
            } else {
                const std::uint32_t c = StageTexel(ToArgb(src.fmt, src.Get(cx, cy)), st);
                const std::uint32_t alpha = c >> 24;
                if (alpha == 0) continue;
                const std::uint32_t d = ToArgb(dst.fmt, dst.Get(X, Y));
                dst.Put(X, Y, FromArgb(dst.fmt, alpha == 255 ? c : BlendLanes(c, d, alpha)));
            }
        }
    }
}

void RotateDevice(DDSURFACEDATA* dst, int x, int y, int w, int h, int px, int py, int angle, DDSURFACEDATA* src, int sx,
                  int sy, int sw, int sh) {
    DDGetShareSD(&dst);
    DDGetShareSD(&src);
    DDRedirectBackBuffer(&dst);
    DDRedirectBackBuffer(&src);
    DDPIXELS* d = dst->Pixels();
    const DDPIXELS* s = src->Pixels();
    if (!d || !s || w <= 0 || h <= 0 || !DDBeginScene() || !DDSetRenderTarget(0, dst)) return;
    const float theta = static_cast<float>(angle * kDegree);
    ROTATEDQUAD q{px - (w >> 1) + x - 0.5,
                  py - (h >> 1) + y - 0.5,
                  std::cos(theta),
                  std::sin(theta),
                  px,
                  py,
                  w,
                  h,
                  sx,
                  sy,
                  sw,
                  sh};
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (const double u : {-1.0 * px, 1.0 * w - px}) {
        for (const double v : {-1.0 * py, 1.0 * h - py}) {
            minX = std::min(minX, q.ox + u * q.c - v * q.s);
            maxX = std::max(maxX, q.ox + u * q.c - v * q.s);
            minY = std::min(minY, q.oy + u * q.s + v * q.c);
            maxY = std::max(maxY, q.oy + u * q.s + v * q.c);
        }
    }
    const int x0 = static_cast<int>(std::max(0.0, std::floor(minX)));
    const int x1 = static_cast<int>(std::min<double>(std::min(dst->nWidth, d->nWidth), std::ceil(maxX) + 1));
    const int y0 = static_cast<int>(std::max(0.0, std::floor(minY)));
    const int y1 = static_cast<int>(std::min<double>(std::min(dst->nHeight, d->nHeight), std::ceil(maxY) + 1));
    if (x0 >= x1 || y0 >= y1) return;
    DDSTAGESTATE st;
    st.dwVertexColor = lpDTCon->dwVertexColor;
    st.dwColorOp = lpDTCon->dwColorOp;
    st.dwAlphaOp = lpDTCon->dwAlphaOp;
    st.dwTextureFactor = lpDTCon->dwTextureFactor;
    const bool is32 = BytesPerPixel(d->fmt) == 4 && BytesPerPixel(s->fmt) == 4;
    d->ForgetOpacity();
    if (is32 && StagePassesTexel(st)) RasteriseRotated<true>(*d, *s, q, x0, x1, y0, y1, st);
    else RasteriseRotated<false>(*d, *s, q, x0, x1, y0, y1, st);
}

// 1024 times the sine or cosine, truncated toward zero.
int Fixed(double v) { return static_cast<int>(v * 1024); }

struct ROTATEROWS {
    int left, right, top, bottom;  // the box, in area coordinates
    int sn2, cs2;
};

ROTATEROWS RotatedBox(int w, int h, int px, int py, int angle) {
    const double theta = angle * kDegree;
    const int sn = Fixed(std::sin(theta)), cs = Fixed(std::cos(theta));
    ROTATEROWS r{INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, Fixed(std::sin(-theta)), Fixed(std::cos(-theta))};
    for (const long long u : {-1LL * px, 1LL * w - px - 1}) {
        for (const long long v : {-1LL * py, 1LL * h - py - 1}) {
            const long long ru = ((u * cs - v * sn) >> 10) + px, rv = ((u * sn + v * cs) >> 10) + py;
            r.left = static_cast<int>(std::min<long long>(r.left, ru));
            r.right = static_cast<int>(std::max<long long>(r.right, ru));
            r.top = static_cast<int>(std::min<long long>(r.top, rv));
            r.bottom = static_cast<int>(std::max<long long>(r.bottom, rv));
        }
    }
    r.left -= 2;
    r.top -= 2;
    r.right += 2;
    r.bottom += 2;
    return r;
}

// The processor rotation: every destination pixel of the box takes the
// source pixel its centre maps back to, inside the area and the source.
template <class T>
void RotateRows(DDSurfaceLock& dl, DDSurfaceLock& sl, int x, int y, int w, int h, int px, int py, int sx, int sy,
                const ROTATEROWS& r, bool keyed) {
    DDPIXELS& dst = *dl.bits;
    const DDPIXELS& src = *sl.bits;
    const DDKEYRULE rule = KeyRuleOf(src);
    const bool to565 = lpDTCon && dst.fmt == D3DFMT_R5G6B5 && src.fmt == D3DFMT_A1R5G5B5;
    const int dW = dl.Width(), dH = dl.Height(), sW = sl.Width(), sH = sl.Height();
    // Destination columns and rows of the box that lie inside the destination.
    const long long u0 = std::max<long long>(r.left, 1LL * px - x),
                    u1 = std::min<long long>(r.right, 1LL * dW + px - x);
    const long long v0 = std::max<long long>(r.top, 1LL * py - y),
                    v1 = std::min<long long>(r.bottom, 1LL * dH + py - y);
    for (long long v = v0; v < v1; ++v) {
        T* d = dst.Row<T>(static_cast<int>(y + v - py));
        const long long dv = v - py;
        long long du = u0 - px;
        long long au = du * r.cs2 - dv * r.sn2, bu = du * r.sn2 + dv * r.cs2;
        for (long long u = u0; u < u1; ++u, au += r.cs2, bu += r.sn2) {
            const long long a = (au >> 10) + px, b = (bu >> 10) + py;
            if (a < 0 || a >= w || b < 0 || b >= h) continue;
            const long long cx = sx + a, cy = sy + b;
            if (cx < 0 || cy < 0 || cx >= sW || cy >= sH) continue;
            const std::uint32_t p = src.Row<T>(static_cast<int>(cy))[cx];
            if (keyed && rule.Transparent(p)) continue;
            d[x + u - px] = static_cast<T>(to565 ? Convert1555To565(p) : p);
        }
    }
}

}  // namespace

bool DDBltRotate(DDSURFACEDATA* dst, int x, int y, int w, int h, int px, int py, int angle, DDSURFACEDATA* src, int sx,
                 int sy, int colorKey) {
    if (lpDTCon) {
        if (!dst || !src) return true;
        int sw = w, sh = h;
        DDWrapMirror(src, &sx, &sy, &sw, &sh);
        if (DDUsesDevicePath(dst, src)) {
            RotateDevice(dst, x, y, w, h, px, py, angle, src, sx, sy, sw, sh);
            return true;
        }
    }
    DDSurfaceLock dl, sl;
    if (!dl.Begin(dst) || !sl.Begin(src)) return false;
    if (w <= 0 || h <= 0 || dl.nBytesPerPixel != sl.nBytesPerPixel) return true;
    const ROTATEROWS r = RotatedBox(w, h, px, py, angle);
    switch (dl.nBytesPerPixel) {
        case 1: RotateRows<std::uint8_t>(dl, sl, x, y, w, h, px, py, sx, sy, r, colorKey == 1); break;
        case 2: RotateRows<std::uint16_t>(dl, sl, x, y, w, h, px, py, sx, sy, r, colorKey == 1); break;
        default: RotateRows<std::uint32_t>(dl, sl, x, y, w, h, px, py, sx, sy, r, colorKey == 1); break;
    }
    return true;
}

namespace {

// One lens sample written by the rules of the running path; false when the
// texel is not drawn.
template <class T>
bool WriteLensSample(T& d, std::uint32_t p, bool keyed, const DDKEYRULE& rule, const DDADDCOLOR& add,
                     const DDCHANNELS& ch, const DDRESULTPACK& pack) {
    if (!lpDTCon) {
        if (p == rule.key) return false;
        d = static_cast<T>(p);
        return true;
    }
    if (BytesPerPixel(rule.fmt) == 2) {
        if (keyed && !(p & 0xA000u)) return false;
    } else if ((p >> 24) == 0) {
        return false;
    }
    const std::uint32_t c = AddSaturated(p, add, ch);
    d = static_cast<T>(pack.bGreenDoubled ? pack.Pack(ChannelOf(c, ch, 0), 2 * ChannelOf(c, ch, 1), ChannelOf(c, ch, 2))
                                          : c);
    return true;
}

template <class T>
void LensRows(DDSurfaceLock& dl, DDSurfaceLock& sl, int x, int y, long long R, long long D, long long S, int sx, int sy,
              bool keyed, bool clear, const DDBLTCOLOR* op) {
    DDPIXELS& dst = *dl.bits;
    const DDPIXELS& src = *sl.bits;
    const DDKEYRULE rule = KeyRuleOf(src);
    const DDCHANNELS& ch = ChannelsOf(src.fmt);
    const DDADDCOLOR add = lpDTCon ? AddColorOf(op, ch) : DDADDCOLOR();
    const DDRESULTPACK pack = ResultPackOf(dst, src);
    // Only the rows and columns of the square inside the destination.
    const long long dy0 = std::max(-R, -1LL * y), dy1 = std::min(R, 1LL * dl.Height() - 1 - y);
    const long long dx0 = std::max(-R, -1LL * x), dx1 = std::min(R, 1LL * dl.Width() - 1 - x);
    for (long long dy = dy0; dy <= dy1; ++dy) {
        T* d = dst.Row<T>(static_cast<int>(y + dy));
        for (long long dx = dx0; dx <= dx1; ++dx) {
            T& out = d[x + dx];
            bool drawn = false;
            if (dx * dx + dy * dy <= R * R) {
                const double q = std::sqrt(static_cast<double>(S * S - dx * dx - dy * dy));
                long long ox = dx, oy = dy;
                if (q != 0) {
                    ox = static_cast<long long>(dx * D / q + 0.5);
                    oy = static_cast<long long>(dy * D / q + 0.5);
                }
                const long long cx = sx + ox, cy = sy + oy;
                if (cx >= 0 && cy >= 0 && cx < sl.Width() && cy < sl.Height())
                    drawn = WriteLensSample(out, src.Row<T>(static_cast<int>(cy))[cx], keyed, rule, add, ch, pack);
            }
            if (!drawn && clear) out = 0;
        }
    }
}

}  // namespace

bool DDBltLens(DDSURFACEDATA* dst, int x, int y, int radius, int depth, DDSURFACEDATA* src, int sx, int sy,
               int colorKey, int clear, const DDBLTCOLOR* op) {
    if (radius < 0 || depth < 0) return false;
    const long long R = radius, D = depth;
    const long long S = static_cast<long long>(std::sqrt(static_cast<double>(R * R + D * D)));
    if (S <= D) return false;
    DDSurfaceLock dl, sl;
    if (!dl.Begin(dst) || !sl.Begin(src)) return false;
    if (dl.nBytesPerPixel != sl.nBytesPerPixel) return true;
    const bool clearing = clear != 0 && lpDTCon && dl.nBytesPerPixel == 4;
    switch (dl.nBytesPerPixel) {
        case 1: LensRows<std::uint8_t>(dl, sl, x, y, R, D, S, sx, sy, colorKey == 1, false, op); break;
        case 2: LensRows<std::uint16_t>(dl, sl, x, y, R, D, S, sx, sy, colorKey == 1, false, op); break;
        default: LensRows<std::uint32_t>(dl, sl, x, y, R, D, S, sx, sy, colorKey == 1, clearing, op); break;
    }
    return true;
}

namespace {

// The half chord of the circle at a row offset, one less than the radius at
// most; rows beyond the circle have none.
int HalfChord(long long r, long long m) {
    if (m * m >= r * r) return m * m == r * r ? 0 : -1;
    const int h = static_cast<int>(std::sqrt(static_cast<double>(r * r - m * m)));
    return h >= r ? static_cast<int>(r - 1) : h;
}

struct CIRCLEBAND {
    DDSURFACEDATA* dst;
    DDSURFACEDATA* src;
    int x, y, sx, sy, left, right, flags;
    void Draw(int row, int height, int h) const {
        if (h < 0) return;
        long long d0 = 1LL * x - h, s0 = 1LL * sx - h, width = 2LL * h;
        if (s0 < left) {
            d0 += left - s0;
            width -= left - s0;
            s0 = left;
        }
        if (s0 + width >= right) width = right - s0;
        if (width <= 0) return;
        const int dx = static_cast<int>(d0), sxx = static_cast<int>(s0), wd = static_cast<int>(width);
        if (lpDTCon) DDBltStretch(dst, dx, y + row, wd, height, src, sxx, sy + row, wd, height, flags);
        else DDBlt(dst, dx, y + row, wd, height, src, sxx, sy + row, flags);
    }
};

}  // namespace

void DDBltCircle(DDSURFACEDATA* dst, int x, int y, int halfWidth, int halfHeight, int radius, int band,
                 DDSURFACEDATA* src, int sx, int sy, int flags) {
    if (radius <= 0 || band <= 0 || !dst || !src) return;
    DDGetShareSD(&dst);
    DDGetShareSD(&src);
    const CIRCLEBAND b{dst,  src, x, y, sx, sy, std::max(0, sx - halfWidth), std::min(src->nWidth, sx + halfWidth),
                       flags};
    // Rows (from the centres) that can reach the destination from the
    // source: no other band draws anything, so none is walked.
    const long long lo = std::max(-1LL * y, -1LL * sy);
    const long long hi = std::min(1LL * dst->nHeight - 1 - y, 1LL * src->nHeight - 1 - sy);
    DDSpriteBatchOpen(0);
    if (band == 1) {
        const long long first = std::min({radius - 1LL, halfHeight - 1LL, hi});
        const long long last = std::max({-1LL * radius, -1LL * halfHeight, lo});
        for (long long i = first; i >= last; --i) b.Draw(static_cast<int>(i), 1, HalfChord(radius, i));
    } else {
        long long h0 = 1LL * radius - band;
        // Bands wholly below the half height are passed over in one step.
        if (h0 >= halfHeight) h0 -= ((h0 - halfHeight) / band + 1) * band;
        for (; h0 >= -radius; h0 -= band) {
            if (h0 + band <= -halfHeight) break;
            if (h0 + band > halfHeight) h0 = 1LL * halfHeight - band;
            else if (h0 < -halfHeight) h0 = -halfHeight;
            if (h0 + band <= lo && -1LL * halfHeight + band <= lo) break;
            if (h0 > hi) {
                h0 -= (h0 - hi - 1) / band * band;
                continue;
            }
            b.Draw(static_cast<int>(h0), band, HalfChord(radius, h0 + (band >> 1)));
        }
    }
    DDSpriteBatchFlush();
}
