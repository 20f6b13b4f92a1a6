// Pictures into DirectDraw surfaces, mirrored sheets, and colour index maps.
#include "draw/surfaces.h"

#include <algorithm>
#include <unordered_map>

#include "draw/blit.h"
#include "draw/bmp_decoder.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "foundation/report.h"

namespace {

// Column (or row) of the picture that lands at x of a sheet whose cells are
// mirrored in place; the identity without cells.
int MirrorIndex(int x, int cell) { return cell ? (x / cell + 1) * cell - x % cell - 1 : x; }

// The display value of a picture pixel in 16-bit DirectDraw mode: key-coloured
// pixels become the key, and no other pixel may become it by rounding.
std::uint32_t Display16(std::uint32_t rgb) {
    const BYTE* key = lpDDCon->rgbTransmit_16;
    const std::uint32_t r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
    if (r == key[2] && g == key[1] && b == key[0]) return dwTransmit;
    const DDCHANNELS& c = TexChannels;
    std::uint32_t v = (r * c.nMax[0] / 255) << c.nShift[0] | (g * c.nMax[1] / 255) << c.nShift[1] |
                      (b * c.nMax[2] / 255) << c.nShift[2];
    if (v == dwTransmit) {
        const std::uint32_t blue = (v >> c.nShift[2]) & c.nMax[2];
        const std::uint32_t moved = blue == std::uint32_t(c.nMax[2]) ? blue - 1 : blue + 1;
        v = (v & ~(std::uint32_t(c.nMax[2]) << c.nShift[2])) | moved << c.nShift[2];
    }
    return v;
}

// The entry of the palette nearest to a colour (the first of equals).
std::uint8_t NearestPaletteIndex(std::uint32_t rgb) {
    int best = 0;
    long long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = Palette[i];
        const long long dr = int((rgb >> 16) & 255) - e.peRed, dg = int((rgb >> 8) & 255) - e.peGreen,
                        db = int(rgb & 255) - e.peBlue;
        const long long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
        if (distance == 0) break;
    }
    return static_cast<std::uint8_t>(best);
}

// Replaces the indices of a picture (its own colour table's, or none) by
// those of the nearest colours of the game's palette.
void IndicesThroughPalette(BMPIMAGE& bmp) {
    std::unordered_map<std::uint32_t, std::uint8_t> known;
    bmp.indices.resize(bmp.rgb.size());
    for (std::size_t i = 0; i < bmp.rgb.size(); ++i) {
        const std::uint32_t rgb = bmp.rgb[i] & 0xFFFFFFu;
        auto it = known.find(rgb);
        if (it == known.end()) it = known.emplace(rgb, NearestPaletteIndex(rgb)).first;
        bmp.indices[i] = it->second;
    }
}

// What the plain bitmap copy makes of a picture pixel on the display.
std::uint32_t DisplayGdi(std::uint32_t rgb, DWORD fmt) { return fmt == D3DFMT_R5G6B5 ? To565(rgb) : rgb; }

}  // namespace

int DDBitmapTooLarge(int* result, const char* file, int maxWidth, int maxHeight) {
    if (lpDTCon) return 1;
    BMPIMAGE bmp;
    if (!LoadBmpFile(file ? file : "", bmp)) {
        *result = 0;
        return 0;
    }
    *result = (bmp.nWidth > maxWidth || bmp.nHeight > maxHeight) ? 1 : 0;
    return 1;
}

bool DDReloadBitmap(DDSURFACEDATA* sd, int depth) {
    if (lpDTCon || !sd || !sd->lpDD) return true;
    const int convert = sd->lpDD->lpColorIndex.empty() ? 0 : 1;
    return CopyBitmap(sd, sd->fileName, depth, convert, sd->nMirrorWidth, sd->nMirrorHeight);
}

