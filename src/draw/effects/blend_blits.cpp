#include "draw/effects/blend_blits.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "draw/blit.h"
#include "draw/device/surface_lock.h"
#include "draw/effects/blend_rows.h"
#include "draw/pixel_ops.h"
#include "foundation/file_reading.h"
#include "foundation/report.h"

BYTE BlendTable[65536] = {};

namespace {

// The two locked surfaces of a processor path and the part of the area that
// lies inside both.
struct LOCKEDPAIR {
    DDSurfaceLock dst, src;
    DDAREASPAN area{};
    bool Begin(DDSURFACEDATA* d, DDSURFACEDATA* s, int x, int y, int w, int h, int sx, int sy) {
        if (!dst.Begin(d) || !src.Begin(s)) return false;
        area = AreaInside(x, y, w, h, dst.Width(), dst.Height(), sx, sy, src.Width(), src.Height());
        return true;
    }
};

// Calls f(destination pixel, source pixel) for every pixel of the area.
template <class T, class F>
void ForEachPixelPair(LOCKEDPAIR& p, int x, int y, int sx, int sy, F f) {
    const DDAREASPAN& a = p.area;
    if (a.Empty()) return;
    for (int j = a.j0; j < a.j1; ++j) {
        T* d = p.dst.bits->Row<T>(y + j) + x;
        const T* s = static_cast<const DDPIXELS*>(p.src.bits)->Row<T>(sy + j) + sx;
        for (int i = a.i0; i < a.i1; ++i) f(d[i], s[i]);
    }
}

DDROWS32 Rows32(LOCKEDPAIR& p, int x, int y, int sx, int sy, std::uint32_t sOr, std::uint32_t dOr) {
    const DDAREASPAN& a = p.area;
    DDROWS32 r;
    r.d = p.dst.bits->Row<std::uint32_t>(y + a.j0) + x + a.i0;
    r.dPitch = p.dst.nPitch;
    r.s = static_cast<const DDPIXELS*>(p.src.bits)->Row<std::uint32_t>(sy + a.j0) + sx + a.i0;
    r.sPitch = p.src.nPitch;
    r.n = a.i1 - a.i0;
    r.rows = a.j1 - a.j0;
    r.sOr = sOr;
    r.dOr = dOr;
    return r;
}

// Channel tables turning channel values of a 16-bit display format to the
// 0..255 scale and back.
struct SCALE16 {
    const DDCHANNELS& ch;
    int To255(std::uint32_t p, int k) const { return ChannelOf(p, ch, k) * 255 / ch.nMax[k]; }
    std::uint32_t Pack255(const int v[3]) const {
        std::uint32_t out = 0;
        for (int k = 0; k < 3; ++k) out |= static_cast<std::uint32_t>(v[k] * ch.nMax[k] / 255) << ch.nShift[k];
        return out;
    }
};

// The device-path surfaces of one textured quad, or false when nothing may
// be drawn (no pixels, no scene, no render target).
bool PrepareDeviceQuad(DDSURFACEDATA*& dst, DDSURFACEDATA*& src) {
    DDGetShareSD(&dst);
    DDGetShareSD(&src);
    DDRedirectBackBuffer(&dst);
    DDRedirectBackBuffer(&src);
    if (!dst->Pixels() || !src->Pixels()) return false;
    return DDBeginScene() && DDSetRenderTarget(0, dst);
}

bool Is32(DWORD fmt) { return fmt == D3DFMT_A8R8G8B8 || fmt == D3DFMT_X8R8G8B8; }

// A quad drawn texel for texel from inside the source onto 32-bit pixels
// runs through the row loops; anything else through the general rasteriser.
template <class Rows>
void DrawDeviceQuad(DDSURFACEDATA* dst, DDSURFACEDATA* src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                    const DDSTAGESTATE& st, Rows rows) {
    DDPIXELS& d = *dst->Pixels();
    DDPIXELS& s = *src->Pixels();
    const bool direct = sw == w && sh == h && sx >= 0 && sy >= 0 && sx + w <= s.nWidth && sy + h <= s.nHeight;
    if (!direct || !Is32(d.fmt) || !Is32(s.fmt)) {
        DrawQuadPixels(d, s, x, y, w, h, sx, sy, sw, sh, st);
        return;
    }
    const int i0 = std::max(0, -x), j0 = std::max(0, -y);
    const int i1 = std::min(w, d.nWidth - x), j1 = std::min(h, d.nHeight - y);
    if (i0 >= i1 || j0 >= j1) return;
    d.ForgetOpacity();
    DDROWS32 r;
    r.d = d.Row<std::uint32_t>(y + j0) + x + i0;
    r.dPitch = d.nPitch / 4;
    r.s = static_cast<const DDPIXELS&>(s).Row<std::uint32_t>(sy + j0) + sx + i0;
    r.sPitch = s.nPitch / 4;
    r.n = i1 - i0;
    r.rows = j1 - j0;
    r.sOr = s.fmt == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    r.dOr = d.fmt == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
    rows(r);
}

constexpr std::uint32_t kTintFactor[5] = {0, 128, 80, 48, 16};

void TintDevice(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                const PALETTEENTRY& e, int level) {
    if (!PrepareDeviceQuad(dst, src)) return;
    const std::uint32_t a = level <= 4 ? kTintFactor[level] : 0;
    const std::uint32_t tint = std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
    DDSTAGESTATE st;
    st.dwVertexColor = 0xFF000000u | tint;  // the blend's second argument
    st.dwColorOp = D3DTOP_BLENDFACTORALPHA;
    st.dwAlphaOp = D3DTOP_SELECTARG1;
    st.dwTextureFactor = a << 24 | tint;
    const std::uint32_t tintPart = Mul8Lanes(tint & 0x00FF00FFu, 255 - a) | Mul8Lanes((tint >> 8) & 0xFFu, 255 - a)
                                                                                << 8;
    DrawDeviceQuad(dst, src, x, y, w, h, sx, sy, sw, sh, st, [&](const DDROWS32& r) { TintRows32(r, a, tintPart); });
}

template <class T>
void TintProcessorD3D(LOCKEDPAIR& p, int x, int y, int sx, int sy, bool keyed, const PALETTEENTRY& e, int level,
                      const DDBLTCOLOR* op) {
    const DDCHANNELS& sch = ChannelsOf(p.src.bits->fmt);
    const DDRESULTPACK pack = ResultPackOf(*p.dst.bits, *p.src.bits);
    const DDKEYRULE rule = KeyRuleOf(*p.src.bits);
    const DDADDCOLOR add = AddColorOf(op, sch);
    const BYTE bytes[3] = {e.peRed, e.peGreen, e.peBlue};
    int t[3];
    for (int k = 0; k < 3; ++k) t[k] = bytes[k] * TexChannels.nMax[k] / 255;
    const int factor = level <= 4 ? 256 >> level : 0;  // 128, 64, 32, 16
    const float f = static_cast<float>(factor) * (1.0f / 255.0f);
    ForEachPixelPair<T>(p, x, y, sx, sy, [&](T& d, T s) {
        if (keyed && rule.Transparent(s)) return;
        const std::uint32_t c = AddSaturated(s, add, sch);
        int v[3];
        for (int k = 0; k < 3; ++k) {
            const int ck = ChannelOf(c, sch, k);
            v[k] = level == 1 ? (ck + t[k]) >> 1 : static_cast<int>(ck * f + t[k] * (1.0f - f));
        }
        if (pack.bGreenDoubled) v[1] = level == 1 ? ChannelOf(c, sch, 1) + t[1] : v[1] * 2;
        d = static_cast<T>(pack.Pack(v[0], v[1], v[2]));
    });
}

void TintProcessorDD(LOCKEDPAIR& p, int x, int y, int sx, int sy, bool keyed, const PALETTEENTRY* palette,
                     const BYTE* table, int n, int level) {
    const std::uint32_t key = dwTransmit;
    const PALETTEENTRY& e = palette[n];
    switch (p.dst.nBytesPerPixel) {
        case 1:
            ForEachPixelPair<BYTE>(p, x, y, sx, sy, [&](BYTE& d, BYTE s) {
                if (keyed && s == key) return;
                for (int k = 0; k < level; ++k) s = table[s * 256 + n];
                d = s;
            });
            break;
        case 2: {
            const SCALE16 sc{ChannelsOf(p.dst.bits->fmt)};
            const BYTE bytes[3] = {e.peRed, e.peGreen, e.peBlue};
            int t[3];
            for (int k = 0; k < 3; ++k) t[k] = bytes[k] * 255 / sc.ch.nMax[k];
            ForEachPixelPair<WORD>(p, x, y, sx, sy, [&](WORD& d, WORD s) {
                if (keyed && s == key) return;
                int v[3];
                for (int k = 0; k < 3; ++k) {
                    v[k] = sc.To255(s, k);
                    for (int l = 0; l < level; ++l) v[k] = (v[k] + t[k]) >> 1;
                }
                d = static_cast<WORD>(sc.Pack255(v));
            });
            break;
        }
        default: {
            const std::uint32_t tint = std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
            if (!p.area.Empty()) TintRowsDD32(Rows32(p, x, y, sx, sy, 0, 0), tint, level, keyed, key);
            break;
        }
    }
}

void AlphaDevice(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                 int transparency) {
    if (!PrepareDeviceQuad(dst, src)) return;
    // The vertex alpha byte wraps for values outside 0..255.
    const std::uint32_t vertexAlpha = static_cast<std::uint32_t>(-(transparency + 1)) & 255u;
    DDSTAGESTATE st;
    st.dwVertexColor = vertexAlpha << 24 | 0xFFFFFFu;
    st.dwColorOp = D3DTOP_MODULATE;
    st.dwAlphaOp = D3DTOP_MODULATE;
    DrawDeviceQuad(dst, src, x, y, w, h, sx, sy, sw, sh, st, [&](const DDROWS32& r) { AlphaRows32(r, vertexAlpha); });
}

template <class T>
void HalfProcessorD3D(LOCKEDPAIR& p, int x, int y, int sx, int sy, bool keyed) {
    const DDCHANNELS& sch = ChannelsOf(p.src.bits->fmt);
    const DDCHANNELS& dch = ChannelsOf(p.dst.bits->fmt);
    const DDRESULTPACK pack = ResultPackOf(*p.dst.bits, *p.src.bits);
    const DDKEYRULE rule = KeyRuleOf(*p.src.bits);
    ForEachPixelPair<T>(p, x, y, sx, sy, [&](T& d, T s) {
        if (keyed && rule.Transparent(s)) return;
        int v[3];
        for (int k = 0; k < 3; ++k) v[k] = (ChannelOf(s, sch, k) + ChannelOf(d, dch, k)) >> 1;
        if (pack.bGreenDoubled) v[1] = (ChannelOf(d, dch, 1) + 2 * ChannelOf(s, sch, 1)) >> 1;
        d = static_cast<T>(pack.Pack(v[0], v[1], v[2]));
    });
}

void HalfProcessorDD(LOCKEDPAIR& p, int x, int y, int sx, int sy, bool keyed, const BYTE* table) {
    const std::uint32_t key = dwTransmit;
    switch (p.dst.nBytesPerPixel) {
        case 1:
            // The key index is transparent here as in every other 8-bit path.
            ForEachPixelPair<BYTE>(p, x, y, sx, sy, [&](BYTE& d, BYTE s) {
                if (keyed && s == key) return;
                d = d == key ? s : table[d * 256 + s];
            });
            break;
        case 2: {
            const SCALE16 sc{ChannelsOf(p.dst.bits->fmt)};
            ForEachPixelPair<WORD>(p, x, y, sx, sy, [&](WORD& d, WORD s) {
                if (keyed && s == key) return;
                if (d == key) {
                    d = s;
                    return;
                }
                int v[3];
                for (int k = 0; k < 3; ++k) v[k] = (sc.To255(s, k) + sc.To255(d, k)) >> 1;
                d = static_cast<WORD>(sc.Pack255(v));
            });
            break;
        }
        default:
            if (!p.area.Empty()) HalfRowsDD32(Rows32(p, x, y, sx, sy, 0, 0), keyed, key);
            break;
    }
}

}  // namespace

