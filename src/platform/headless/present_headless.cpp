#include <atomic>
#include <mutex>

#include "platform/present.h"

namespace {
std::mutex g_mutex;
platform::Frame g_last;
std::atomic<long long> g_serial{0};
}  // namespace

namespace platform {

// The window backend, when present, reads the same last frame and shows it;
// headless runs keep only this copy.
void PresentFrame(const std::uint32_t* pixels, int width, int height, int pitchPixels) {
    if (!pixels || width <= 0 || height <= 0 || pitchPixels < width) return;
    Frame f;
    f.width = width;
    f.height = height;
    f.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * pitchPixels;
        for (int x = 0; x < width; ++x) f.pixels[static_cast<std::size_t>(y) * width + x] = row[x] & 0xFFFFFFu;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_last = std::move(f);
    g_serial.fetch_add(1);
}

long long PresentedFrameSerial() { return g_serial.load(); }

Frame LastPresentedFrame() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_last;
}

}  // namespace platform
