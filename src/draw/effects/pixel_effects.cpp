#include "draw/effects/pixel_effects.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surface_lock.h"

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

// Exact integer quotient of a channel sum (at most 255 per pixel counted) by
// the count, without a division per pixel. Small counts multiply by
// ceil(2^32 / c): the excess s * (m - 2^32 / c) / 2^32 stays below 1 / c
// while 255 c^2 < 2^32. Larger counts use (s + 1/2) / c in double, which
// lies at least 1 / (2c) away from the next integer.
struct QUOTIENTS {
    static constexpr std::int64_t kIntegerLimit = 4096;
    std::vector<std::uint64_t> reciprocal;
    std::vector<double> inverse;
    bool bInteger;
    explicit QUOTIENTS(std::int64_t maxCount) : bInteger(maxCount < kIntegerLimit) {
        const std::size_t n = static_cast<std::size_t>(maxCount + 1);
        if (bInteger) reciprocal.assign(n, 0);
        else inverse.assign(n, 0.0);
        for (std::size_t c = 1; c < n; ++c) {
            if (bInteger) reciprocal[c] = ((std::uint64_t(1) << 32) + c - 1) / c;
            else inverse[c] = 1.0 / static_cast<double>(c);
        }
    }
    int Of(std::uint32_t sum, std::uint32_t count) const {
        if (bInteger) return static_cast<int>((std::uint64_t(sum) * reciprocal[count]) >> 32);
        return static_cast<int>((static_cast<double>(sum) + 0.5) * inverse[count]);
    }
};

// Pixel formats with their channel layout fixed at compile time, so that
// the blur's loops shift by constants.
struct FMT8888 {
    using T = std::uint32_t;
    static constexpr int kShift[3] = {16, 8, 0};
    static constexpr std::uint32_t kMax[3] = {255, 255, 255};
};
struct FMT1555 {
    using T = std::uint16_t;
    static constexpr int kShift[3] = {10, 5, 0};
    static constexpr std::uint32_t kMax[3] = {31, 31, 31};
};
struct FMT565 {
    using T = std::uint16_t;
    static constexpr int kShift[3] = {11, 5, 0};
    static constexpr std::uint32_t kMax[3] = {31, 63, 31};
};

template <class F>
std::uint32_t Chan(std::uint32_t p, int k) {
    return (p >> F::kShift[k]) & F::kMax[k];
}