bool DDUsesDevicePath(DDSURFACEDATA* dst, DDSURFACEDATA* src) {
    if (!lpDTCon || !dst || !src) return false;
    DDGetShareSD(&dst);
    DDGetShareSD(&src);
    return dst->lpDT && dst->lpDT->bRenderTarget && src->lpDT && src->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM;
}

bool DDBltTint(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
               const PALETTEENTRY* palette, const BYTE* table, int colorNumber, int level, const DDBLTCOLOR* op) {
    if (!dst || !src || !palette) return false;
    const int n = colorNumber & 255;
    if (lpDTCon) {
        if (level <= 0) return true;
        int sw = w, sh = h;
        DDWrapMirror(src, &sx, &sy, &sw, &sh);
        if (DDUsesDevicePath(dst, src)) {
            TintDevice(dst, x, y, w, h, src, sx, sy, sw, sh, palette[n], level);
            return true;
        }
        LOCKEDPAIR p;
        if (!p.Begin(dst, src, x, y, w, h, sx, sy)) return false;
        if (p.dst.nBytesPerPixel != p.src.nBytesPerPixel) return true;
        if (p.dst.nBytesPerPixel == 2) TintProcessorD3D<WORD>(p, x, y, sx, sy, colorKey == 1, palette[n], level, op);
        else TintProcessorD3D<DWORD>(p, x, y, sx, sy, colorKey == 1, palette[n], level, op);
        return true;
    }
    if (level == 0) return true;
    if (DDSetting.nBpp == 8 && !table) return false;
    LOCKEDPAIR p;
    if (!p.Begin(dst, src, x, y, w, h, sx, sy)) return false;
    if (p.dst.nBytesPerPixel != p.src.nBytesPerPixel) return true;
    TintProcessorDD(p, x, y, sx, sy, colorKey == 1, palette, table, n, level);
    return true;
}

