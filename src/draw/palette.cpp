#include "draw/palette.h"

#include <algorithm>

#include "draw/bmp_decoder.h"
#include "draw/pixel_ops.h"
#include "draw/sprite_batch.h"
#include "draw/surfaces.h"
#include "foundation/report.h"

PALETTEENTRY Palette[256] = {};
PALETTEENTRY PaletteWork[256] = {};

namespace {
// A channel of a pixel of the texture (or display) format.
int Channel(std::uint32_t p, int k) { return static_cast<int>((p >> TexChannels.nShift[k]) & TexChannels.nMax[k]); }

}  // namespace

int SetTrans(const char* file) {
    DDSURFACEDATA temp;
    if (DDCreateSurfaceFromFile(&temp, file, 0, DDSetting.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) != 0) {
        WriteLogF("%s 作成失敗！", file ? file : "");
        DDReleaseSurface(&temp);
        return 0;
    }
    DDPIXELS* px = temp.Pixels();
    if (!px) {
        DDReleaseSurface(&temp);
        return 0;
    }
    const std::uint32_t p = px->Get(0, 0);
    int ok = 1;
    if (lpDTCon && px->fmt == D3DFMT_A8R8G8B8) {
        DDSetTransmit(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
    } else if (lpDTCon) {
        dwTransmit = p;
        BMPIMAGE bmp;
        if (!LoadBmpFile(file, bmp)) {
            ok = 0;
        } else {
            if (bmp.nBitCount == 8) {
                const std::uint32_t e = bmp.colorTable[0];
                lpDTCon->rgbTransmit_16[0] = static_cast<BYTE>(e);
                lpDTCon->rgbTransmit_16[1] = static_cast<BYTE>(e >> 8);
                lpDTCon->rgbTransmit_16[2] = static_cast<BYTE>(e >> 16);
            }
            DDSetTransmit(static_cast<BYTE>(Channel(p, 0)), static_cast<BYTE>(Channel(p, 1)),
                          static_cast<BYTE>(Channel(p, 2)));
        }
    } else {
        dwTransmit = p;
        if (DDSetting.nBpp == 32) {
            lpDDCon->rgbTransmit[0] = static_cast<BYTE>(p);
            lpDDCon->rgbTransmit[1] = static_cast<BYTE>(p >> 8);
            lpDDCon->rgbTransmit[2] = static_cast<BYTE>(p >> 16);
        }
    }
    DDReleaseSurface(&temp);
    return ok;
}

void DDSetTransmit(BYTE red, BYTE green, BYTE blue) {
    if (lpDTCon) {
        DDDEVICE& dev = *lpDTCon;
        dev.rgbTransmit[0] = blue;
        dev.rgbTransmit[1] = green;
        dev.rgbTransmit[2] = red;
        dev.argbTransmit = 0xFF000000u | DWORD(red) << 16 | DWORD(green) << 8 | blue;
        dev.dwTransparent = 0;
        if (dev.fmtTexture == D3DFMT_A8R8G8B8) {
            dev.wTransmit_16 = 0;
            dwTransmit = 0;
        } else {
            const DDCHANNELS& c = TexChannels;
            dev.wTransmit_16 =
                static_cast<WORD>((blue & c.nMax[2]) << c.nShift[2] | (green & c.nMax[1]) << c.nShift[1] |
                                  (red & c.nMax[0]) << c.nShift[0] | 1 << c.nShift[3]);
        }
        return;
    }
    if (!lpDDCon) return;
    if (DDSetting.nBpp == 32) {
        dwTransmit = DWORD(red) << 16 | DWORD(green) << 8 | blue;
        lpDDCon->rgbTransmit[0] = blue;
        lpDDCon->rgbTransmit[1] = green;
        lpDDCon->rgbTransmit[2] = red;
    } else if (DDSetting.nBpp == 16) {
        const DDCHANNELS& c = TexChannels;
        dwTransmit = (DWORD(red) * c.nMax[0] / 255) << c.nShift[0] | (DWORD(green) * c.nMax[1] / 255) << c.nShift[1] |
                     (DWORD(blue) * c.nMax[2] / 255) << c.nShift[2];
        WriteLog("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！");
    }
}

bool DDLoadPaletteFromFile(PALETTEENTRY* palette, const char* file, int /*unused*/) {
    BMPIMAGE bmp;
    if (!LoadBmpFile(file ? file : "", bmp)) return false;
    bool fromTable = false;
    if (bmp.nBitCount == 8 && (lpDTCon || DDSetting.nBpp == 8)) {
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t e = bmp.colorTable[static_cast<std::size_t>(i)];
            const BYTE flags = lpDTCon ? 0xFF : (i >= 10 && i <= 245 ? PC_RESERVED : PC_EXPLICIT);
            palette[i] =
                PALETTEENTRY{static_cast<BYTE>(e >> 16), static_cast<BYTE>(e >> 8), static_cast<BYTE>(e), flags};
        }
        fromTable = true;
    }
    if (DDSetting.nBpp == 8) {
        if (lpDDCon) std::copy(palette, palette + 256, DDPaletteColors);
        return true;
    }
    if (!fromTable) {
        // Pictures without a colour table: the first 256 pixels, row by row,
        // are the colours (a 16 x 16 swatch picture gives them in order).
        const std::size_t n = std::min<std::size_t>(256, bmp.rgb.size());
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t p = bmp.rgb[i];
            palette[i] = PALETTEENTRY{static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p), 0};
        }
    }
    return true;
}

DWORD DDPalNumToPixel(DWORD n) {
    if (n > 255) n = 0;
    const PALETTEENTRY& e = Palette[n];
    switch (DDSetting.nBpp) {
        case 8: return n;
        case 16: return DDPalToRGB16(&e);
        default: return DWORD(e.peRed) << 16 | DWORD(e.peGreen) << 8 | e.peBlue;
    }
}
