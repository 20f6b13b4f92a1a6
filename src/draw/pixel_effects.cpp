#include "draw/pixel_effects.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "draw/device.h"
#include "draw/surface_lock.h"

namespace {

// The two surfaces of an effect, locked, with the part of the area whose
// source pixels exist.
struct EFFECTSURFACES {
    DDSurfaceLock dst, src;
    DDAREASPAN readable{};
    bool Begin(DDSURFACEDATA* d, DDSURFACEDATA* s, int w, int h, int sx, int sy) {
        if (!dst.Begin(d) || !src.Begin(s)) return false;
        // Only the source decides what can be read; the destination is
        // tested per written pixel.
        readable = AreaInside(0, 0, w, h, w, h, sx, sy, src.Width(), src.Height());
        return true;
    }
    bool DestinationHas(int px, int py) const { return px >= 0 && py >= 0 && px < dst.Width() && py < dst.Height(); }
};

// Red and blue in the two 32-bit halves of one sum, green and the count of
// pixels in the other: a summed-area table of both lets every window total
// come from four corners, whatever the radius.
struct SUMS {
    std::uint64_t rb;
    std::uint64_t gn;
};

constexpr long long kMaxBlurPixels = 1LL << 24;

std::vector<SUMS>& SumTable() {
    static std::vector<SUMS> table;
    return table;
}

// Exact integer quotient of a sum by a count, without a division per pixel:
// (s + 1/2) / c lies at least 1/(2c) away from the next integer.
struct QUOTIENTS {
    std::vector<double> inverse;
    explicit QUOTIENTS(std::int64_t maxCount) : inverse(static_cast<std::size_t>(maxCount + 1), 0.0) {
        for (std::size_t c = 1; c < inverse.size(); ++c) inverse[c] = 1.0 / static_cast<double>(c);
    }
    int Of(std::uint32_t sum, std::uint32_t count) const {
        return static_cast<int>((static_cast<double>(sum) + 0.5) * inverse[count]);
    }
};

template <class T>
bool Blur(EFFECTSURFACES& e, int x, int y, int rx, int ry, int sx, int sy, bool keyed, const DDBLTCOLOR* op) {
    const DDAREASPAN& a = e.readable;
    if (a.Empty()) return true;
    const DDPIXELS& src = *e.src.bits;
    DDPIXELS& dst = *e.dst.bits;
    const DDCHANNELS& ch = ChannelsOf(src.fmt);
    const DDRESULTPACK pack = ResultPackOf(dst, src);
    const DDKEYRULE rule = KeyRuleOf(src);
    const DDADDCOLOR add = lpDTCon ? AddColorOf(op, ch) : DDADDCOLOR();
    const int aw = a.i1 - a.i0, ah = a.j1 - a.j0;
    // The sums ride in 32-bit halves: larger areas than any screen are left.
    if (1LL * aw * ah > kMaxBlurPixels) return true;
    const std::size_t stride = static_cast<std::size_t>(aw) + 1;
    std::vector<SUMS>& sat = SumTable();
    sat.assign(stride * (static_cast<std::size_t>(ah) + 1), SUMS{0, 0});
    for (int j = 0; j < ah; ++j) {
        const T* s = src.Row<T>(sy + a.j0 + j) + sx + a.i0;
        SUMS run{0, 0};
        SUMS* above = &sat[static_cast<std::size_t>(j) * stride];
        SUMS* row = above + stride;
        for (int i = 0; i < aw; ++i) {
            const std::uint32_t p = s[i];
            if (!keyed || !rule.Transparent(p)) {
                run.rb += std::uint64_t(ChannelOf(p, ch, 0)) << 32 | std::uint64_t(ChannelOf(p, ch, 2));
                run.gn += std::uint64_t(ChannelOf(p, ch, 1)) << 32 | 1u;
            }
            row[i + 1] = SUMS{above[i + 1].rb + run.rb, above[i + 1].gn + run.gn};
        }
    }
    const QUOTIENTS q(std::int64_t(std::min(2LL * rx, 1LL * aw)) * std::min(2LL * ry, 1LL * ah));
    const bool keepByte3 = !lpDTCon && BytesPerPixel(dst.fmt) == 4;
    for (int j = 0; j < ah; ++j) {
        const int py = y + a.j0 + j;
        if (py < 0 || py >= e.dst.Height()) continue;
        const T* s = src.Row<T>(sy + a.j0 + j) + sx + a.i0;
        T* d = dst.Row<T>(py);
        const std::size_t top = static_cast<std::size_t>(std::max(0LL, 1LL * j - ry)) * stride;
        const std::size_t bottom = static_cast<std::size_t>(std::min(1LL * ah, 1LL * j + ry)) * stride;
        for (int i = 0; i < aw; ++i) {
            const int px = x + a.i0 + i;
            if (px < 0 || px >= e.dst.Width()) continue;
            if (keyed && rule.Transparent(s[i])) continue;
            const std::size_t left = static_cast<std::size_t>(std::max(0LL, 1LL * i - rx));
            const std::size_t right = static_cast<std::size_t>(std::min(1LL * aw, 1LL * i + rx));
            const std::uint64_t rb =
                (sat[bottom + right].rb - sat[top + right].rb) - (sat[bottom + left].rb - sat[top + left].rb);
            const std::uint64_t gn =
                (sat[bottom + right].gn - sat[top + right].gn) - (sat[bottom + left].gn - sat[top + left].gn);
            const std::uint32_t count = static_cast<std::uint32_t>(gn);
            if (count == 0) continue;
            int v[3] = {q.Of(static_cast<std::uint32_t>(rb >> 32), count),
                        q.Of(static_cast<std::uint32_t>(gn >> 32), count), q.Of(static_cast<std::uint32_t>(rb), count)};
            if (add.bAny) {
                for (int k = 0; k < 3; ++k) v[k] = std::min(v[k] + add.c[k], ch.nMax[k]);
            }
            if (pack.bGreenDoubled) v[1] *= 2;
            const std::uint32_t out = pack.Pack(v[0], v[1], v[2]);
            d[px] = static_cast<T>(keepByte3 ? (d[px] & 0xFF000000u) | out : out);
        }
    }
    return true;
}

// Sets the part of a block that lies inside the destination to one pixel.
template <class T>
void FillBlock(EFFECTSURFACES& e, int px, int py, int bw, int bh, std::uint32_t pixel) {
    const int x0 = std::max(px, 0), x1 = std::min(px + bw, e.dst.Width());
    const int y0 = std::max(py, 0), y1 = std::min(py + bh, e.dst.Height());
    for (int yy = y0; yy < y1; ++yy) std::fill(e.dst.bits->Row<T>(yy) + x0, e.dst.bits->Row<T>(yy) + x1, T(pixel));
}

// The pixel of one mosaic block, or false when the block is skipped.
template <class T>
bool BlockPixel(EFFECTSURFACES& e, int bx, int by, int bw, int bh, bool keyed, const DDADDCOLOR& add,
                std::uint32_t& out) {
    const DDPIXELS& src = *e.src.bits;
    const DDKEYRULE rule = KeyRuleOf(src);
    const std::uint32_t first = src.Get(bx, by);
    if (lpDTCon || BytesPerPixel(src.fmt) == 1) {
        if (keyed && rule.Transparent(first)) return false;
        out = first;
        if (!lpDTCon) return true;
        const DDCHANNELS& ch = ChannelsOf(src.fmt);
        const DDRESULTPACK pack = ResultPackOf(*e.dst.bits, src);
        const std::uint32_t p = AddSaturated(first, add, ch);
        out = pack.Pack(ChannelOf(p, ch, 0), ChannelOf(p, ch, 1) * (pack.bGreenDoubled ? 2 : 1), ChannelOf(p, ch, 2));
        return true;
    }
    const DDCHANNELS& ch = ChannelsOf(src.fmt);
    const bool scaled = BytesPerPixel(src.fmt) == 2;
    std::uint32_t sum[3] = {0, 0, 0}, count = 0;
    for (int yy = by; yy < by + bh; ++yy) {
        const T* s = src.Row<T>(yy);
        for (int xx = bx; xx < bx + bw; ++xx) {
            const std::uint32_t p = s[xx];
            if (keyed && rule.Transparent(p)) continue;
            for (int k = 0; k < 3; ++k) {
                const std::uint32_t c = static_cast<std::uint32_t>(ChannelOf(p, ch, k));
                sum[k] += scaled ? c * 255 / static_cast<std::uint32_t>(ch.nMax[k]) : c;
            }
            ++count;
        }
    }
    if (count == 0) return false;
    out = 0;
    for (int k = 0; k < 3; ++k) {
        std::uint32_t v = sum[k] / count;
        if (scaled) v = v * static_cast<std::uint32_t>(ch.nMax[k]) / 255;
        out |= v << ch.nShift[k];
    }
    return !(keyed && rule.Transparent(out));
}

template <class T>
bool Mosaic(EFFECTSURFACES& e, int x, int y, int n, int sx, int sy, bool keyed, const DDBLTCOLOR* op) {
    const DDAREASPAN& a = e.readable;
    const DDADDCOLOR add = lpDTCon ? AddColorOf(op, ChannelsOf(e.src.bits->fmt)) : DDADDCOLOR();
    // Blocks count from the area's corner; those that start where the
    // source has no pixels are not drawn, the others are cut to the source.
    const int firstCol = a.i0 / n, firstRow = a.j0 / n;
    for (long long by = 1LL * firstRow * n; by < a.j1; by += n) {
        const int top = static_cast<int>(std::max<long long>(by, a.j0));
        const int bh = static_cast<int>(std::min<long long>(by + n, a.j1)) - top;
        for (long long bx = 1LL * firstCol * n; bx < a.i1; bx += n) {
            const int left = static_cast<int>(std::max<long long>(bx, a.i0));
            const int bw = static_cast<int>(std::min<long long>(bx + n, a.i1)) - left;
            if (left != bx || top != by) continue;  // its corner lies outside the source
            std::uint32_t pixel = 0;
            if (!BlockPixel<T>(e, sx + left, sy + top, bw, bh, keyed, add, pixel)) continue;
            FillBlock<T>(e, x + left, y + top, bw, bh, pixel);
        }
    }
    return true;
}

}  // namespace

