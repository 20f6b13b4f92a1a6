#include "draw/blend_rows.h"

#include "draw/row_clones.h"

DRAW_ROW_CLONES
void TintRows32(const DDROWS32& r, std::uint32_t factor, std::uint32_t tintPart) {
    for (int j = 0; j < r.rows; ++j) {
        std::uint32_t* d = r.d + j * r.dPitch;
        const std::uint32_t* s = r.s + j * r.sPitch;
        for (int i = 0; i < r.n; ++i) {
            const std::uint32_t p = s[i] | r.sOr;
            const std::uint32_t a = p >> 24;
            const std::uint32_t c = (Mul8Lanes(p & 0x00FF00FFu, factor) | Mul8Lanes((p >> 8) & 0xFFu, factor) << 8);
            d[i] = BlendLanes(a << 24 | (c + tintPart), d[i] | r.dOr, a);
        }
    }
}

DRAW_ROW_CLONES
void AlphaRows32(const DDROWS32& r, std::uint32_t vertexAlpha) {
    for (int j = 0; j < r.rows; ++j) {
        std::uint32_t* d = r.d + j * r.dPitch;
        const std::uint32_t* s = r.s + j * r.sPitch;
        for (int i = 0; i < r.n; ++i) {
            const std::uint32_t p = s[i] | r.sOr;
            const std::uint32_t a = Mul8Lanes(p >> 24, vertexAlpha);
            d[i] = BlendLanes(p, d[i] | r.dOr, a);
        }
    }
}

DRAW_ROW_CLONES
void TintRowsDD32(const DDROWS32& r, std::uint32_t tint, int level, bool keyed, std::uint32_t key) {
    constexpr int kChunk = 256;
    std::uint32_t c[kChunk];
    for (int j = 0; j < r.rows; ++j) {
        std::uint32_t* d = r.d + j * r.dPitch;
        const std::uint32_t* s = r.s + j * r.sPitch;
        for (int i0 = 0; i0 < r.n; i0 += kChunk) {
            const int m = r.n - i0 < kChunk ? r.n - i0 : kChunk;
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
    for (int j = 0; j < r.rows; ++j) {
        std::uint32_t* d = r.d + j * r.dPitch;
        const std::uint32_t* s = r.s + j * r.sPitch;
        for (int i = 0; i < r.n; ++i) {
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
    for (int j = 0; j < r.rows; ++j) {
        std::uint32_t* d = r.d + j * r.dPitch;
        const std::uint32_t* s = r.s + j * r.sPitch;
        for (int i = 0; i < r.n; ++i) {
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
