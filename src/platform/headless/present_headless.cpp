#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/clock.h"
#include "platform/headless_input.h"
#include "platform/present.h"

namespace {
std::mutex g_mutex;
platform::Frame g_last;
// The buffer a copying present fills before it swaps it in, kept so that a
// frame costs no allocation.
platform::Frame g_spare;
std::atomic<long long> g_serial{0};

std::mutex g_stepMutex;
std::deque<platform::PresentStep> g_steps;
constexpr std::size_t kKeptSteps = 64;

void RecordStep(platform::PresentStep step) {
    std::lock_guard<std::mutex> lock(g_stepMutex);
    g_steps.push_back(step);
    if (g_steps.size() > kKeptSteps) g_steps.pop_front();
}

// The refresh the blank waits count with.
constexpr std::uint64_t kRefreshHz = 60;

void SleepToNextRefresh() {
    if (platform::VirtualClockOn()) return;
    const std::uint64_t now = timeGetTime();
    const std::uint64_t next = (now * kRefreshHz / 1000 + 1) * 1000;
    const std::uint64_t due = (next + kRefreshHz - 1) / kRefreshHz;
    if (due > now) Sleep(static_cast<DWORD>(due - now));
}

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
    RecordStep(PresentStep::Blit);
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
    headless::RunDueDisplayLoss();
}

void PresentFrameBuffer(Frame& frame) {
    if (!SizesMatch(frame)) return;
    RecordStep(PresentStep::Blit);
    std::unique_lock<std::mutex> lock(g_mutex);
    long long serial = SwapInLocked(frame);
    lock.unlock();
    headless::AwaitDueInput(serial);
    headless::RunDueDisplayLoss();
}

void WaitForVerticalBlank() {
    RecordStep(PresentStep::WaitForBlank);
    SleepToNextRefresh();
}

void FlipFrameBuffer(Frame& frame) {
    if (!SizesMatch(frame)) return;
    RecordStep(PresentStep::Flip);
    SleepToNextRefresh();
    std::unique_lock<std::mutex> lock(g_mutex);
    long long serial = SwapInLocked(frame);
    lock.unlock();
    headless::AwaitDueInput(serial);
    headless::RunDueDisplayLoss();
}

std::vector<PresentStep> TakePresentSteps() {
    std::lock_guard<std::mutex> lock(g_stepMutex);
    std::vector<PresentStep> steps(g_steps.begin(), g_steps.end());
    g_steps.clear();
    return steps;
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
