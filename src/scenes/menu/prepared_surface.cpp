#include "scenes/menu/prepared_surface.h"

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "foundation/abort.h"

cPreparedSurface::~cPreparedSurface() {
    if (m_bMade) DDReleaseSurface(&m_Surface);
}

bool cPreparedSurface::Create(int width, int height, int colorKey) {
    if (m_bMade) DDReleaseSurface(&m_Surface);
    m_bMade = DDCreateSurface(&m_Surface, width, height, colorKey, 0, 0, 0, 0);
    if (!m_bMade) FatalClose();
    return m_bMade;
}

void cPreparedSurface::Show(int x, int y) {
    DDBlt(&BackBuffer, x, y, m_Surface.nWidth, m_Surface.nHeight, &m_Surface, 0, 0, m_Surface.Keyed() ? 1 : 0);
}

void cPreparedSurface::ClearToTransparent() {
    if (lpDTCon) DDClearForUnkeyedDraw(&m_Surface, 0, 0, m_Surface.nWidth, m_Surface.nHeight);
    else DDFillSurfaceColor(&m_Surface, dwTransmit);
}

bool PaletteMode() { return DDSetting.nBpp == 8; }