bool CopyBitmap(DDSURFACEDATA* sd, const char* file, int depth, int convert, int mirrorWidth, int mirrorHeight) {
    if (lpDTCon || !file || !*file || !sd || !sd->lpDD) return true;
    if (!MirrorCellsAllowed(mirrorWidth, mirrorHeight, file)) return false;
    BMPIMAGE bmp;
    if (!LoadBmpFile(file, bmp)) return false;
    DDPIXELS& px = sd->lpDD->surface;
    const bool indexed8 = depth == 8;
    if (indexed8 && (bmp.nWidth != px.nWidth || bmp.nHeight != px.nHeight)) {
        // A picture that does not match the surface copies nothing rather
        // than reading past its rows.
        WriteLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", file, px.nWidth, px.nHeight, bmp.nWidth, bmp.nHeight);
    } else {
        // Pictures without the palette's indices are mapped through it.
        if (indexed8 && bmp.nBitCount != 8) IndicesThroughPalette(bmp);
        const bool locked16 = depth == 16 && bmp.nBitCount >= 24;
        const int w = std::min(bmp.nWidth, px.nWidth);
        const int h = std::min(bmp.nHeight, px.nHeight);
        for (int y = 0; y < h; ++y) {
            const int ty = MirrorIndex(y, mirrorHeight);
            if (ty >= px.nHeight) break;
            for (int x = 0; x < w; ++x) {
                const int tx = MirrorIndex(x, mirrorWidth);
                if (tx >= px.nWidth) break;
                const std::size_t at = std::size_t(y) * bmp.nWidth + x;
                const std::uint32_t v = indexed8   ? bmp.indices[at]
                                        : locked16 ? Display16(bmp.rgb[at])
                                                   : DisplayGdi(bmp.rgb[at], px.fmt);
                px.Put(tx, ty, v);
            }
        }
    }
    sd->nWidth = px.nWidth;
    sd->nHeight = px.nHeight;
    sd->nMirrorWidth = mirrorWidth;
    sd->nMirrorHeight = mirrorHeight;
    SetRecordName(sd->fileName, file);
    if (convert && depth != 8) return DDConvertSurface(nullptr, sd) != 0;
    sd->lpDD->lpColorIndex.clear();
    return true;
}

bool CreateMirror(DDSURFACEDATA* dst, DDSURFACEDATA* src, int cellWidth, int cellHeight) {
    if (!lpDTCon || cellWidth == 0 || cellHeight != 0) return true;
    if (DDPIXELS* px = dst->Pixels(); px && dst->lpDT->bRenderTarget) {
        ClearPixels(*px, 0, 0, px->nWidth, px->nHeight, lpDTCon->dwTransparent);
    }
    const int w = cellWidth;
    for (int k = 0; k < src->nWidth / w; ++k) {
        DDBltStretch(dst, k * w, 0, w, src->nHeight, src, k * w + w, 0, -w, src->nHeight, 0);
    }
    return true;
}

int DDConvertSurface(const void* /*unused*/, DDSURFACEDATA* sd) {
    DDPIXELS* px = sd ? sd->Pixels() : nullptr;
    if (!px) return 0;
    std::vector<std::uint8_t>& map = sd->lpDT ? sd->lpDT->lpColorIndex : sd->lpDD->lpColorIndex;
    map.assign(static_cast<std::size_t>(px->nWidth) * px->nHeight, 0);
    const bool d3d16 = lpDTCon && px->fmt == D3DFMT_A1R5G5B5;
    const bool dd16 = !lpDTCon && px->fmt == D3DFMT_R5G6B5;
    for (int y = 0; y < px->nHeight; ++y) {
        for (int x = 0; x < px->nWidth; ++x) {
            const std::uint32_t p = px->Get(x, y);
            if (d3d16 && sd->Keyed() && p == 0) continue;
            for (int i = 0; i < 256; ++i) {
                const PALETTEENTRY& e = Palette[i];
                bool match;
                if (dd16) {
                    match = DDPalToRGB16(&e) == p;
                } else if (d3d16) {
                    const DDCHANNELS& c = TexChannels;
                    auto ch = [&](int k) { return ((p >> c.nShift[k]) & c.nMax[k]) * 255 / c.nMax[k]; };
                    match = e.peRed == ch(0) && e.peGreen == ch(1) && e.peBlue == ch(2);
                } else {
                    match = e.peRed == ((p >> 16) & 255) && e.peGreen == ((p >> 8) & 255) && e.peBlue == (p & 255);
                }
                if (match) {
                    map[std::size_t(y) * px->nWidth + x] = static_cast<std::uint8_t>(i);
                    break;
                }
            }
        }
    }
    return 1;
}
