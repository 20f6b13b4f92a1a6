#include "draw/effects/blend_rows.h"

#include "draw/row_clones.h"

#include <cstring>

// Sheets are opaque texels and holes: a row without partial alpha takes a
// select instead of the blend, the others blend every texel.
inline bool RowHasPartialAlpha(const std::uint32_t* __restrict s, int n, std::uint32_t sOr) {
    std::uint32_t partial = 0;
    for (int i = 0; i < n; ++i) partial |= (((s[i] | sOr) >> 24) + 1u) & 0xFEu;
    return partial != 0;
}

constexpr int kChunk = 256;

// All ones where the texel's alpha is 255, all zeros where it is 0.
inline std::uint32_t OpaqueMask(std::uint32_t p) { return 0u - (((p >> 24) + 1u) >> 8); }

// The colour channels of p scaled by factor, alpha dropped.
inline std::uint32_t ScaleRgb(std::uint32_t p, std::uint32_t factor) {
    return Mul8Lanes(p & 0x00FF00FFu, factor) | Mul8Lanes((p >> 8) & 0xFFu, factor) << 8;
}

typedef std::uint16_t U16x16 __attribute__((vector_size(32)));
typedef std::uint32_t U32x8 __attribute__((vector_size(32)));

// The same bytes seen as other lanes (vectors are passed by reference: the
// default target has no vector registers of this width).
template <class To, class From>
void Lanes(To& out, const From& v) {
    std::memcpy(&out, &v, sizeof out);
}

// Eight texels of alpha 255 or 0 and the pixels under them; where writes the
// opaque ones' results and leaves the holes.
struct EIGHTTEXELS {
    U32x8 sv, dv, mask;
    EIGHTTEXELS(const std::uint32_t* d, const std::uint32_t* s, std::uint32_t sOr) {
        std::memcpy(&sv, s, sizeof sv);
        std::memcpy(&dv, d, sizeof dv);
        sv |= sOr;
        mask = U32x8{} - (((sv >> 24) + 1u) >> 8);
    }
    void Store(std::uint32_t* d, const U32x8& out) const {
        const U32x8 result = (out & mask) | (dv & ~mask);
        std::memcpy(d, &result, sizeof result);
    }
};

// The opaque texels blended with the constant alpha a (the source's alpha
// channel counting as a).
inline void BlendEightConstant(std::uint32_t* d, const std::uint32_t* s, std::uint32_t sOr, std::uint32_t dOr,
                               std::uint32_t a) {
    const EIGHTTEXELS e(d, s, sOr);
    U16x16 s16, d16;
    Lanes(s16, U32x8((e.sv & 0x00FFFFFFu) | (a << 24)));
    Lanes(d16, U32x8(e.dv | dOr));
    const std::uint16_t a16 = static_cast<std::uint16_t>(a), ia16 = static_cast<std::uint16_t>(255 - a);
    const U16x16 x = (s16 & 0xFF) * a16 + (d16 & 0xFF) * ia16 + 127;
    const U16x16 y = (s16 >> 8) * a16 + (d16 >> 8) * ia16 + 127;
    const U16x16 lo = (x + 1 + (x >> 8)) >> 8;
    const U16x16 hi = (y + 1 + (y >> 8)) >> 8;
    U32x8 out;
    Lanes(out, U16x16(lo | (hi << 8)));
    e.Store(d, out);
}

// The opaque texels scaled by f / 255 and lifted by the tint part.
inline void TintEightOpaque(std::uint32_t* d, const std::uint32_t* s, std::uint32_t sOr, std::uint32_t f,
                            std::uint32_t tintPart) {
    const EIGHTTEXELS e(d, s, sOr);
    U16x16 s16;
    Lanes(s16, e.sv);
    const std::uint16_t f16 = static_cast<std::uint16_t>(f);
    const U16x16 x = (s16 & 0xFF) * f16 + 128;
    const U16x16 y = (s16 >> 8) * f16 + 128;
    U32x8 c;
    Lanes(c, U16x16(((x + (x >> 8)) >> 8) | (((y + (y >> 8)) >> 8) << 8)));
    e.Store(d, U32x8(0xFF000000u | ((c & 0x00FFFFFFu) + tintPart)));
}

DRAW_ROW_CLONES
void TintRows32(const DDROWS32& r, std::uint32_t factor, std::uint32_t tintPart) {
    const int n = r.n, rows = r.rows;
    const std::uint32_t sOr = r.sOr, dOr = r.dOr;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* __restrict d = r.d + j * dPitch;
        const std::uint32_t* __restrict s = r.s + j * sPitch;
        if (!RowHasPartialAlpha(s, n, sOr)) {
            int i = 0;
            for (; i + 8 <= n; i += 8) TintEightOpaque(d + i, s + i, sOr, factor, tintPart);
            for (; i < n; ++i) {
                const std::uint32_t p = s[i] | sOr;
                const std::uint32_t c = ScaleRgb(p, factor);
                const std::uint32_t mask = OpaqueMask(p);
                d[i] = ((0xFF000000u | (c + tintPart)) & mask) | (d[i] & ~mask);
            }
            continue;
        }
        for (int i = 0; i < n; ++i) {
            const std::uint32_t p = s[i] | sOr;
            const std::uint32_t a = p >> 24;
            const std::uint32_t c = ScaleRgb(p, factor);
            d[i] = BlendLanes(a << 24 | (c + tintPart), d[i] | dOr, a);
        }
    }
}

