#include "draw/blit.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "draw/device/device.h"
#include "draw/pixel_ops.h"
#include "draw/sprite_batch.h"
#include "foundation/abort.h"
#include "foundation/report.h"

namespace {

// Positions and sizes far beyond any surface: the clipping sums of such
// values would overflow, so the blit is refused instead.
constexpr int kMaxBlitCoordinate = 1 << 24;

bool WithinBlitRange(std::initializer_list<int> values) {
    for (const int v : values) {
        if (v > kMaxBlitCoordinate || v < -kMaxBlitCoordinate) return false;
    }
    return true;
}

bool ClipSameSize(DDSURFACEDATA* dst, int* x, int* y, DDSURFACEDATA* src, int* sx, int* sy, int* sw, int* sh) {
    // A negative source origin cuts the source but leaves the destination
    // where it was asked: the picture lands shifted by the cut. Callers that
    // want the cut part to stay off-screen pass a negative destination.
    if (*sx < 0) {
        *sw += *sx;
        *sx = 0;
    }
    if (*sy < 0) {
        *sh += *sy;
        *sy = 0;
    }
    if (*sx + *sw > src->nWidth) *sw = src->nWidth - *sx;
    if (*sy + *sh > src->nHeight) *sh = src->nHeight - *sy;
    if (*x < 0) {
        *sx -= *x;
        *sw += *x;
        *x = 0;
    }
    if (*y < 0) {
        *sy -= *y;
        *sh += *y;
        *y = 0;
    }
    if (*x + *sw > dst->nWidth) *sw = dst->nWidth - *x;
    if (*y + *sh > dst->nHeight) *sh = dst->nHeight - *y;
    return *sw > 0 && *sh > 0;
}

// Limits one axis of a scaled source rectangle to [0, size). In the device
// path a negative length is a mirrored span, limited as the span it covers.
void LimitSourceAxis(int* s, int* len, int size, bool spanSigned) {
    if (spanSigned && *len < 0) {
        int lo = *s + *len, hi = *s;
        lo = std::max(lo, 0);
        hi = std::min(hi, size);
        *s = hi;
        *len = -(hi - lo);
        return;
    }
    if (*s < 0) {
        *len += *s;
        *s = 0;
    }
    if (*s + *len > size) *len = size - *s;
}

// DirectDraw: a destination cut moves the source edge in proportion.
void ClipScaledDestAxis(int* d, int* dlen, int* s, int* slen, int limit) {
    if (*d < 0) {
        const int cut = -*d;
        const int scut = static_cast<int>(static_cast<long long>(cut) * *slen / *dlen);
        *s += scut;
        *slen -= scut;
        *dlen -= cut;
        *d = 0;
    }
    if (*dlen > 0 && *d + *dlen > limit) {
        const int cut = *d + *dlen - limit;
        *slen -= static_cast<int>(static_cast<long long>(cut) * *slen / *dlen);
        *dlen -= cut;
    }
}

bool ClipScaled(DDSURFACEDATA* dst, int* x, int* y, int* w, int* h, DDSURFACEDATA* src, int* sx, int* sy, int* sw,
                int* sh) {
    const bool d3d = lpDTCon != nullptr;
    const int askedW = *sw, askedH = *sh;
    LimitSourceAxis(sx, sw, src->nWidth, d3d);
    LimitSourceAxis(sy, sh, src->nHeight, d3d);
    const int divW = d3d ? std::abs(askedW) : askedW;
    const int divH = d3d ? std::abs(askedH) : askedH;
    *w = static_cast<int>(static_cast<long long>(*w) * (d3d ? std::abs(*sw) : *sw) / divW);
    *h = static_cast<int>(static_cast<long long>(*h) * (d3d ? std::abs(*sh) : *sh) / divH);
    if (!d3d) {
        if (*w <= 0 || *h <= 0) return false;
        if (*x >= dst->nWidth || *y >= dst->nHeight || *x + *w <= 0 || *y + *h <= 0) return false;
        ClipScaledDestAxis(x, w, sx, sw, dst->nWidth);
        ClipScaledDestAxis(y, h, sy, sh, dst->nHeight);
    }
    const bool signsKept = (*sw < 0) == (askedW < 0) && (*sh < 0) == (askedH < 0);
    return *w > 0 && *h > 0 && *sw != 0 && *sh != 0 && signsKept;
}

DDSTAGESTATE CurrentStage() {
    DDSTAGESTATE st;
    st.dwVertexColor = lpDTCon->dwVertexColor;
    st.dwColorOp = lpDTCon->dwColorOp;
    st.dwAlphaOp = lpDTCon->dwAlphaOp;
    st.dwTextureFactor = lpDTCon->dwTextureFactor;
    return st;
}

int BltStretchDirectDraw(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw,
                         int sh, int flags) {
    if (!DDClipBlt(dst, &x, &y, &w, &h, src, &sx, &sy, &sw, &sh)) return 0;
    DDPIXELS* d = dst->Pixels();
    DDPIXELS* s = src->Pixels();
    if (!d || !s) return 0;
    const bool keyed = flags == 1 && src->Keyed();
    const DWORD key = src->lpDD ? src->lpDD->dwColorKey : 0;
    if (sw == w && sh == h) FastBltPixels(*d, *s, x, y, w, h, sx, sy, keyed, key);
    else StretchBltPixels(*d, *s, x, y, w, h, sx, sy, sw, sh, keyed, key);
    return 1;
}

int BltStretchDevice(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                     int flags) {
    if (!dst || !src) return 0;
    DDGetShareSD(&dst);
    DDGetShareSD(&src);
    if (lpDTCon->bFlushing) {
        dst = &BackBuffer;
        src = &VirBackBuffer;
    } else {
        DDRedirectBackBuffer(&dst);
        DDRedirectBackBuffer(&src);
    }
    if (!dst->lpDT || !src->lpDT) return 0;
    DDPIXELS* d = dst->Pixels();
    DDPIXELS* s = src->Pixels();
    if (!d || !s) return 0;
    if (dst->lpDT->bRenderTarget && src->lpDT->nMemoryType != DTMEMORYTYPE_SYSTEM) {
        if (!DDClipBlt(dst, &x, &y, &w, &h, src, &sx, &sy, &sw, &sh)) return 0;
        if (DDCollectingSpriteBatch()) {
            DDSPRITEREQUEST r;
            r.lpDst = dst;
            r.lpSrc = src;
            r.x = x, r.y = y, r.w = w, r.h = h, r.sx = sx, r.sy = sy, r.sw = sw, r.sh = sh;
            r.nFlags = flags;
            r.dwVertexColor = lpDTCon->dwVertexColor;
            r.dwColorOp = lpDTCon->dwColorOp;
            r.dwAlphaOp = lpDTCon->dwAlphaOp;
            DDSpriteBatchCollect(r);
            return 1;
        }
        if (!DDBeginScene()) return 0;
        if (flags == 0 && src->Keyed()) DDClearForUnkeyedDraw(dst, x, y, w, h);
        DDDrawQuad(dst, src, x, y, w, h, sx, sy, sw, sh, CurrentStage());
        return 1;
    }
    ProcessorCopyPixels(*d, *s, src->nWidth, src->nHeight, x, y, w, h, sx, sy, sw, sh, flags == 1);
    return 1;
}

// What BltSameSizeDevice returns where the general path must decide.
constexpr int kGeneralPath = -1;

// A same-size blit in the device path between records of their own (no
// shared mirror sheet) of a texture onto a render target, outside the
// flush and the sprite batch: every shot and most cells. The general
// path's steps in its order, without the scaled clipping and the calls
// that only matter for shared records.
int BltSameSizeDevice(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags) {
    if (!dst || !src || dst->lpShareSD || src->lpShareSD || lpDTCon->bFlushing || DDCollectingSpriteBatch())
        return kGeneralPath;
    if (AbortFlag) return 0;
    DDRedirectBackBuffer(&dst);
    DDRedirectBackBuffer(&src);
    if (!dst->lpDT || !src->lpDT) return 0;
    DDPIXELS* d = dst->Pixels();
    DDPIXELS* s = src->Pixels();
    if (!d || !s) return 0;
    if (!dst->lpDT->bRenderTarget || src->lpDT->nMemoryType == DTMEMORYTYPE_SYSTEM) return kGeneralPath;
    int sw = w, sh = h;
    if (!DDClipBlt(dst, &x, &y, &w, &h, src, &sx, &sy, &sw, &sh)) return 0;
    if (!DDBeginScene()) return 0;
    if (flags == 0 && src->Keyed()) DDClearForUnkeyedDraw(dst, x, y, w, h);
    DrawQuadPixels(*d, *s, x, y, w, h, sx, sy, w, h, CurrentStage());
    return 1;
}

}  // namespace