bool DDBltAlpha(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
                const BYTE* table, int transparency) {
    if (!dst || !src) return false;
    if (lpDTCon) {
        int sw = w, sh = h;
        DDWrapMirror(src, &sx, &sy, &sw, &sh);
        if (DDUsesDevicePath(dst, src)) {
            AlphaDevice(dst, x, y, w, h, src, sx, sy, sw, sh, transparency);
            return true;
        }
        LOCKEDPAIR p;
        if (!p.Begin(dst, src, x, y, w, h, sx, sy)) return false;
        if (p.dst.nBytesPerPixel != p.src.nBytesPerPixel) return true;
        if (p.dst.nBytesPerPixel == 2) HalfProcessorD3D<WORD>(p, x, y, sx, sy, colorKey == 1);
        else HalfProcessorD3D<DWORD>(p, x, y, sx, sy, colorKey == 1);
        return true;
    }
    if (DDSetting.nBpp == 8 && !table) return false;
    LOCKEDPAIR p;
    if (!p.Begin(dst, src, x, y, w, h, sx, sy)) return false;
    if (p.dst.nBytesPerPixel != p.src.nBytesPerPixel) return true;
    HalfProcessorDD(p, x, y, sx, sy, colorKey == 1, table);
    return true;
}

bool DDBltHalf(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int colorKey,
               const BYTE* table) {
    return DDBltAlpha(dst, x, y, w, h, src, sx, sy, colorKey, table, 128);
}

