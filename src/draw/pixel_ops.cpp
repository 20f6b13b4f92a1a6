#include "draw/pixel_ops.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "draw/device/device.h"
#include "draw/row_clones.h"

namespace {

struct Span {
    int begin;
    int end;
    bool Empty() const { return begin >= end; }
};

Span Inside(int pos, int len, int limit) { return Span{std::max(pos, 0), std::min(pos + len, limit)}; }

// Floor division for the sample positions of mirrored quads.
int FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

int Wrap(int v, int size) {
    v %= size;
    return v < 0 ? v + size : v;
}

inline std::uint32_t Mul8(std::uint32_t a, std::uint32_t b) { return (a * b + 127) / 255; }
inline std::uint32_t Sat(int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); }

// Source alpha over the destination, every channel including alpha.
inline std::uint32_t Blend(std::uint32_t s, std::uint32_t d) {
    const std::uint32_t a = s >> 24;
    if (a == 255) return s;
    if (a == 0) return d;
    const std::uint32_t ia = 255 - a;
    std::uint32_t out = 0;
    for (int sh = 0; sh < 32; sh += 8) {
        const std::uint32_t sc = sh == 24 ? a : (s >> sh) & 255;
        const std::uint32_t dc = (d >> sh) & 255;
        out |= ((sc * a + dc * ia + 127) / 255) << sh;
    }
    return out;
}

std::uint32_t StageOp(std::uint32_t op, std::uint32_t t, std::uint32_t d, std::uint32_t ta, std::uint32_t da,
                      std::uint32_t fa) {
    const int ti = static_cast<int>(t), di = static_cast<int>(d);
    switch (op) {
        case D3DTOP_DISABLE: return d;
        case D3DTOP_SELECTARG1: return t;
        case D3DTOP_SELECTARG2: return d;
        case D3DTOP_MODULATE: return Mul8(t, d);
        case D3DTOP_MODULATE2X: return Sat(static_cast<int>(Mul8(t, d)) * 2);
        case D3DTOP_MODULATE4X: return Sat(static_cast<int>(Mul8(t, d)) * 4);
        case D3DTOP_ADD: return Sat(ti + di);
        case D3DTOP_ADDSIGNED: return Sat(ti + di - 128);
        case D3DTOP_ADDSIGNED2X: return Sat((ti + di - 128) * 2);
        case D3DTOP_SUBTRACT: return Sat(ti - di);
        case D3DTOP_ADDSMOOTH: return Sat(ti + di - static_cast<int>(Mul8(t, d)));
        case D3DTOP_BLENDDIFFUSEALPHA: return Mul8(t, da) + Mul8(d, 255 - da);
        case D3DTOP_BLENDTEXTUREALPHA: return Mul8(t, ta) + Mul8(d, 255 - ta);
        case D3DTOP_BLENDFACTORALPHA: return Mul8(t, fa) + Mul8(d, 255 - fa);
        default: return Mul8(t, d);
    }
}

// Texture stage 0 with argument 1 the texel and argument 2 the diffuse colour.
std::uint32_t Combine(std::uint32_t texel, const DDSTAGESTATE& st) {
    const std::uint32_t diffuse = st.dwVertexColor;
    const std::uint32_t ta = texel >> 24, da = diffuse >> 24, fa = st.dwTextureFactor >> 24;
    std::uint32_t out = StageOp(st.dwAlphaOp, ta, da, ta, da, fa) << 24;
    for (int sh = 0; sh < 24; sh += 8) {
        out |= StageOp(st.dwColorOp, (texel >> sh) & 255, (diffuse >> sh) & 255, ta, da, fa) << sh;
    }
    return out;
}

bool Is32(DWORD fmt) { return fmt == D3DFMT_A8R8G8B8 || fmt == D3DFMT_X8R8G8B8; }

// The state in which a texel passes the stage unchanged.
bool PassesTexel(const DDSTAGESTATE& st) {
    return st.dwVertexColor == 0xFFFFFFFFu && (st.dwColorOp == D3DTOP_MODULATE || st.dwColorOp == D3DTOP_SELECTARG1) &&
           st.dwAlphaOp == D3DTOP_SELECTARG1;
}

