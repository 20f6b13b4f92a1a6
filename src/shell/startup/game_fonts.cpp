#include "shell/startup/game_fonts.h"

#include <cstdio>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/text/font.h"
#include "gamedata/project/system_data.h"
#include "shell/app_state.h"

bool CreateGameFonts() {
    const int cache = lpDTCon ? SystemIni.D3D_FontCache : SystemIni.DD_FontCache;
    for (FONTTABLEENTRY& e : FontTable) {
        std::snprintf(e.face, sizeof e.face, "%s", FontFaceName(SystemData.m_nFontFace));
        if (e.nCacheMode == 2) e.nCacheMode = cache;
    }
    if (!CreateFonts(Fonts, FontTable, kDefaultFontCount)) return false;
    Fonts[0].m_bSymbol = 0;
    Fonts[2].m_bSymbol = 0;
    Fonts[1].m_bSymbol = SystemData.m_bFontSymbol;
    Fonts[1].m_bCenter = SystemData.m_bFontCenter;
    return CreateDigitFonts(DigitSurfaces, DigitSurfaceTable, kDefaultFontCount, Fonts, FontTable) != 0;
}

void ReleaseGameFonts() {
    for (Font& f : Fonts) f.Release();
    for (DDSURFACEDATA& sd : DigitSurfaces) DDReleaseSurface(&sd);
}
