#pragma once
// A surface a scene draws once and shows every frame; drawn again when its
// content was lost (and, in 8-bit mode, at every fade-in).
#include "draw/device/surface.h"

class cPreparedSurface {
public:
    cPreparedSurface() = default;
    ~cPreparedSurface();
    cPreparedSurface(const cPreparedSurface&) = delete;
    cPreparedSurface& operator=(const cPreparedSurface&) = delete;

    // A surface that cannot be made is a fatal close (false).
    bool Create(int width, int height, int colorKey);
    // Whether its content must be drawn again before it is shown.
    bool Lost() const { return m_Surface.bLost != 0; }
    DDSURFACEDATA* Get() { return &m_Surface; }
    // The whole surface see-through, for pictures drawn keyed onto it.
    void ClearToTransparent();
    // The whole surface at (x, y) on the back buffer, keyed when it is.
    void Show(int x, int y);

private:
    DDSURFACEDATA m_Surface;
    bool m_bMade = false;
};

// 8-bit colour: prepared surfaces are drawn again at each fade-in, since the
// palette they were drawn with may have changed.
bool PaletteMode();