// Sheets are mostly opaque texels and key holes; rows are sorted into those
// cases first so that the common ones run as plain copies or masked selects
// the compiler can vectorise, and only rows with partial alpha blend.

// A rectangle of texels over the destination, in one pass: texels of full
// alpha replace the destination through a mask (a select the compiler
// vectorises), the rest leave it; texels of partial alpha, rare in sheets of
// opaque pixels and key holes, are blended afterwards over what they left.
DRAW_ROW_CLONES
void BlendRect32(std::uint32_t* d, std::ptrdiff_t dPitch, const std::uint32_t* s, std::ptrdiff_t sPitch, int n,
                 int rows) {
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* dr = d + j * dPitch;
        const std::uint32_t* sr = s + j * sPitch;
        std::uint32_t partial = 0;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t a = sr[i] >> 24;
            const std::uint32_t mask = 0u - ((a + 1u) >> 8);  // all ones for alpha 255
            dr[i] = (sr[i] & mask) | (dr[i] & ~mask);
            partial |= (a + 1u) & 0xFEu;
        }
        if (!partial) continue;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t a = sr[i] >> 24;
            if (a != 0 && a != 255) dr[i] = Blend(sr[i], dr[i]);
        }
    }
}

// A same-size rectangle of 32-bit texels over the destination.
struct RectRows32 {
    std::uint32_t* d;
    std::ptrdiff_t dPitch;
    const std::uint32_t* s;
    std::ptrdiff_t sPitch;
    int n;
    int rows;
};

// Texels all of full alpha. Rows of sprites are short: blocks of a fixed
// size copy inline, where a library call a row would cost as much as the row.
DRAW_ROW_CLONES
void CopyRect32(const RectRows32& r) {
    constexpr int kBlock = 8;
    std::uint32_t* d = r.d;
    const std::uint32_t* s = r.s;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    const int n = r.n, rows = r.rows;
    for (int j = 0; j < rows; ++j, d += dPitch, s += sPitch) {
        int i = 0;
        for (; i + kBlock <= n; i += kBlock) std::memcpy(d + i, s + i, kBlock * sizeof(std::uint32_t));
        for (; i < n; ++i) d[i] = s[i];
    }
}

// The rows of r through one loop body; the sizes are taken into locals first,
// since the rows' writes could otherwise change them for all the compiler
// knows, and the loop would not vectorise.
template <class Texel>
inline void EachTexel(const RectRows32& r, Texel texel) {
    std::uint32_t* d = r.d;
    const std::uint32_t* s = r.s;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    const int n = r.n, rows = r.rows;
    for (int j = 0; j < rows; ++j, d += dPitch, s += sPitch) {
        for (int i = 0; i < n; ++i) d[i] = texel(s[i], d[i]);
    }
}

// Texels whose fourth byte is no alpha: all drawn, as of full alpha.
DRAW_ROW_CLONES
void OpaqueRect32(const RectRows32& r) {
    EachTexel(r, [](std::uint32_t s, std::uint32_t) { return s | 0xFF000000u; });
}

// Texels of alpha 0 or 255 only: the top bit of each selects it or the
// destination, with no partial alpha to look for.
DRAW_ROW_CLONES
void SelectRect32(const RectRows32& r) {
    EachTexel(r, [](std::uint32_t s, std::uint32_t d) {
        const std::uint32_t mask = 0u - (s >> 31);
        return (s & mask) | (d & ~mask);
    });
}

// The sample positions of a quad along one axis for the pixels of span.
// Sample positions of the scaled, mirrored and stretched paths, kept
// between calls on each drawing thread: a call allocates only when it is
// wider or taller than every one before it.
struct SampleBuffers {
    std::vector<int> cols;
    std::vector<int> rows;
};
SampleBuffers& ThreadSampleBuffers() {
    thread_local SampleBuffers buffers;
    return buffers;
}

