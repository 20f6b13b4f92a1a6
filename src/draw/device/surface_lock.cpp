#include "draw/device/surface_lock.h"

#include <algorithm>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "foundation/report.h"

namespace {
constexpr DDCHANNELS kChannels8888 = {{16, 8, 0, 24}, {255, 255, 255, 255}};
constexpr DDCHANNELS kChannels1555 = {{10, 5, 0, 15}, {31, 31, 31, 1}};
constexpr DDCHANNELS kChannels565 = {{11, 5, 0, 16}, {31, 63, 31, 0}};
}  // namespace

bool DDSurfaceLock::Begin(DDSURFACEDATA* sd) {
    DDUnlockSD();
    if (!sd) return false;
    if (lpDTCon) {
        DDGetShareSD(&sd);
        DDRedirectBackBuffer(&sd);
        if (!sd->lpDT || !sd->Pixels()) {
            WriteLog("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
            return false;
        }
        bits = sd->Pixels();
        bits->ForgetOpacity();  // the caller writes through the lock
    } else {
        void* raw = nullptr;
        DDSURFACEDESC2 desc;
        if (!sd->lpDD || !DDLock(sd, &desc, &raw, DDSetting.nBpp)) {
            WriteLog("DDLock Err");
            return false;
        }
        bits = sd->Pixels();
    }
    m_lpSD = sd;
    nBytesPerPixel = BytesPerPixel(bits->fmt);
    nBitsPerPixel = nBytesPerPixel * 8;
    nPitch = bits->nPitch / nBytesPerPixel;
    return true;
}

void DDSurfaceLock::DDUnlockSD() {
    if (!m_lpSD) return;
    if (!lpDTCon) DDUnlock(m_lpSD);
    m_lpSD = nullptr;
    bits = nullptr;
}

int DDSurfaceLock::Width() const { return m_lpSD ? std::min(m_lpSD->nWidth, bits->nWidth) : 0; }
int DDSurfaceLock::Height() const { return m_lpSD ? std::min(m_lpSD->nHeight, bits->nHeight) : 0; }

DDAREASPAN AreaInside(int x, int y, int w, int h, int dstW, int dstH, int sx, int sy, int srcW, int srcH) {
    auto span = [](long long len, long long d, long long dLimit, long long s, long long sLimit, int& lo, int& hi) {
        lo = static_cast<int>(std::min(std::max({0LL, -d, -s}), std::max(len, 0LL)));
        hi = static_cast<int>(std::max(0LL, std::min({len, dLimit - d, sLimit - s})));
    };
    DDAREASPAN a{};
    span(w, x, dstW, sx, srcW, a.i0, a.i1);
    span(h, y, dstH, sy, srcH, a.j0, a.j1);
    return a;
}

bool DDIsFullScreenBack(DDSURFACEDATA* sd) { return sd == &BackBuffer && DDSetting.nWindowMode == 0; }

const DDCHANNELS& ChannelsOf(DWORD fmt) {
    switch (fmt) {
        case D3DFMT_A1R5G5B5: return kChannels1555;
        case D3DFMT_R5G6B5: return kChannels565;
        default: return kChannels8888;
    }
}

DDKEYRULE KeyRuleOf(const DDPIXELS& src) { return DDKEYRULE{lpDTCon != nullptr, src.fmt, dwTransmit}; }

DDADDCOLOR AddColorOf(const DDBLTCOLOR* op, const DDCHANNELS& ch) {
    DDADDCOLOR add;
    if (!op || op->dwColorOp != D3DTOP_ADD) return add;
    const std::uint32_t bytes[3] = {(op->dwColor >> 16) & 255, (op->dwColor >> 8) & 255, op->dwColor & 255};
    for (int k = 0; k < 3; ++k) {
        add.c[k] = static_cast<int>(bytes[k] * static_cast<std::uint32_t>(ch.nMax[k]) / 255);
        add.bAny = add.bAny || add.c[k] != 0;
    }
    return add;
}

DDRESULTPACK ResultPackOf(const DDPIXELS& dst, const DDPIXELS& src) {
    const DDCHANNELS& ch = ChannelsOf(dst.fmt);
    DDRESULTPACK pack{&ch, 0, false};
    if (!lpDTCon) return pack;
    pack.alpha = static_cast<std::uint32_t>(ch.nMax[3] & (ch.nMax[3] == 255 ? 255 : 1)) << ch.nShift[3];
    if (dst.fmt == D3DFMT_X8R8G8B8) pack.alpha = 0xFF000000u;
    pack.bGreenDoubled = dst.fmt == D3DFMT_R5G6B5 && src.fmt == D3DFMT_A1R5G5B5;
    return pack;
}
