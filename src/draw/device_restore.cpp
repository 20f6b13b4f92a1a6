// Lost devices and their restore, in both paths.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "draw/device.h"
#include "draw/font.h"
#include "draw/palette.h"
#include "draw/pixel_ops.h"
#include "draw/surface_sets.h"
#include "draw/surfaces.h"
#include "foundation/report.h"

void DDSimulateDeviceLost(bool resettable) {
    if (lpDTCon) {
        lpDTCon->bDeviceLost = 1;
        lpDTCon->bResettable = resettable;
        lpDTCon->bInScene = 0;
        for (DDTEXTUREDATA* t : SurfaceList) {
            if (t->nMemoryType != DTMEMORYTYPE_SYSTEM)
                ClearPixels(t->texture, 0, 0, t->texture.nWidth, t->texture.nHeight, 0xDEADBEEFu);
        }
        return;
    }
    if (!lpDDCon) return;
    auto lose = [](DDSURFACEDATA& sd) {
        if (!sd.lpDD || sd.nDDMemory != 0) return;
        sd.lpDD->bSurfaceLost = 1;
        ClearPixels(sd.lpDD->surface, 0, 0, sd.lpDD->surface.nWidth, sd.lpDD->surface.nHeight, 0xDEADBEEFu);
    };
    lose(DDPrimarySD);
    lose(BackBuffer);
    for (int i = 0; i < DDSetting.nSurfaceCount && DDSetting.lpSurfaceArray; ++i) lose(DDSetting.lpSurfaceArray[i]);
    for (int set = 0; set < DDSET_COUNT; ++set) {
        DDWalkSurfaceSet(static_cast<DDSURFACESET>(set), [&lose](DDSURFACEDATA& sd) {
            lose(sd);
            return true;
        });
    }
    LoseFontSurfaces();
}

void DDSetDeviceResettable(bool resettable) {
    if (lpDTCon) lpDTCon->bResettable = resettable;
}

namespace {

// Rebuilds one texture of the list after a reset: pictures load again,
// empty surfaces come back cleared and tell their owner to redraw.
void RebuildTexture(DDSURFACEDATA* sd) {
    const DDTEXTUREDATA& t = *sd->lpDT;
    const bool fromFile = sd->fileName[0] && std::strcmp(sd->fileName, "E") != 0;
    bool ok;
    if (fromFile) {
        const std::string file = sd->fileName;
        ok = DDCreateSurfaceFromFile(sd, file.c_str(), t.bColorKey, DDSetting.nBpp, sd->nDDMemory, t.nMemoryType,
                                     sd->lpShareSD != nullptr, 0, sd->nMirrorWidth, sd->nMirrorHeight, 1) == 0;
    } else {
        ok = DDCreateSurface(sd, sd->nWidth, sd->nHeight, t.bColorKey, sd->nDDMemory, t.nMemoryType,
                             sd->lpShareSD != nullptr, 1);
        sd->bLost = 1;
    }
    if (!ok) WriteLog("Err");
}

}  // namespace

int DDRestoreSurface() {
    WriteLog("Restore In");
    if (!lpDTCon) {
        WriteLog("DDではDDRestoreSurfaceは未対応");
        return 1;
    }
    if (!lpDTCon->bResettable) {
        WriteLog("復旧失敗…リセット可能な状態ではありません…");
        return 0;
    }
    lpDTCon->bDeviceLost = 0;
    lpDTCon->bResettable = 0;
    BackBuffer.lpDT->texture.Allocate(lpDTCon->fmtBackBuffer, BackBuffer.nWidth, BackBuffer.nHeight);
    // Rebuilding a mirrored sheet adds and removes a temporary texture, so
    // walk a copy of the list.
    const std::vector<DDTEXTUREDATA*> textures(SurfaceList.begin(), SurfaceList.end());
    for (DDTEXTUREDATA* t : textures) {
        if (t->lpOwner) RebuildTexture(t->lpOwner);
    }
    RestoreFonts();
    WriteLog("Restore Out");
    return 1;
}

bool DDRestore() {
    if (lpDTCon) {
        WriteLog("D3DではDDRestoreは未対応");
        return true;
    }
    if (!lpDDCon || !DDPrimarySD.lpDD || !DDPrimarySD.lpDD->bSurfaceLost) return true;
    DDPrimarySD.lpDD->bSurfaceLost = 0;
    if (BackBuffer.lpDD) BackBuffer.lpDD->bSurfaceLost = 0;
    for (int i = 0; i < DDSetting.nSurfaceCount && DDSetting.lpSurfaceArray; ++i) {
        DDSURFACEDATA& sd = DDSetting.lpSurfaceArray[i];
        if (!sd.lpDD || !sd.lpDD->bSurfaceLost) continue;
        sd.lpDD->bSurfaceLost = 0;
        if (sd.nDDMemory != 0) continue;
        if (sd.fileName[0] && std::strcmp(sd.fileName, "E") != 0) DDReloadBitmap(&sd, DDSetting.nBpp);
        else sd.bLost = 1;
    }
    if (DDSetting.nBpp == 8) std::copy(PaletteWork, PaletteWork + 256, DDPaletteColors);
    RestoreFonts();
    return true;
}
