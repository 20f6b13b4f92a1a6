#include "draw/device/surfaces.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/pictures/bmp_decoder.h"
#include "draw/pixel_ops.h"
#include "foundation/abort.h"
#include "foundation/report.h"

std::list<DDTEXTUREDATA*>& SurfaceList = *new std::list<DDTEXTUREDATA*>;

DDTEXTUREDATA::~DDTEXTUREDATA() { SurfaceList.remove(this); }

bool DDPIXELS::Allocate(DWORD format, int width, int height) {
    fmt = format;
    nWidth = std::clamp(width, 0, kMaxSurfaceSide);
    nHeight = std::clamp(height, 0, kMaxSurfaceSide);
    nPitch = nWidth * BytesPerPixel(format);
    ForgetOpacity();
    try {
        bits = PixelBytes();
        bits = PixelBytes(static_cast<std::size_t>(nPitch) * nHeight);
    } catch (const std::bad_alloc&) {
        *this = DDPIXELS();
        return false;
    }
    return true;
}

bool SurfaceSizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide;
}

void DDPIXELS::NoteOpacity() {
    ForgetOpacity();
    if (fmt != D3DFMT_A8R8G8B8) return;
    std::uint32_t all = 0xFFFFFFFFu;
    // Alpha + 1 is 1 or 256 for alpha 0 or 255: no bit of 0xFE.
    std::uint32_t partial = 0;
    for (int y = 0; y < nHeight; ++y) {
        const std::uint32_t* row = static_cast<const DDPIXELS*>(this)->Row<std::uint32_t>(y);
        for (int x = 0; x < nWidth; ++x) {
            all &= row[x];
            partial |= ((row[x] >> 24) + 1u) & 0xFEu;
        }
    }
    bOpaque = (all >> 24) == 255;
    bAlphaCut = partial == 0;
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

void SetRecordName(char (&field)[260], const char* text) {
    if (text == field) return;
    std::strncpy(field, text ? text : "", sizeof field - 1);
    field[sizeof field - 1] = 0;
}

namespace {

void RemoveFromSurfaceList(int textureId) {
    SurfaceList.remove_if([textureId](DDTEXTUREDATA* t) { return t->nTextureId == textureId; });
}

// A record created again without a release keeps its texture part: list it
// once.
void ListTexture(DDTEXTUREDATA* t) {
    SurfaceList.remove(t);
    SurfaceList.push_back(t);
}

void StartTexturePart(DDSURFACEDATA* sd, const char* name, const char* file, int colorKey, int memoryType, int share) {
    if (!sd->lpDT) sd->lpDT = std::make_unique<DDTEXTUREDATA>();
    sd->lpDT->lpOwner = sd;
    SetRecordName(sd->name, name);
    SetRecordName(sd->fileName, file);
    sd->lpDT->nMemoryType = memoryType;
    sd->lpDT->bColorKey = colorKey == 1;
    sd->lpDT->texture = DDPIXELS();
    if (!share) sd->lpDT->nTextureId = lpDTCon->nTextureCount++;
}

// Sizes of the texture that holds a picture; false (reported) when the
// device cannot hold it, and nothing is allocated then.
bool TextureSize(int width, int height, int& texW, int& texH, const char* what) {
    texW = width;
    texH = height;
    if (!SurfaceSizeAllowed(width, height)) {
        LogPrintfBoth("CreateTexture Err %d x %d (%s)", width, height, what);
        return false;
    }
    DDAdjustTextureSize(&texW, &texH);
    if (!DDCheckTextureSize(static_cast<unsigned>(texW), static_cast<unsigned>(texH))) {
        LogPrintfBoth("上記の理由でテクスチャの描画が失敗する可能性があります。(%s)", what);
        return false;
    }
    return true;
}

bool AllocateTexture(DDPIXELS& px, DWORD fmt, int texW, int texH) {
    if (px.Allocate(fmt, texW, texH)) return true;
    LogPrintfBoth("CreateTexture Err %d x %d : out of memory", texW, texH);
    return false;
}

bool CreateSurfaceD3D(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory, int memoryType, int share,
                      int restore) {
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
    if (!TextureSize(width, height, texW, texH, "空")) return false;
    if (memoryType == DTMEMORYTYPE_VIDEO_NORT) memoryType = DTMEMORYTYPE_VIDEO_RT;
    sd->lpDT->nMemoryType = memoryType;
    sd->lpDT->bRenderTarget = memoryType == DTMEMORYTYPE_VIDEO_RT;
    if (!AllocateTexture(sd->lpDT->texture, lpDTCon->fmtTexture, texW, texH)) return false;
    sd->nWidth = width;
    sd->nHeight = height;
    sd->nTexWidth = texW;
    sd->nTexHeight = texH;
    if (sd->lpDT->bRenderTarget)
        ClearPixels(sd->lpDT->texture, 0, 0, texW, texH, FromArgb(lpDTCon->fmtTexture, lpDTCon->argbTransmit));
    if (!restore) ListTexture(sd->lpDT.get());
    return true;
}

bool CreateSurfaceDD(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory) {
    auto refuse = [&] {
        LogPrintfBoth(ddMemory ? "CreateSurface System Err" : "CreateSurface Video -> System Err");
        return false;
    };
    if (!SurfaceSizeAllowed(width, height)) return refuse();
    auto part = std::make_unique<DDDRAWDATA>();
    if (!part->surface.Allocate(DDDisplayFormat(), width, height)) return refuse();
    sd->lpDD = std::move(part);
    sd->lpDD->bColorKey = colorKey == 1;
    sd->lpDD->dwColorKey = dwTransmit;
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

// A row of a loaded picture into a texture, its texel size looked at once
// for the row instead of once per texel.
void StoreLoadedRow(DDPIXELS& texture, int y, const std::uint32_t* in, int columns, std::uint32_t key, DWORD fmt) {
    switch (BytesPerPixel(fmt)) {
        case 4: {
            std::uint32_t* out = texture.Row<std::uint32_t>(y);
            for (int x = 0; x < columns; ++x) out[x] = LoadedTexel(in[x], key, fmt);
            break;
        }
        case 2: {
            std::uint16_t* out = texture.Row<std::uint16_t>(y);
            for (int x = 0; x < columns; ++x) out[x] = static_cast<std::uint16_t>(LoadedTexel(in[x], key, fmt));
            break;
        }
        default:
            for (int x = 0; x < columns; ++x) texture.Put(x, y, LoadedTexel(in[x], key, fmt));
            break;
    }
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
    const bool keepSystemTexture =
        restore && memoryType == DTMEMORYTYPE_SYSTEM && sd->lpDT && !sd->lpDT->texture.Empty();
    if (share) {
        sd->nWidth = sd->nTexWidth = bmp.nWidth;
        sd->nHeight = sd->nTexHeight = bmp.nHeight;
    } else if (!keepSystemTexture) {
        int texW = 0, texH = 0;
        if (!TextureSize(bmp.nWidth, bmp.nHeight, texW, texH, file)) return 4;
        if (memoryType == DTMEMORYTYPE_VIDEO_NORT) {
            WriteLog(
                "DDCreateSurfaceFromFile Err "
                "DTMEMORYTYPE_VIDEO_NORTの指定は未対応です。DTMEMORYTYPE_VIDEO_RTでテクスチャを作成します。");
            memoryType = DTMEMORYTYPE_VIDEO_RT;
        }
        DDTEXTUREDATA& t = *sd->lpDT;
        t.nMemoryType = memoryType;
        t.bRenderTarget = 0;
        const DWORD fmt = lpDTCon->fmtTexture;
        if (!AllocateTexture(t.texture, fmt, texW, texH)) return 4;
        const std::uint32_t key = LoaderKey(depth);
        const int rows = std::min(bmp.nHeight, texH), columns = std::min(bmp.nWidth, texW);
        for (int y = 0; y < rows; ++y) {
            StoreLoadedRow(t.texture, y, bmp.rgb.data() + std::size_t(y) * bmp.nWidth, columns, key, fmt);
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
        if (!restore) ListTexture(sd->lpDT.get());
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

}  // namespace

bool MirrorCellsAllowed(int cellWidth, int cellHeight, const char* file) {
    if (cellWidth >= 0 && cellHeight >= 0) return true;
    LogPrintfBoth("CreateMirror Err %d x %d (%s)", cellWidth, cellHeight, file ? file : "");
    return false;
}

bool DDCreateSurface(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory, int memoryType, int share,
                     int restore) {
    if (!sd) return false;
    if (lpDTCon) return CreateSurfaceD3D(sd, width, height, colorKey, ddMemory, memoryType, share, restore);
    if (lpDDCon) return CreateSurfaceDD(sd, width, height, colorKey, ddMemory);
    return false;
}

int DDCreateSurfaceFromFile(DDSURFACEDATA* sd, const char* file, int colorKey, int depth, int ddMemory, int memoryType,
                            int share, int convert, int mirrorWidth, int mirrorHeight, int restore) {
    if (!sd) return 4;
    if (!MirrorCellsAllowed(mirrorWidth, mirrorHeight, file)) return 1;
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