DRAW_ROW_CLONES
void AlphaRows32(const DDROWS32& r, std::uint32_t vertexAlpha) {
    const int n = r.n, rows = r.rows;
    const std::uint32_t sOr = r.sOr, dOr = r.dOr;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* __restrict d = r.d + j * dPitch;
        const std::uint32_t* __restrict s = r.s + j * sPitch;
        if (!RowHasPartialAlpha(s, n, sOr)) {
            // Every drawn texel has the vertex alpha itself: eight pixels at a
            // time in 16-bit lanes, where the products fit.
            int i = 0;
            for (; i + 8 <= n; i += 8) BlendEightConstant(d + i, s + i, sOr, dOr, vertexAlpha);
            for (; i < n; ++i) {
                const std::uint32_t p = s[i] | sOr;
                const std::uint32_t mask = OpaqueMask(p);
                d[i] = (BlendLanes(p, d[i] | dOr, vertexAlpha) & mask) | (d[i] & ~mask);
            }
            continue;
        }
        for (int i = 0; i < n; ++i) {
            const std::uint32_t p = s[i] | sOr;
            d[i] = BlendLanes(p, d[i] | dOr, Mul8Lanes(p >> 24, vertexAlpha));
        }
    }
}

DRAW_ROW_CLONES
void TintRowsDD32(const DDROWS32& r, std::uint32_t tint, int level, bool keyed, std::uint32_t key) {
    std::uint32_t c[kChunk];
    const int n = r.n, rows = r.rows;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* __restrict d = r.d + j * dPitch;
        const std::uint32_t* __restrict s = r.s + j * sPitch;
        for (int i0 = 0; i0 < n; i0 += kChunk) {
            const int m = n - i0 < kChunk ? n - i0 : kChunk;
            for (int i = 0; i < m; ++i) c[i] = s[i0 + i];
            for (int k = 0; k < level; ++k) {
                for (int i = 0; i < m; ++i) c[i] = AverageBytes(c[i], tint);
            }
            for (int i = 0; i < m; ++i) {
                const std::uint32_t dp = d[i0 + i];
                const std::uint32_t out = (dp & 0xFF000000u) | (c[i] & 0x00FFFFFFu);
                d[i0 + i] = keyed && s[i0 + i] == key ? dp : out;
            }
        }
    }
}

DRAW_ROW_CLONES
void HalfRowsDD32(const DDROWS32& r, bool keyed, std::uint32_t key) {
    const int n = r.n, rows = r.rows;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* __restrict d = r.d + j * dPitch;
        const std::uint32_t* __restrict s = r.s + j * sPitch;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t dp = d[i], sp = s[i];
            const std::uint32_t mixed = dp == key ? sp : AverageBytes(sp, dp);
            const std::uint32_t out = (dp & 0xFF000000u) | (mixed & 0x00FFFFFFu);
            d[i] = keyed && sp == key ? dp : out;
        }
    }
}

DRAW_ROW_CLONES
void FadeRowsDD32(const DDROWS32& r, std::uint32_t color, std::uint32_t level) {
    const std::uint32_t inv = 256 - level;
    const std::uint32_t cRB = (color & 0x00FF00FFu) * inv, cG = (color & 0x0000FF00u) * inv;
    const int n = r.n, rows = r.rows;
    const std::ptrdiff_t dPitch = r.dPitch, sPitch = r.sPitch;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* __restrict d = r.d + j * dPitch;
        const std::uint32_t* __restrict s = r.s + j * sPitch;
        for (int i = 0; i < n; ++i) {
            const std::uint32_t p = s[i];
            const std::uint32_t rb = (((p & 0x00FF00FFu) * level + cRB) >> 8) & 0x00FF00FFu;
            const std::uint32_t g = (((p & 0x0000FF00u) * level + cG) >> 8) & 0x0000FF00u;
            d[i] = (d[i] & 0xFF000000u) | rb | g;
        }
    }
}

DRAW_ROW_CLONES
void ShadeRows32(std::uint32_t* d, std::ptrdiff_t dPitch, int n, int rows, std::uint32_t argb, std::uint32_t dOr) {
    const std::uint32_t a = argb >> 24;
    for (int j = 0; j < rows; ++j) {
        std::uint32_t* row = d + j * dPitch;
        for (int i = 0; i < n; ++i) row[i] = BlendLanes(argb, row[i] | dOr, a);
    }
}