bool DDChangeColor(DDSURFACEDATA* lpDstSD, int /*x*/, int /*y*/, int /*nWidth*/, int /*nHeight*/, int nAlpha, BYTE bRed,
                   BYTE bGreen, BYTE bBlue) {
    if (!lpDTCon) {
        WriteLog(
            "DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int nAlpha,BYTE "
            "bRed,BYTE bGreen,BYTE bBlue) は未対応");
        return true;
    }
    if (!lpDstSD) return true;
    DDSURFACEDATA* dst = lpDstSD;
    DDSURFACEDATA* src = lpDstSD;
    if (!PrepareDeviceQuad(dst, src)) return true;
    DDSTAGESTATE st;
    st.dwVertexColor =
        static_cast<std::uint32_t>(255 - nAlpha) << 24 | std::uint32_t(bRed) << 16 | std::uint32_t(bGreen) << 8 | bBlue;
    st.dwColorOp = D3DTOP_MODULATE;
    st.dwAlphaOp = D3DTOP_MODULATE;
    DDPIXELS& px = *dst->Pixels();
    DrawQuadPixels(px, px, 0, 0, dst->nWidth, dst->nHeight, 0, 0, dst->nWidth, dst->nHeight, st);
    return true;
}

bool DDFade_UnPal(DDSURFACEDATA* dst, int level, BYTE red, BYTE green, BYTE blue, DDSURFACEDATA* src) {
    if (lpDTCon) {
        WriteLog("D3DではDDFade_UnPalは未対応");
        return true;
    }
    LOCKEDPAIR p;
    if (!dst || !src || !p.Begin(dst, src, 0, 0, dst->nWidth, dst->nHeight, 0, 0)) return false;
    if (p.dst.nBytesPerPixel != p.src.nBytesPerPixel) return true;
    const int lv = std::clamp(level, 0, 256);
    if (p.dst.nBytesPerPixel == 2) {
        const SCALE16 sc{ChannelsOf(p.dst.bits->fmt)};
        const int colour[3] = {red, green, blue};
        ForEachPixelPair<WORD>(p, 0, 0, 0, 0, [&](WORD& d, WORD s) {
            int v[3];
            for (int k = 0; k < 3; ++k) v[k] = (sc.To255(s, k) * lv + colour[k] * (256 - lv)) >> 8;
            d = static_cast<WORD>(sc.Pack255(v));
        });
    } else if (p.dst.nBytesPerPixel == 4 && !p.area.Empty()) {
        const std::uint32_t colour = std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
        FadeRowsDD32(Rows32(p, 0, 0, 0, 0, 0, 0), colour, static_cast<std::uint32_t>(lv));
    }
    return true;
}