void DDDrawQuad(DDSURFACEDATA* dst, DDSURFACEDATA* src, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                const DDSTAGESTATE& state) {
    DDPIXELS* d = dst->Pixels();
    DDPIXELS* s = src->Pixels();
    if (d && s) DrawQuadPixels(*d, *s, x, y, w, h, sx, sy, sw, sh, state);
}

void DDClearForUnkeyedDraw(DDSURFACEDATA* dst, int x, int y, int w, int h) {
    DDPIXELS* d = dst->Pixels();
    if (!d) return;
    const DWORD argb = dst == &BackBuffer ? lpDTCon->argbTransmit : lpDTCon->dwTransparent;
    ClearPixels(*d, x, y, w, h, FromArgb(d->fmt, argb));
}

int DDBlt(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags) {
    if (lpDTCon) return DDBltStretch(dst, x, y, w, h, src, sx, sy, w, h, flags);
    if (!dst || !src) return 0;
    int sw = w, sh = h;
    if (!DDClipBlt(dst, &x, &y, &w, &h, src, &sx, &sy, &sw, &sh)) return 0;
    DDPIXELS* d = dst->Pixels();
    DDPIXELS* s = src->Pixels();
    if (!d || !s) return 0;
    FastBltPixels(*d, *s, x, y, w, h, sx, sy, flags == 1 && src->Keyed(), src->lpDD ? src->lpDD->dwColorKey : 0);
    return 1;
}