// Written into out, one of the buffers above.
const std::vector<int>& Samples(std::vector<int>& out, Span span, int pos, int len, int s0, int slen, int size) {
    out.resize(static_cast<std::size_t>(span.end - span.begin));
    for (int i = span.begin; i < span.end; ++i) {
        const long long num = static_cast<long long>(2 * (i - pos) + 1) * slen;
        out[static_cast<std::size_t>(i - span.begin)] = Wrap(s0 + FloorDiv(num, 2LL * len), size);
    }
    return out;
}

// The first row is filled texel by texel and copied into the others: the
// library's block copy stores whole vector widths, several times faster over
// a frame than the texel loop.
template <class T>
void FillRows(DDPIXELS& px, Span xs, Span ys, std::uint32_t value) {
    T* const first = px.Row<T>(ys.begin) + xs.begin;
    const std::size_t n = static_cast<std::size_t>(xs.end - xs.begin);
    std::fill(first, first + n, static_cast<T>(value));
    for (int y = ys.begin + 1; y < ys.end; ++y) std::memcpy(px.Row<T>(y) + xs.begin, first, n * sizeof(T));
}

bool Transparent(DWORD fmt, std::uint32_t p) {
    if (fmt == D3DFMT_A8R8G8B8) return (p >> 24) == 0;
    if (fmt == D3DFMT_A1R5G5B5) return (p & 0xA000u) == 0;
    return false;
}

// Source position of the processor copy: the same offset, or the scaled one
// counted from the far edge for negative sizes.
int ProcessorSample(int off, int s0, int slen, int dlen) {
    if (slen == dlen) return s0 + off;
    if (slen >= 0) return s0 + static_cast<int>(static_cast<long long>(off) * slen / dlen);
    return s0 - 1 - static_cast<int>(static_cast<long long>(off) * -slen / dlen);
}

template <class D, class S>
void ProcessorRows(DDPIXELS& dst, const DDPIXELS& src, int srcW, int srcH, Span xs, Span ys, int x, int y, int w, int h,
                   int sx, int sy, int sw, int sh, bool keyed) {
    const bool to565 = dst.fmt == D3DFMT_R5G6B5 && src.fmt == D3DFMT_A1R5G5B5;
    const int limitW = std::min(srcW, src.nWidth), limitH = std::min(srcH, src.nHeight);
    for (int j = ys.begin; j < ys.end; ++j) {
        const int row = ProcessorSample(j - y, sy, sh, h);
        if (row < 0 || row >= limitH) continue;
        const S* s = src.Row<S>(row);
        D* d = dst.Row<D>(j);
        for (int i = xs.begin; i < xs.end; ++i) {
            const int col = ProcessorSample(i - x, sx, sw, w);
            if (col < 0 || col >= limitW) continue;
            const std::uint32_t p = s[col];
            if (keyed && Transparent(src.fmt, p)) continue;
            d[i] = static_cast<D>(to565 ? Convert1555To565(p) : p);
        }
    }
}

// A rectangle of a keyed DirectDraw blit: pixels equal to the key leave the
// destination (a select the compiler vectorises).
template <class T>
void KeyedRect(T* d, std::ptrdiff_t dPitch, const T* s, std::ptrdiff_t sPitch, int w, int h, T k) {
    for (int j = 0; j < h; ++j, d += dPitch, s += sPitch) {
        for (int i = 0; i < w; ++i) d[i] = s[i] == k ? d[i] : s[i];
    }
}

DRAW_ROW_CLONES
void KeyedRect32(std::uint32_t* d, std::ptrdiff_t dPitch, const std::uint32_t* s, std::ptrdiff_t sPitch, int w, int h,
                 std::uint32_t k) {
    KeyedRect(d, dPitch, s, sPitch, w, h, k);
}

template <class T>
void FastRows(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, bool keyed,
              std::uint32_t key) {
    T* d = dst.Row<T>(y) + x;
    const T* s = src.Row<T>(sy) + sx;
    const std::ptrdiff_t dPitch = dst.nPitch / static_cast<int>(sizeof(T));
    const std::ptrdiff_t sPitch = src.nPitch / static_cast<int>(sizeof(T));
    if (!keyed) {
        for (int j = 0; j < h; ++j)
            std::memcpy(d + j * dPitch, s + j * sPitch, sizeof(T) * static_cast<std::size_t>(w));
    } else if constexpr (sizeof(T) == 4) {
        KeyedRect32(d, dPitch, s, sPitch, w, h, key);
    } else {
        KeyedRect(d, dPitch, s, sPitch, w, h, static_cast<T>(key));
    }
}

