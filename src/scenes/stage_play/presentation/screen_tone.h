#pragma once
// The screen colour: the whole stage frame tinted toward a colour, faded in
// over a duration, held, released (faded back out from where it was) or
// flashed a number of times. The device path tints the frame; the 8-bit
// path fades the palette; the other paths have no tint and drop a request.
#include <array>
#include <cstdint>

#include "draw/device/surface.h"

class cScreenTone {
public:
    // The eight values of the screen-colour command: red, green, blue,
    // intensity (percent), release, duration (tenths of a second), flash,
    // flash count.
    using Request = std::array<int, 8>;

    void Set(const Request& q);
    // Once per frame while a tint is active; `work` is the picture the tint
    // colour is filled into when the frame is the virtual back buffer.
    void Draw(DDSURFACEDATA* frame, DDSURFACEDATA* work, int noAdvance);

    // The transparency of the frame at this point of the fade (255: none).
    int Transparency() const;

    int m_bColorSet = 0;
    std::uint8_t m_cRed = 0, m_cGreen = 0, m_cBlue = 0;
    int m_nIntensity = 0;
    int m_bRelease = 0;
    int m_nDuration = 0;  // frames
    int m_bFlash = 0;
    int m_nFlashCount = 0;
    int m_bActive = 0;
    int m_nFrame = 0;
    int m_nFlashDone = 0;
    int m_nTransparency = 255;
    std::uint8_t m_cPrevRed = 0, m_cPrevGreen = 0, m_cPrevBlue = 0;
    int m_nPrevIntensity = 0;
    int m_nPrevTransparency = 255;

private:
    void DrawDevice(DDSURFACEDATA* frame, DDSURFACEDATA* work, int transparency);
    void FadePalette(int transparency);
    // The counter's move at the end of a frame; the flash and end rules.
    void Advance(bool restorePalette);
};
