// Formatted text and framed text windows of a font.
#include <cstdarg>
#include <cstdio>

#include "draw/device/frames.h"
#include "draw/text/font.h"

namespace {

// x or y 10000 centres the box on the window picture.
constexpr int kCentred = 10000;

void CentreOnPicture(const DDSURFACEDATA* picture, int& x, int& y, int width, int height) {
    if (!picture) return;
    if (x == kCentred) x = picture->nWidth / 2 - width / 2;
    if (y == kCentred) y = picture->nHeight / 2 - height / 2;
}

}  // namespace

int Font::DrawTextF(DDSURFACEDATA* dst, int x, int y, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return DrawText(dst, x, y, text, 0);
}

int Font::DrawWindow(DDSURFACEDATA* dst, int x, int y, int width, int height) {
    CentreOnPicture(m_lpWindow, x, y, width, height);
    DDFramedBox(dst, x, y, width, height, m_lpWindow, m_nFrame, m_nFrameColor);
    return 1;
}

int Font::DrawTextFrame(DDSURFACEDATA* dst, int x, int y, int width, int height, const char* text, int margin) {
    if (!text) return 0;
    if (!width || !height) {
        const auto [w, h] = Measure(text);
        if (!width) width = margin + w;
        if (!height) height = h;
    }
    CentreOnPicture(m_lpWindow, x, y, width, height);
    DDFramedBox(dst, x, y, width, height, m_lpWindow, m_nFrame, m_nFrameColor);
    return DrawText(dst, x + margin, y, text, 0);
}

int Font::DrawTextBoxF(DDSURFACEDATA* dst, int x, int y, int width, int height, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return DrawTextFrame(dst, x, y, width, height, text, 0);
}
