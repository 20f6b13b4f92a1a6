#include <gtest/gtest.h>

#include "foundation/frame_timer.h"
#include "platform/clock.h"

namespace {

// Polls WaitFrame every millisecond of a test clock, as the frame loop does
// with Sleep(1), and returns the release times.
std::vector<DWORD> Releases(int fps, DWORD durationMs) {
    platform::TestClock clock(0);
    ResetFrameTimer();
    SetFrameTimerHasDevice(true);
    std::vector<DWORD> times;
    while (clock.Now() < durationMs) {
        if (WaitFrame(fps)) times.push_back(clock.Now());
        clock.Advance(1);
    }
    SetFrameTimerHasDevice(false);
    ResetFrameTimer();
    return times;
}

}  // namespace

TEST(FramePacing, SixtyFramesASecondOverManySeconds) {
    auto times = Releases(60, 10000);
    EXPECT_EQ(times.size(), 600u) << "not 61: a new window does not release its first frame at once";
}

TEST(FramePacing, FrameThirtyIsNotReleasedBeforeHalfASecondAndWindowsFollowOnePerSecond) {
    auto times = Releases(60, 2100);
    ASSERT_GE(times.size(), 121u);
    EXPECT_GE(times[30], 500u);
    EXPECT_EQ(times[60], 1000u) << "the second window opens one second after the first";
    EXPECT_EQ(times[120], 2000u);
}

TEST(FramePacing, ALoopThatFellBehindAcrossAWindowStartStartsAfreshInsteadOfBursting) {
    platform::TestClock clock(0);
    ResetFrameTimer();
    SetFrameTimerHasDevice(true);
    int released = 0;
    while (released < 59) {
        if (WaitFrame(60)) ++released;
        clock.Advance(1);
    }
    clock.Advance(500);  // one long frame before the last release of the window
    int burst = 0;
    for (int i = 0; i < 20; ++i) {
        if (WaitFrame(60)) ++burst;
    }
    EXPECT_EQ(burst, 2) << "the late frame and the new window's first, then a frame period's wait";
    clock.Advance(17);
    EXPECT_TRUE(WaitFrame(60));
    SetFrameTimerHasDevice(false);
    ResetFrameTimer();
}

TEST(FramePacing, WithoutADeviceOrWithZeroFpsEveryCallReleases) {
    ResetFrameTimer();
    SetFrameTimerHasDevice(false);
    EXPECT_TRUE(WaitFrame(60));
    EXPECT_TRUE(WaitFrame(60));
    SetFrameTimerHasDevice(true);
    EXPECT_TRUE(WaitFrame(0));
    SetFrameTimerHasDevice(false);
}
