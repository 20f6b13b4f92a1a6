#include "draw/surfaces.h"

#include <algorithm>
#include <cstring>

#include "draw/blit.h"
#include "draw/bmp_decoder.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/surface_table.h"
#include "foundation/abort.h"
#include "foundation/report.h"

std::list<DDTEXTUREDATA*>& SurfaceList = *new std::list<DDTEXTUREDATA*>;

DDTEXTUREDATA::~DDTEXTUREDATA() { SurfaceList.remove(this); }

void DDPIXELS::Allocate(DWORD format, int width, int height) {
    fmt = format;
    nWidth = std::max(width, 0);
    nHeight = std::max(height, 0);
    nPitch = nWidth * BytesPerPixel(format);
    bits.assign(static_cast<std::size_t>(nPitch) * nHeight, 0);
    bOpaque = false;
}

void DDPIXELS::NoteOpacity() {
    if (fmt != D3DFMT_A8R8G8B8) return;
    std::uint32_t all = 0xFFFFFFFFu;
    for (int y = 0; y < nHeight; ++y) {
        const std::uint32_t* row = static_cast<const DDPIXELS*>(this)->Row<std::uint32_t>(y);
        for (int x = 0; x < nWidth; ++x) all &= row[x];
    }
    bOpaque = (all >> 24) == 255;
}

std::uint32_t DDPIXELS::Get(int x, int y) const {
    switch (BytesPerPixel(fmt)) {
        case 1: return Row<std::uint8_t>(y)[x];
        case 2: return Row<std::uint16_t>(y)[x];
        default: return Row<std::uint32_t>(y)[x];
    }
}

void DDPIXELS::Put(int x, int y, std::uint32_t v) {
    switch (BytesPerPixel(fmt)) {
        case 1: Row<std::uint8_t>(y)[x] = static_cast<std::uint8_t>(v); break;
        case 2: Row<std::uint16_t>(y)[x] = static_cast<std::uint16_t>(v); break;
        default: Row<std::uint32_t>(y)[x] = v; break;
    }
}

DDSURFACEDATA::DDSURFACEDATA(DDSURFACEDATA&& other) noexcept { *this = std::move(other); }

DDSURFACEDATA& DDSURFACEDATA::operator=(DDSURFACEDATA&& other) noexcept {
    if (this == &other) return *this;
    lpDT = std::move(other.lpDT);
    lpDD = std::move(other.lpDD);
    std::memcpy(name, other.name, sizeof name);
    nWidth = other.nWidth;
    nHeight = other.nHeight;
    nTexWidth = other.nTexWidth;
    nTexHeight = other.nTexHeight;
    std::memcpy(fileName, other.fileName, sizeof fileName);
    nDDMemory = other.nDDMemory;
    nMirrorWidth = other.nMirrorWidth;
    nMirrorHeight = other.nMirrorHeight;
    lpShareSD = other.lpShareSD;
    bLost = other.bLost;
    if (lpDT) lpDT->lpOwner = this;
    return *this;
}

DDPIXELS* DDSURFACEDATA::Pixels() {
    if (lpDT) return lpDT->texture.Empty() ? nullptr : &lpDT->texture;
    if (lpDD) return lpDD->surface.Empty() ? nullptr : &lpDD->surface;
    return nullptr;
}

bool DDSURFACEDATA::Keyed() const {
    if (lpDT) return lpDT->bColorKey != 0;
    if (lpDD) return lpDD->bColorKey != 0;
    return false;
}

void SetRecordName(char (&field)[260], const char* text) {
    if (text == field) return;
    std::strncpy(field, text ? text : "", sizeof field - 1);
    field[sizeof field - 1] = 0;
}