template <class T>
void StretchRows(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                 bool keyed, std::uint32_t key) {
    std::vector<int>& cols = ThreadSampleBuffers().cols;
    cols.resize(static_cast<std::size_t>(w));
    for (int i = 0; i < w; ++i)
        cols[static_cast<std::size_t>(i)] = sx + static_cast<int>(static_cast<long long>(i) * sw / w);
    const T k = static_cast<T>(key);
    for (int j = 0; j < h; ++j) {
        const int row = sy + static_cast<int>(static_cast<long long>(j) * sh / h);
        if (row < 0 || row >= src.nHeight || y + j < 0 || y + j >= dst.nHeight) continue;
        const T* s = src.Row<T>(row);
        T* d = dst.Row<T>(y + j);
        for (int i = 0; i < w; ++i) {
            const int c = cols[static_cast<std::size_t>(i)];
            if (c < 0 || c >= src.nWidth || x + i < 0 || x + i >= dst.nWidth) continue;
            if (!keyed || s[c] != k) d[x + i] = s[c];
        }
    }
}

}  // namespace

std::uint32_t StageTexel(std::uint32_t texel, const DDSTAGESTATE& state) { return Combine(texel, state); }

bool StagePassesTexel(const DDSTAGESTATE& state) { return PassesTexel(state); }

void ClearPixels(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t value) {
    const Span xs = Inside(x, w, px.nWidth), ys = Inside(y, h, px.nHeight);
    if (xs.Empty() || ys.Empty()) return;
    switch (BytesPerPixel(px.fmt)) {
        case 1: FillRows<std::uint8_t>(px, xs, ys, value); break;
        case 2: FillRows<std::uint16_t>(px, xs, ys, value); break;
        default: FillRows<std::uint32_t>(px, xs, ys, value); break;
    }
}

void BlendFillPixels(DDPIXELS& px, int x, int y, int w, int h, std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 255) return ClearPixels(px, x, y, w, h, FromArgb(px.fmt, argb));
    if (a == 0 || px.fmt == D3DFMT_P8) return;
    const Span xs = Inside(x, w, px.nWidth), ys = Inside(y, h, px.nHeight);
    for (int j = ys.begin; j < ys.end; ++j) {
        for (int i = xs.begin; i < xs.end; ++i)
            px.Put(i, j, FromArgb(px.fmt, Blend(argb, ToArgb(px.fmt, px.Get(i, j)))));
    }
}

void DrawQuadPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                    const DDSTAGESTATE& st) {
    if (w <= 0 || h <= 0 || src.Empty() || dst.fmt == D3DFMT_P8) return;
    const Span xs = Inside(x, w, dst.nWidth), ys = Inside(y, h, dst.nHeight);
    if (xs.Empty() || ys.Empty()) return;
    const bool direct = sw == w && sh == h && sx >= 0 && sy >= 0 && sx + w <= src.nWidth && sy + h <= src.nHeight;
    if (direct && Is32(src.fmt) && Is32(dst.fmt) && PassesTexel(st)) {
        // Pointers and pitches once per quad; the source's notes pick the loop.
        const RectRows32 r{dst.Row<std::uint32_t>(ys.begin) + xs.begin,
                           dst.nPitch / 4,
                           src.Row<std::uint32_t>(sy + ys.begin - y) + sx + xs.begin - x,
                           src.nPitch / 4,
                           xs.end - xs.begin,
                           ys.end - ys.begin};
        if (src.fmt == D3DFMT_A8R8G8B8 && src.bOpaque) CopyRect32(r);
        // A back buffer read as a texture: its fourth byte is no alpha.
        else if (src.fmt == D3DFMT_X8R8G8B8) OpaqueRect32(r);
        else if (src.bAlphaCut) SelectRect32(r);
        else BlendRect32(r.d, r.dPitch, r.s, r.sPitch, r.n, r.rows);
        return;
    }
    SampleBuffers& buffers = ThreadSampleBuffers();
    const std::vector<int>& cols = Samples(buffers.cols, xs, x, w, sx, sw, src.nWidth);
    const std::vector<int>& rows = Samples(buffers.rows, ys, y, h, sy, sh, src.nHeight);
    const int n = xs.end - xs.begin;
    const bool contiguous = sw == w && cols.front() + n <= src.nWidth;
    if (src.fmt == D3DFMT_A8R8G8B8 && Is32(dst.fmt) && PassesTexel(st) && contiguous) {
        for (int j = ys.begin; j < ys.end; ++j) {
            BlendRect32(dst.Row<std::uint32_t>(j) + xs.begin, 0,
                        src.Row<std::uint32_t>(rows[static_cast<std::size_t>(j - ys.begin)]) + cols.front(), 0, n, 1);
        }
        return;
    }
    const bool passes = PassesTexel(st);
    for (int j = ys.begin; j < ys.end; ++j) {
        const int row = rows[static_cast<std::size_t>(j - ys.begin)];
        for (int i = xs.begin; i < xs.end; ++i) {
            const std::uint32_t texel = ToArgb(src.fmt, src.Get(cols[static_cast<std::size_t>(i - xs.begin)], row));
            const std::uint32_t c = passes ? texel : Combine(texel, st);
            const std::uint32_t a = c >> 24;
            if (a == 0) continue;
            const std::uint32_t out = a == 255 ? c : Blend(c, ToArgb(dst.fmt, dst.Get(i, j)));
            dst.Put(i, j, FromArgb(dst.fmt, out));
        }
    }
}

void ProcessorCopyPixels(DDPIXELS& dst, const DDPIXELS& src, int srcW, int srcH, int x, int y, int w, int h, int sx,
                         int sy, int sw, int sh, bool keyed) {
    if (w <= 0 || h <= 0 || src.Empty()) return;
    const Span xs = Inside(x, w, dst.nWidth), ys = Inside(y, h, dst.nHeight);
    if (xs.Empty() || ys.Empty()) return;
    const int db = BytesPerPixel(dst.fmt), sb = BytesPerPixel(src.fmt);
    if (db == 4 && sb == 4) {
        ProcessorRows<std::uint32_t, std::uint32_t>(dst, src, srcW, srcH, xs, ys, x, y, w, h, sx, sy, sw, sh, keyed);
    } else if (db == 2 && sb == 2) {
        ProcessorRows<std::uint16_t, std::uint16_t>(dst, src, srcW, srcH, xs, ys, x, y, w, h, sx, sy, sw, sh, keyed);
    }
}

void FastBltPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, bool keyed,
                   std::uint32_t key) {
    const bool inside = x >= 0 && y >= 0 && sx >= 0 && sy >= 0 && w > 0 && h > 0 && x + w <= dst.nWidth &&
                        y + h <= dst.nHeight && sx + w <= src.nWidth && sy + h <= src.nHeight;
    if (dst.fmt != src.fmt || !inside) return;
    switch (BytesPerPixel(dst.fmt)) {
        case 1: FastRows<std::uint8_t>(dst, src, x, y, w, h, sx, sy, keyed, key); break;
        case 2: FastRows<std::uint16_t>(dst, src, x, y, w, h, sx, sy, keyed, key); break;
        default: FastRows<std::uint32_t>(dst, src, x, y, w, h, sx, sy, keyed, key); break;
    }
}

void StretchBltPixels(DDPIXELS& dst, const DDPIXELS& src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                      bool keyed, std::uint32_t key) {
    if (dst.fmt != src.fmt || w <= 0 || h <= 0) return;
    switch (BytesPerPixel(dst.fmt)) {
        case 1: StretchRows<std::uint8_t>(dst, src, x, y, w, h, sx, sy, sw, sh, keyed, key); break;
        case 2: StretchRows<std::uint16_t>(dst, src, x, y, w, h, sx, sy, sw, sh, keyed, key); break;
        default: StretchRows<std::uint32_t>(dst, src, x, y, w, h, sx, sy, sw, sh, keyed, key); break;
    }
}
