#include "draw/palette.h"

#include <algorithm>

#include "draw/device/surfaces.h"
#include "draw/effects/blend_blits.h"
#include "draw/pictures/bmp_decoder.h"
#include "draw/pixel_ops.h"
#include "draw/sprite_batch.h"
#include "foundation/report.h"

PALETTEENTRY Palette[256] = {};
PALETTEENTRY PaletteWork[256] = {};

namespace {
// A channel of a pixel of the texture (or display) format.
int Channel(std::uint32_t p, int k) { return static_cast<int>((p >> TexChannels.nShift[k]) & TexChannels.nMax[k]); }

PALETTEENTRY TableEntry(std::uint32_t rgb, BYTE flags) {
    return PALETTEENTRY{static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb), flags};
}

// The system keeps the first and last ten entries of a hardware palette.
BYTE DirectDrawFlags(int i) { return i >= 10 && i <= 245 ? PC_RESERVED : PC_EXPLICIT; }

// Entry i from column i mod 16 of row 8 + i / 16; entries the picture does
// not reach stay.
void SwatchFromPixels(PALETTEENTRY* palette, const BMPIMAGE& bmp) {
    for (int i = 0; i < 256; ++i) {
        const int col = i % 16, row = 8 + i / 16;
        if (col >= bmp.nWidth || row >= bmp.nHeight) continue;
        palette[i] = TableEntry(bmp.rgb[static_cast<std::size_t>(row) * bmp.nWidth + col], DirectDrawFlags(i));
    }
}

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
    const bool indexed = bmp.nBitCount == 8;
    bool fromTable = false;
    if (lpDTCon && indexed) {
        for (int i = 0; i < 256; ++i) palette[i] = TableEntry(bmp.colorTable[static_cast<std::size_t>(i)], 0xFF);
    }
    if (lpDDCon && DDSetting.nBpp == 8) {
        if (indexed) {
            for (int i = 0; i < 256; ++i)
                palette[i] = TableEntry(bmp.colorTable[static_cast<std::size_t>(i)], DirectDrawFlags(i));
            fromTable = true;
        } else {
            // A palette picture without a colour table gives its colours
            // from the swatch, as in the modes without a hardware palette.
            SwatchFromPixels(palette, bmp);
        }
    }
    if (DDSetting.nBpp == 8) {
        if (lpDDCon) std::copy(palette, palette + 256, DDPaletteColors);
        return true;
    }
    if (!fromTable) {
        DDSURFACEDATA temp;
        if (DDCreateSurfaceFromFile(&temp, file, 0, DDSetting.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) == 0)
            DDSetPalette_UnPal(palette, &temp);
        DDReleaseSurface(&temp);
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
