#include <atomic>
#include <mutex>
#include <utility>

#include "platform/headless_input.h"
#include "platform/present.h"

namespace {
std::mutex g_mutex;
platform::Frame g_last;
// The buffer a copying present fills before it swaps it in, kept so that a
// frame costs no allocation.
platform::Frame g_spare;
std::atomic<long long> g_serial{0};

bool SizesMatch(const platform::Frame& frame) {
    return frame.width > 0 && frame.height > 0 &&
           frame.pixels.size() == static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
}

// Caller holds g_mutex; returns the new serial.
long long SwapInLocked(platform::Frame& frame) {
    std::swap(g_last, frame);
    const long long serial = g_serial.fetch_add(1) + 1;
    platform::headless::WriteDueShots(serial, g_last);
    return serial;
}
}  // namespace

namespace platform {

// The window backend, when present, reads the same last frame and shows it;
// headless runs keep only this one.
void PresentFrame(const std::uint32_t* pixels, int width, int height, int pitchPixels) {
    if (!pixels || width <= 0 || height <= 0 || pitchPixels < width) return;
    std::unique_lock<std::mutex> lock(g_mutex);
    g_spare.width = width;
    g_spare.height = height;
    g_spare.pixels.resize(static_cast<std::size_t>(width) * height);
    std::uint32_t* out = g_spare.pixels.data();
    for (int y = 0; y < height; ++y, out += width) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * pitchPixels;
        for (int x = 0; x < width; ++x) out[x] = row[x] & 0xFFFFFFu;
    }
    long long serial = SwapInLocked(g_spare);
    lock.unlock();
    headless::AwaitDueInput(serial);
}

void PresentFrameBuffer(Frame& frame) {
    if (!SizesMatch(frame)) return;
    std::unique_lock<std::mutex> lock(g_mutex);
    long long serial = SwapInLocked(frame);
    lock.unlock();
    headless::AwaitDueInput(serial);
}

long long PresentedFrameSerial() { return g_serial.load(); }

Frame LastPresentedFrame() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_last;
}

void ShowLastPresentedFrame(const std::function<void(const Frame&)>& show) {
    std::lock_guard<std::mutex> lock(g_mutex);
    show(g_last);
}

}  // namespace platform
