#include "draw/effects/fades.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/blit.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/blend_rows.h"
#include "draw/pixel_ops.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The progress of one screen fade in one path.
struct FADESTATE {
    double dAngle;
    double dStart;
    unsigned nLastFrame = 0;
    bool bUsed = false;
};

struct SCREENFADE {
    FADESTATE d3d;
    FADESTATE ddraw;
    double dEnd;  // the angle of the finished picture
    FADESTATE& State() { return lpDTCon ? d3d : ddraw; }
};

SCREENFADE FadeToBlack{{90, 90}, {90, 90}, 0};
SCREENFADE FadeFromBlack{{0, 0}, {0, 0}, 90};

// A run whose last step is more than a frame old was abandoned: the fade
// starts again from its start value, so the snapshot is taken anew.
void ResumeOrRestart(FADESTATE& s) {
    if (s.bUsed && DDPresentedFrames - s.nLastFrame > 1) s.dAngle = s.dStart;
    s.bUsed = true;
    s.nLastFrame = DDPresentedFrames;
}

// Darkens the whole back buffer so that sin(angle) of the picture shows.
bool DrawDeviceFade(double angle) {
    DDSURFACEDATA* back = &BackBuffer;
    DDRedirectBackBuffer(&back);
    if (!DDBeginScene() || !DDSetRenderTarget(0, back)) return false;
    DDPIXELS* px = back->Pixels();
    if (!px) return true;
    const int a = static_cast<int>(std::sin(angle * kPi / 180.0) * 255);
    const std::uint32_t shade = static_cast<std::uint32_t>(255 - a) << 24;
    const int w = std::min(back->nWidth, px->nWidth), h = std::min(back->nHeight, px->nHeight);
    if (px->fmt == D3DFMT_A8R8G8B8 || px->fmt == D3DFMT_X8R8G8B8) {
        px->ForgetOpacity();
        ShadeRows32(px->Row<std::uint32_t>(0), px->nPitch / 4, w, h, shade,
                    px->fmt == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0);
    } else {
        BlendFillPixels(*px, 0, 0, w, h, shade);
    }
    return true;
}

void DrawDirectDrawFade(double angle, PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue,
                        const PALETTEENTRY* source) {
    const int f = static_cast<int>(std::sin(angle * kPi / 180.0) * 256);
    if (DDSetting.nBpp == 8) {
        PaletteFade(palette, first, last, f, red, green, blue, source);
        for (int i = std::max(first, 0); i <= std::min(last, 255); ++i) DDPaletteColors[i] = palette[i];
        return;
    }
    DDFade_UnPal(&BackBuffer, f, red, green, blue, &DDWorkSD);
}

// One step of either fade: the snapshot at the start value, the picture of
// the current angle, then the move toward the end value.
bool ScreenFadeStep(SCREENFADE& fade, PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue,
                    double speed, const PALETTEENTRY* source, BYTE finish) {
    FADESTATE& s = fade.State();
    ResumeOrRestart(s);
    if (lpDTCon) {
        const double angle = finish ? fade.dEnd : s.dAngle;
        if (!DrawDeviceFade(angle)) return false;
        s.dAngle = angle;
    } else if (lpDDCon) {
        if (s.dAngle == s.dStart && DDSetting.nBpp != 8)
            DDBlt(&DDWorkSD, 0, 0, DDWorkSD.nWidth, DDWorkSD.nHeight, &BackBuffer, 0, 0, 0);
        if (finish) s.dAngle = fade.dEnd;
        DrawDirectDrawFade(s.dAngle, palette, first, last, red, green, blue, source);
    }
    const bool down = fade.dEnd < s.dStart;
    const bool more = down ? s.dAngle > fade.dEnd : s.dAngle < fade.dEnd;
    if (more) {
        s.dAngle = down ? std::max(s.dAngle - speed, fade.dEnd) : std::min(s.dAngle + speed, fade.dEnd);
        return false;
    }
    s.dAngle = s.dStart;
    return true;
}

}  // namespace

void PaletteFade(PALETTEENTRY* out, int first, int last, int factor, BYTE red, BYTE green, BYTE blue,
                 const PALETTEENTRY* source) {
    if (!out || !source) return;
    first = std::max(first, 0);
    last = std::min(last, 255);
    for (int i = first; i <= last; ++i) {
        const PALETTEENTRY s = source[i];
        auto mix = [factor](BYTE colour, BYTE from) { return BYTE((colour * (256 - factor) + factor * from) >> 8); };
        out[i] = PALETTEENTRY{mix(red, s.peRed), mix(green, s.peGreen), mix(blue, s.peBlue), 1};
    }
}

void PaletteRotate(PALETTEENTRY* out, int first, int last, int count, int direction, const PALETTEENTRY* source) {
    const int bpp = DDSetting.nBpp;
    if (!out || !source || (bpp != 8 && bpp != 16 && bpp != 32)) return;
    std::memmove(out, source, 256 * sizeof(PALETTEENTRY));
    if (first < 0 || last > 255 || first > last || count < 0 || count > last - first + 1) return;
    PALETTEENTRY* begin = out + first;
    PALETTEENTRY* end = out + last + 1;
    if (direction == 0) std::rotate(begin, end - count, end);
    else if (direction == 1) std::rotate(begin, begin + count, end);
}

bool ScreenFadeToBlack(PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue, double speed,
                       const PALETTEENTRY* source, BYTE finish) {
    return ScreenFadeStep(FadeToBlack, palette, first, last, red, green, blue, speed, source, finish);
}

bool ScreenFadeFromBlack(PALETTEENTRY* palette, int first, int last, BYTE red, BYTE green, BYTE blue, double speed,
                         const PALETTEENTRY* source, BYTE finish) {
    return ScreenFadeStep(FadeFromBlack, palette, first, last, red, green, blue, speed, source, finish);
}