void DDSetPalette_UnPal(PALETTEENTRY* palette, DDSURFACEDATA* sd) {
    DDSurfaceLock lock;
    if (!palette || !lock.Begin(sd)) {
        if (lpDTCon) WriteLog("DDSetPalette_UnPal Lock Err");
        return;
    }
    const DDPIXELS& px = *lock.bits;
    const DDCHANNELS& ch = ChannelsOf(px.fmt);
    for (int i = 0; i < 256; ++i) {
        const int col = i % 16, row = 8 + i / 16;
        // A picture too small for the swatch leaves the entries it lacks.
        if (col >= lock.Width() || row >= lock.Height()) continue;
        const std::uint32_t p = px.Get(col, row);
        PALETTEENTRY& e = palette[i];
        switch (px.fmt) {
            case D3DFMT_A8R8G8B8:
            case D3DFMT_X8R8G8B8:
                if (lpDTCon && (p >> 24) == 0) break;
                e = PALETTEENTRY{BYTE(p >> 16), BYTE(p >> 8), BYTE(p), BYTE(p >> 24)};
                break;
            case D3DFMT_A1R5G5B5:
            case D3DFMT_R5G6B5:
                if (lpDTCon) {
                    if (!(p & 0x8000u)) break;
                    e.peRed = BYTE(ChannelOf(p, ch, 0) * 255 / ch.nMax[0]);
                    e.peGreen = BYTE(ChannelOf(p, ch, 1) * 255 / ch.nMax[1]);
                    e.peBlue = BYTE(ChannelOf(p, ch, 2) * 255 / ch.nMax[2]);
                } else {
                    e.peRed = BYTE(ChannelOf(p, ch, 0));
                    e.peGreen = BYTE(ChannelOf(p, ch, 1));
                    e.peBlue = BYTE(ChannelOf(p, ch, 2));
                }
                break;
            default: break;  // palette indices have no colour of their own
        }
    }
}

bool DDLoadBlendTable(BYTE* buffer, const char* file) {
    if (lpDTCon) return true;
    std::vector<std::uint8_t> bytes;
    if (!buffer || !file || !ReadGameFile(file, bytes, 1 << 20)) return false;
    if (bytes.size() < 65536) {
        LogPrintfBoth("%s : ブレンドテーブルが短すぎます (%zu / 65536 バイト)", file, bytes.size());
        return false;
    }
    std::memcpy(buffer, bytes.data(), 65536);
    return true;
}
