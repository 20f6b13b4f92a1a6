#include "platform/letterbox.h"

namespace platform {

RECT LetterboxRect(int width, int height) {
    constexpr long long kFrameWidth = 640;
    constexpr long long kFrameHeight = 480;
    if (width <= 0 || height <= 0) return RECT{0, 0, 0, 0};
    // Whichever side is tighter decides the scale; the other side follows
    // the frame's shape.
    long long w = width;
    long long h = w * kFrameHeight / kFrameWidth;
    if (h > height) {
        h = height;
        w = h * kFrameWidth / kFrameHeight;
    }
    const long long left = (width - w) / 2;
    const long long top = (height - h) / 2;
    return RECT{static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + w), static_cast<int>(top + h)};
}

}  // namespace platform