int DDBltStretch(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                 int flags) {
    if (lpDTCon && sw == w && sh == h) {
        const int drawn = BltSameSizeDevice(dst, x, y, w, h, src, sx, sy, flags);
        if (drawn != kGeneralPath) return drawn;
    }
    if (AbortFlag) return 0;
    if (!dst || !src) return 0;
    DDWrapMirror(src, &sx, &sy, &sw, &sh);
    if (lpDTCon) return BltStretchDevice(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
    if (lpDDCon) return BltStretchDirectDraw(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
    return 0;
}

int DDBltOp(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int flags,
            const DDBLTCOLOR* op) {
    if (lpDTCon) return DDBltStretchOp(dst, x, y, w, h, src, sx, sy, w, h, flags, op);
    return DDBlt(dst, x, y, w, h, src, sx, sy, flags);
}

int DDBltStretchOp(DDSURFACEDATA* dst, int x, int y, int w, int h, DDSURFACEDATA* src, int sx, int sy, int sw, int sh,
                   int flags, const DDBLTCOLOR* op) {
    if (!lpDTCon || !op) return DDBltStretch(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
    DDSetVertexColor(op->dwColor);
    DDSetColorOp(op->dwColorOp);
    const int r = DDBltStretch(dst, x, y, w, h, src, sx, sy, sw, sh, flags);
    DDResetVertexColor();
    DDResetColorOp();
    return r;
}

int DDClipBlt(DDSURFACEDATA* dst, int* x, int* y, int* w, int* h, DDSURFACEDATA* src, int* sx, int* sy, int* sw,
              int* sh) {
    if (!dst || !src || *w <= 0 || *h <= 0 || *sw == 0 || *sh == 0) return 0;
    if (!WithinBlitRange({*x, *y, *w, *h, *sx, *sy, *sw, *sh})) {
        LogPrintfBoth("DDClipBlt Err (%d,%d,%d,%d) <- (%d,%d,%d,%d)", *x, *y, *w, *h, *sx, *sy, *sw, *sh);
        return 0;
    }
    if (*sw == *w && *sh == *h) {
        const bool left = ClipSameSize(dst, x, y, src, sx, sy, sw, sh);
        *w = *sw;
        *h = *sh;
        return left ? 1 : 0;
    }
    return ClipScaled(dst, x, y, w, h, src, sx, sy, sw, sh) ? 1 : 0;
}

namespace {
void WrapMirrorAxis(int* s, int* len, int cell) {
    if (!cell) return;
    if (*len == cell) {
        *s += *len;
        *len = -*len;
    } else if (*len < cell) {
        *s = *s + cell - 2 * (*s % cell);
        *len = -*len;
    }
}
}  // namespace

void DDWrapMirror(DDSURFACEDATA* src, int* sx, int* sy, int* sw, int* sh) {
    if (!lpDTCon || !src || !src->lpShareSD) return;
    WrapMirrorAxis(sx, sw, src->nMirrorWidth);
    WrapMirrorAxis(sy, sh, src->nMirrorHeight);
}