namespace {

void RemoveFromSurfaceList(int textureId) {
    SurfaceList.remove_if([textureId](DDTEXTUREDATA* t) { return t->nTextureId == textureId; });
}

void StartTexturePart(DDSURFACEDATA* sd, const char* name, const char* file, int colorKey, int memoryType,
                      int share) {
    if (!sd->lpDT) sd->lpDT = std::make_unique<DDTEXTUREDATA>();
    sd->lpDT->lpOwner = sd;
    SetRecordName(sd->name, name);
    SetRecordName(sd->fileName, file);
    sd->lpDT->nMemoryType = memoryType;
    sd->lpDT->bColorKey = colorKey == 1;
    sd->lpDT->texture = DDPIXELS();
    if (!share) sd->lpDT->nTextureId = lpDTCon->nTextureCount++;
}

// Sizes of the texture that holds a picture; a refused size is only logged,
// as the device would still try.
void TextureSize(int width, int height, int& texW, int& texH, const char* what) {
    texW = width;
    texH = height;
    DDAdjustTextureSize(&texW, &texH);
    if (!DDCheckTextureSize(static_cast<unsigned>(texW), static_cast<unsigned>(texH))) {
        LogPrintfBoth("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", what);
    }
}

bool CreateSurfaceD3D(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory, int memoryType,
                      int share, int restore) {
    if (!restore || !sd->lpDT) StartTexturePart(sd, "OffScreen", "E", colorKey, memoryType, share);
    if (share) {
        sd->nWidth = sd->nTexWidth = width;
        sd->nHeight = sd->nTexHeight = height;
        sd->nDDMemory = ddMemory;
        return true;
    }
    // A system-memory texture survives a lost device: restoring keeps it.
    if (restore && memoryType == DTMEMORYTYPE_SYSTEM && !sd->lpDT->texture.Empty()) return true;
    int texW = 0, texH = 0;
    TextureSize(width, height, texW, texH, "空");
    if (memoryType == DTMEMORYTYPE_VIDEO_NORT) memoryType = DTMEMORYTYPE_VIDEO_RT;
    sd->lpDT->nMemoryType = memoryType;
    sd->lpDT->bRenderTarget = memoryType == DTMEMORYTYPE_VIDEO_RT;
    sd->lpDT->texture.Allocate(lpDTCon->fmtTexture, texW, texH);
    sd->nWidth = width;
    sd->nHeight = height;
    sd->nTexWidth = texW;
    sd->nTexHeight = texH;
    if (sd->lpDT->bRenderTarget) ClearPixels(sd->lpDT->texture, 0, 0, texW, texH, FromArgb(lpDTCon->fmtTexture, lpDTCon->argbTransmit));
    if (!restore) SurfaceList.push_back(sd->lpDT.get());
    return true;
}

bool CreateSurfaceDD(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory) {
    if (width <= 0 || height <= 0) {
        LogPrintfBoth(ddMemory ? "CreateSurface System Err" : "CreateSurface Video -> System Err");
        return false;
    }
    sd->lpDD = std::make_unique<DDDRAWDATA>();
    sd->lpDD->surface.Allocate(DDDisplayFormat(), width, height);
    sd->lpDD->bColorKey = colorKey == 1;
    sd->nWidth = sd->nTexWidth = width;
    sd->nHeight = sd->nTexHeight = height;
    sd->nDDMemory = ddMemory;
    PalNumToRGB(sd, 0, 0, width, height, 0);
    return true;
}

// The texel a loaded picture pixel becomes: the loader's key colour loads as
// transparent black.
std::uint32_t LoadedTexel(std::uint32_t rgb, std::uint32_t keyArgb, DWORD fmt) {
    const std::uint32_t argb = 0xFF000000u | rgb;
    if (argb == keyArgb) return 0;
    return FromArgb(fmt, argb);
}

std::uint32_t LoaderKey(int depth) {
    const BYTE* bgr = depth == 16 ? lpDTCon->rgbTransmit_16 : lpDTCon->rgbTransmit;
    return 0xFF000000u | std::uint32_t(bgr[2]) << 16 | std::uint32_t(bgr[1]) << 8 | bgr[0];
}

int CreateFromFileD3D(DDSURFACEDATA* sd, const char* file, int colorKey, int depth, int ddMemory, int memoryType,
                      int share, int convert, int mirrorWidth, int mirrorHeight, int restore) {
    if (!restore || !sd->lpDT) StartTexturePart(sd, "OffScreenFromFile", file, colorKey, memoryType, share);
    BMPIMAGE bmp;
    if (!LoadBmpFile(file ? file : "", bmp)) {
        if (file && *file) LogPrintfBoth("LoadImage Err %s", file);
        return 8;
    }
    const bool keepSystemTexture = restore && memoryType == DTMEMORYTYPE_SYSTEM && sd->lpDT && !sd->lpDT->texture.Empty();
    if (share) {
        sd->nWidth = sd->nTexWidth = bmp.nWidth;
        sd->nHeight = sd->nTexHeight = bmp.nHeight;
    } else if (!keepSystemTexture) {
        int texW = 0, texH = 0;
        TextureSize(bmp.nWidth, bmp.nHeight, texW, texH, file);
        if (memoryType == DTMEMORYTYPE_VIDEO_NORT) {
            WriteLog("DDCreateSurfaceFromFile Err DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
            memoryType = DTMEMORYTYPE_VIDEO_RT;
        }
        DDTEXTUREDATA& t = *sd->lpDT;
        t.nMemoryType = memoryType;
        t.bRenderTarget = 0;
        const DWORD fmt = lpDTCon->fmtTexture;
        t.texture.Allocate(fmt, texW, texH);
        const std::uint32_t key = LoaderKey(depth);
        for (int y = 0; y < bmp.nHeight && y < texH; ++y) {
            const std::uint32_t* in = bmp.rgb.data() + std::size_t(y) * bmp.nWidth;
            for (int x = 0; x < bmp.nWidth && x < texW; ++x) t.texture.Put(x, y, LoadedTexel(in[x], key, fmt));
        }
        t.texture.NoteOpacity();
        sd->nWidth = bmp.nWidth;
        sd->nHeight = bmp.nHeight;
        sd->nTexWidth = texW;
        sd->nTexHeight = texH;
        if (mirrorWidth || mirrorHeight) {
            DDSURFACEDATA temp;
            CreateFromFileD3D(&temp, file, colorKey, depth, ddMemory, memoryType, 0, 0, 0, 0, 0);
            if (!CreateMirror(sd, &temp, mirrorWidth, mirrorHeight)) {
                LogPrintfBoth("CreateMirror Err");
                DDReleaseSurface(&temp);
                return 1;
            }
            DDReleaseSurface(&temp);
        }
        if (!restore) SurfaceList.push_back(sd->lpDT.get());
    }
    sd->nMirrorWidth = mirrorWidth;
    sd->nMirrorHeight = mirrorHeight;
    sd->nDDMemory = ddMemory;
    if (convert && depth != 8) DDConvertSurface(nullptr, sd);
    else sd->lpDT->lpColorIndex.clear();
    return 0;
}

int CreateFromFileDD(DDSURFACEDATA* sd, const char* file, int colorKey, int depth, int ddMemory, int convert,
                     int mirrorWidth, int mirrorHeight) {
    BMPIMAGE bmp;
    if (!LoadBmpFile(file ? file : "", bmp)) {
        WriteLogF("%s", file ? file : "");
        return 8;
    }
    if (!CreateSurfaceDD(sd, bmp.nWidth, bmp.nHeight, colorKey, ddMemory)) return 4;
    if (!CopyBitmap(sd, file, depth, convert, mirrorWidth, mirrorHeight)) return 8;
    sd->nMirrorWidth = mirrorWidth;
    sd->nMirrorHeight = mirrorHeight;
    SetRecordName(sd->fileName, file);
    sd->nDDMemory = ddMemory;
    return 0;
}

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

// What the host's bitmap copy makes of a picture pixel on the display.
std::uint32_t DisplayGdi(std::uint32_t rgb, DWORD fmt) {
    return fmt == D3DFMT_R5G6B5 ? To565(rgb) : rgb;
}

}  // namespace

bool DDCreateSurface(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory, int memoryType, int share,
                     int restore) {
    if (!sd) return false;
    if (lpDTCon) return CreateSurfaceD3D(sd, width, height, colorKey, ddMemory, memoryType, share, restore);
    if (lpDDCon) return CreateSurfaceDD(sd, width, height, colorKey, ddMemory);
    return false;
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* sd, const char* file, int colorKey, int depth, int ddMemory,
                            int memoryType, int share, int convert, int mirrorWidth, int mirrorHeight, int restore) {
    if (!sd) return 4;
    if (lpDTCon) {
        return CreateFromFileD3D(sd, file, colorKey, depth, ddMemory, memoryType, share, convert, mirrorWidth,
                                 mirrorHeight, restore);
    }
    if (lpDDCon) return CreateFromFileDD(sd, file, colorKey, depth, ddMemory, convert, mirrorWidth, mirrorHeight);
    return 4;
}

bool DDSurfaceErrorMessage(int code) {
    switch (code) {
        case 4: WriteLog("CREATESURFACE_ERR"); return false;
        case 8: WriteLog("LOADIMAGE_ERR"); return false;
        case 9: WriteLog("SETCOLORKEY_ERR"); return false;
        default: return true;
    }
}

void DDReleaseSurface(DDSURFACEDATA* sd) {
    if (!sd) return;
    if (sd->lpDT) {
        if (!sd->lpShareSD && sd->lpDT->nTextureId != 0) RemoveFromSurfaceList(sd->lpDT->nTextureId);
        sd->lpDT.reset();
    }
    sd->lpDD.reset();
}

void DDReleaseSurfaceVector(cVector<DDSURFACEDATA>& surfaces) {
    for (int i = 0; i < surfaces.Count(); ++i) DDReleaseSurface(&surfaces[i]);
}

void DDReleaseSurfaceList(cList<DDSURFACEDATA>& surfaces) {
    for (DDSURFACEDATA& sd : surfaces) DDReleaseSurface(&sd);
}

namespace {
SURFACETABLEENTRY PushedEntry(int colorKey, int ddMemory, int memoryType, int share) {
    SURFACETABLEENTRY e{};
    e.nColorKey = colorKey;
    e.nDDMemory = ddMemory;
    e.nMemoryType = memoryType;
    e.nShare = share;
    return e;
}
}  // namespace

namespace {
// Appends an empty record and its entry, then creates the record.
template <class Surfaces, class Entries>
bool PushSurface(Surfaces& surfaces, Entries& entries, int width, int height, int colorKey, int ddMemory,
                 int memoryType, int share) {
    surfaces.emplace_back();
    entries.push_back(PushedEntry(colorKey, ddMemory, memoryType, share));
    return DDCreateSurface(&surfaces.back(), width, height, colorKey, ddMemory, memoryType, share, 0);
}
}  // namespace

bool DDPushSurface(cVector<DDSURFACEDATA>& surfaces, cVector<SURFACETABLEENTRY>& entries, int width, int height,
                   int colorKey, int ddMemory, int memoryType, int share) {
    return PushSurface(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
}

bool DDPushSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int width, int height,
                       int colorKey, int ddMemory, int memoryType, int share) {
    return PushSurface(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
}

bool DDPushSurfaceListAt(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int index, int width,
                         int height, int colorKey, int ddMemory, int memoryType, int share) {
    if (index < 0) index = 0;
    if (index >= surfaces.Count()) {
        return DDPushSurfaceList(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
    }
    surfaces.emplace(std::next(surfaces.begin(), index));
    entries.insert(std::next(entries.begin(), std::min(index, entries.Count())),
                   PushedEntry(colorKey, ddMemory, memoryType, share));
    return DDCreateSurface(&surfaces[index], width, height, colorKey, ddMemory, memoryType, share, 0);
}

int DDEraseSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, DDSURFACEDATA* sd) {
    int pos = 0;
    for (auto it = surfaces.begin(); it != surfaces.end(); ++it, ++pos) {
        if (&*it != sd) continue;
        DDReleaseSurface(sd);
        surfaces.erase(it);
        if (pos < entries.Count()) entries.erase(std::next(entries.begin(), pos));
        return 1;
    }
    return 0;
}

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
    BMPIMAGE bmp;
    if (!LoadBmpFile(file, bmp)) return false;
    DDPIXELS& px = sd->lpDD->surface;
    const bool indexed8 = depth == 8;
    if (indexed8 && (bmp.nWidth != px.nWidth || bmp.nHeight != px.nHeight || bmp.nBitCount != 8)) {
        // A picture that does not match the surface (or has no palette
        // indices) copies nothing rather than reading past its rows.
        WriteLogF("CopyBitmap Err %s Surface(%d,%d) Bmp(%d,%d)", file, px.nWidth, px.nHeight, bmp.nWidth,
                  bmp.nHeight);
    } else {
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
                const std::uint32_t v = indexed8 ? bmp.indices[at]
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