template <class F>
bool Blur(EFFECTSURFACES& e, int x, int y, int rx, int ry, int sx, int sy, bool keyed, const DDBLTCOLOR* op) {
    using T = typename F::T;
    const DDAREASPAN& a = e.readable;
    if (a.Empty()) return true;
    const DDPIXELS& src = *e.src.bits;
    DDPIXELS& dst = *e.dst.bits;
    const DDRESULTPACK pack = ResultPackOf(dst, src);
    const DDKEYRULE rule = KeyRuleOf(src);
    const DDADDCOLOR add = lpDTCon ? AddColorOf(op, ChannelsOf(src.fmt)) : DDADDCOLOR();
    const int aw = a.i1 - a.i0, ah = a.j1 - a.j0;
    // The sums ride in 32-bit halves: larger areas than any screen are left.
    if (1LL * aw * ah > kMaxBlurPixels) return true;
    // Window sums along each row, kept for the 2 x radius y + 1 rows the
    // vertical window spans; the vertical sums move down by one row added
    // and one row dropped.
    const int ringRows = static_cast<int>(std::min(2LL * ry + 1, 1LL * ah));
    const std::size_t width = static_cast<std::size_t>(aw);
    std::vector<SUMS>& ring = SumTable();
    ring.resize(width * static_cast<std::size_t>(ringRows + 2) + 1);
    SUMS* prefix = ring.data() + width * static_cast<std::size_t>(ringRows);
    SUMS* column = prefix + width + 1;
    auto rowSums = [&](int r) { return ring.data() + width * static_cast<std::size_t>(r % ringRows); };
    auto horizontal = [&](int r) {
        const T* s = src.Row<T>(sy + a.j0 + r) + sx + a.i0;
        SUMS run{0, 0};
        prefix[0] = run;
        for (int i = 0; i < aw; ++i) {
            const std::uint32_t p = s[i];
            const std::uint64_t use = keyed && rule.Transparent(p) ? 0 : ~std::uint64_t(0);
            run.rb += (std::uint64_t(Chan<F>(p, 0)) << 32 | Chan<F>(p, 2)) & use;
            run.gn += (std::uint64_t(Chan<F>(p, 1)) << 32 | 1u) & use;
            prefix[i + 1] = run;
        }
        SUMS* h = rowSums(r);
        for (int i = 0; i < aw; ++i) {
            const SUMS& hi = prefix[std::min(1LL * aw, 1LL * i + rx)];
            const SUMS& lo = prefix[std::max(0LL, 1LL * i - rx)];
            h[i] = SUMS{hi.rb - lo.rb, hi.gn - lo.gn};
        }
    };
    std::fill(column, column + aw, SUMS{0, 0});
    auto addRow = [&](int r, bool add) {
        const SUMS* h = rowSums(r);
        for (int i = 0; i < aw; ++i) {
            column[i].rb = add ? column[i].rb + h[i].rb : column[i].rb - h[i].rb;
            column[i].gn = add ? column[i].gn + h[i].gn : column[i].gn - h[i].gn;
        }
    };
    const int preload = static_cast<int>(std::min(1LL * ah, ry - 1LL));
    for (int r = 0; r < preload; ++r) {
        horizontal(r);
        addRow(r, true);
    }
    const QUOTIENTS q(std::int64_t(std::min(2LL * rx, 1LL * aw)) * std::min(2LL * ry, 1LL * ah));
    const bool keepByte3 = !lpDTCon && sizeof(T) == 4;
    // Area columns and rows whose destination pixel exists.
    const int iBegin = static_cast<int>(std::max(0LL, -1LL * x - a.i0));
    const int iEnd = static_cast<int>(std::min(1LL * aw, 1LL * e.dst.Width() - x - a.i0));
    const int jEnd = static_cast<int>(std::min(1LL * ah, 1LL * e.dst.Height() - y - a.j0));
    for (int j = 0; j < jEnd; ++j) {
        const long long dropped = 1LL * j - ry - 1, added = 1LL * j + ry - 1;
        if (dropped >= 0) addRow(static_cast<int>(dropped), false);
        if (added >= 0 && added < ah) {
            horizontal(static_cast<int>(added));
            addRow(static_cast<int>(added), true);
        }
        if (y + a.j0 + j < 0) continue;
        const T* s = src.Row<T>(sy + a.j0 + j) + sx + a.i0;
        T* d = dst.Row<T>(y + a.j0 + j) + x + a.i0;
        for (int i = iBegin; i < iEnd; ++i) {
            if (keyed && rule.Transparent(s[i])) continue;
            const std::uint32_t count = static_cast<std::uint32_t>(column[i].gn);
            if (count == 0) continue;
            int v[3] = {q.Of(static_cast<std::uint32_t>(column[i].rb >> 32), count),
                        q.Of(static_cast<std::uint32_t>(column[i].gn >> 32), count),
                        q.Of(static_cast<std::uint32_t>(column[i].rb), count)};
            if (add.bAny) {
                for (int k = 0; k < 3; ++k) v[k] = std::min(v[k] + add.c[k], static_cast<int>(F::kMax[k]));
            }
            if (pack.bGreenDoubled) v[1] *= 2;
            const std::uint32_t out = pack.Pack(v[0], v[1], v[2]);
            d[i] = static_cast<T>(keepByte3 ? (d[i] & 0xFF000000u) | out : out);
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
    const bool keyed = colorKey == 1;
    switch (e.src.bits->fmt) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8: return Blur<FMT8888>(e, x, y, radiusX, radiusY, sx, sy, keyed, op);
        case D3DFMT_A1R5G5B5: return Blur<FMT1555>(e, x, y, radiusX, radiusY, sx, sy, keyed, op);
        case D3DFMT_R5G6B5: return Blur<FMT565>(e, x, y, radiusX, radiusY, sx, sy, keyed, op);
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
