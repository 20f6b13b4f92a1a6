// A headless run counts time in frames: the virtual clock moves only when a
// frame is paced, a frame's input is in before the next frame is made, and
// the window thread's waits leave the game's time alone.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/headless_input.h"
#include "platform/host_log.h"
#include "platform/keyboard.h"
#include "platform/present.h"
#include "platform/window.h"

namespace {

class VirtualClock : public ::testing::Test {
protected:
    void SetUp() override { platform::UseVirtualClock(true); }
    void TearDown() override { platform::UseVirtualClock(false); }
};

}  // namespace

TEST_F(VirtualClock, FramesMakeExactSecondsAtEveryRate) {
    struct RateCase {
        int fps;
        int frames;
        DWORD expectedMs;
    };
    // fps frames make exactly one second whatever the remainder of 1000 / fps;
    // no limit (0) counts as 60.
    const RateCase cases[] = {{60, 60, 1000}, {60, 6000, 100000}, {60, 1, 16},   {60, 2, 33}, {30, 3, 100},
                              {7, 7, 1000},   {7, 1, 142},        {0, 60, 1000}, {-5, 3, 50}, {1000, 5, 5}};
    for (const RateCase& c : cases) {
        SCOPED_TRACE(c.fps);
        platform::UseVirtualClock(true);
        EXPECT_EQ(timeGetTime(), 0u);
        for (int i = 0; i < c.frames; ++i) platform::AdvanceVirtualFrame(c.fps);
        EXPECT_EQ(timeGetTime(), c.expectedMs);
    }
}

TEST_F(VirtualClock, SleepWaitsInRealTimeWithoutMovingIt) {
    platform::AdvanceVirtualFrame(60);
    const DWORD before = timeGetTime();
    Sleep(5);
    Sleep(0);
    EXPECT_EQ(timeGetTime(), before);
    EXPECT_TRUE(platform::VirtualClockOn());
}

TEST(VirtualClockOff, AdvancingDoesNothingAndATestClockStillRules) {
    ASSERT_FALSE(platform::VirtualClockOn());
    platform::TestClock clock(500);
    platform::AdvanceVirtualFrame(60);
    EXPECT_EQ(timeGetTime(), 500u);
    platform::UseVirtualClock(true);
    platform::AdvanceVirtualFrame(60);
    EXPECT_EQ(timeGetTime(), 500u) << "a test clock is read first";
    platform::UseVirtualClock(false);
}

// The window pumps on its own thread, slowly; each present still waits for
// the input due at its frame, so the keyboard follows the script frame by
// frame however fast the frames come.
TEST_F(VirtualClock, PresentWaitsForTheInputDueAtItsFrame) {
    platform::headless::ClearSchedule();
    platform::ReleaseAllKeys();
    std::atomic<bool> open{false};
    std::atomic<bool> stop{false};
    std::thread window([&] {
        HWND h = CreateMainWindow("t", 0, 0, 640, 480, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
        open = h != nullptr;
        while (!stop) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
            Sleep(15);  // real time: the virtual clock stays
        }
        if (h) DestroyWindow(h);
    });
    while (!open) std::this_thread::yield();

    const long long now = platform::PresentedFrameSerial();
    for (long long f : {now + 2, now + 4}) {
        platform::headless::ScheduleWindowMessage(f, WM_KEYDOWN, VK_SPACE, 0);
        platform::headless::ScheduleWindowMessage(f + 1, WM_KEYUP, VK_SPACE, 0);
    }
    std::vector<bool> downAfterFrame;
    std::uint32_t pixel = 0;
    for (int i = 0; i < 6; ++i) {
        platform::PresentFrame(&pixel, 1, 1, 1);
        downAfterFrame.push_back(GetAsyncKeyState(VK_SPACE) != 0);
    }
    stop = true;
    window.join();
    EXPECT_EQ(downAfterFrame, (std::vector<bool>{false, true, false, true, false, false}));
    EXPECT_FALSE(platform::headless::ScriptedInputPending());
    platform::ReleaseAllKeys();
}

TEST_F(VirtualClock, InputAWindowNeverTakesIsReportedAndTheFrameGoesOn) {
    platform::headless::ClearSchedule();
    platform::ReleaseAllKeys();
    std::vector<std::string> lines;
    std::mutex linesMutex;
    platform::SetHostLogSink([&](const std::string& line) {
        std::lock_guard<std::mutex> lock(linesMutex);
        lines.push_back(line);
    });
    std::atomic<bool> open{false};
    std::atomic<bool> stop{false};
    // A window thread that stops pumping without closing.
    std::thread window([&] {
        HWND h = CreateMainWindow("t", 0, 0, 640, 480, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
        open = h != nullptr;
        while (!stop) Sleep(5);
        if (h) DestroyWindow(h);
    });
    while (!open) std::this_thread::yield();

    const long long due = platform::PresentedFrameSerial() + 1;
    platform::headless::ScheduleWindowMessage(due, WM_KEYDOWN, VK_SPACE, 0);
    std::uint32_t pixel = 0;
    platform::PresentFrame(&pixel, 1, 1, 1);
    stop = true;
    window.join();
    platform::SetHostLogSink(nullptr);
    platform::headless::ClearSchedule();
    platform::ReleaseAllKeys();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("frame " + std::to_string(due)), std::string::npos) << lines[0];
}