bool DDPixelEffectA(DDSURFACEDATA* dst, int x, int y, int w, int h, int radiusX, int radiusY, DDSURFACEDATA* src,
                    int sx, int sy, int colorKey, const DDBLTCOLOR* op) {
    if (radiusX == 0 || radiusY == 0) return true;
    EFFECTSURFACES e;
    if (!e.Begin(dst, src, w, h, sx, sy)) return false;
    if (radiusX < 0 || radiusY < 0 || e.dst.nBytesPerPixel != e.src.nBytesPerPixel) return true;
    switch (e.dst.nBytesPerPixel) {
        case 2: return Blur<std::uint16_t>(e, x, y, radiusX, radiusY, sx, sy, colorKey == 1, op);
        case 4: return Blur<std::uint32_t>(e, x, y, radiusX, radiusY, sx, sy, colorKey == 1, op);
        default: return true;  // palette indices cannot be averaged
    }
}

bool DDPixelEffectB(DDSURFACEDATA* dst, int x, int y, int w, int h, int block, DDSURFACEDATA* src, int sx, int sy,
                    int colorKey, const DDBLTCOLOR* op) {
    if (block == 0) return true;
    EFFECTSURFACES e;
    if (!e.Begin(dst, src, w, h, sx, sy)) return false;
    if (block < 0 || e.dst.nBytesPerPixel != e.src.nBytesPerPixel || e.readable.Empty()) return true;
    switch (e.dst.nBytesPerPixel) {
        case 1: return Mosaic<std::uint8_t>(e, x, y, block, sx, sy, colorKey == 1, op);
        case 2: return Mosaic<std::uint16_t>(e, x, y, block, sx, sy, colorKey == 1, op);
        default: return Mosaic<std::uint32_t>(e, x, y, block, sx, sy, colorKey == 1, op);
    }
}
