#include <gtest/gtest.h>

#include "foundation/frame_timer.h"
#include "platform/clock.h"

class FrameTimer : public ::testing::Test {
protected:
    void SetUp() override { ResetFrameTimer(); }
    void TearDown() override {
        SetFrameTimerHasDevice(false);
        ResetFrameTimer();
    }
    platform::TestClock clock{1000};
};

TEST_F(FrameTimer, PacingReleasesOnScheduleAndStartsANewWindow) {
    SetFrameTimerHasDevice(true);
    int released = 0;
    DWORD releaseOf30 = 0, releaseOf61 = 0;
    for (DWORD t = 0; t <= 1100; ++t) {
        clock.Set(1000 + t);
        while (WaitFrame(60)) {
            ++released;
            if (released == 31) releaseOf30 = t;  // frame index 30 of the window
            if (released == 61) releaseOf61 = t;
        }
    }
    EXPECT_GE(releaseOf30, 500u);
    EXPECT_LE(releaseOf30, 501u);
    // The 60th release (t = 984) opens a new window one frame period later,
    // so a second holds 60 frames, not 61.
    EXPECT_GE(releaseOf61, 1000u);
    EXPECT_LE(releaseOf61, 1001u);
}

TEST_F(FrameTimer, PacingWithoutDeviceOrRateAlwaysReleases) {
    SetFrameTimerHasDevice(false);
    EXPECT_TRUE(WaitFrame(60));
    EXPECT_TRUE(WaitFrame(60));
    SetFrameTimerHasDevice(true);
    EXPECT_TRUE(WaitFrame(0));
}

TEST_F(FrameTimer, LimiterIsTrueAtMostEvery16Ms) {
    DWORD last = 0;
    int trues = 0;
    for (DWORD t = 0; t < 1000; ++t) {
        clock.Set(5000 + t);
        if (LimitFps(60)) {
            if (trues > 0) { EXPECT_GE(t - last, 16u); }
            last = t;
            ++trues;
        }
    }
    EXPECT_EQ(trues, 63);  // 0, 16, ..., 992
    EXPECT_TRUE(LimitFps(0));
}

TEST_F(FrameTimer, LimiterSurvivesClockWrap) {
    clock.Set(0xFFFFFFF0u);
    EXPECT_TRUE(LimitFps(60));
    clock.Set(0xFFFFFFF8u);
    EXPECT_FALSE(LimitFps(60));
    clock.Set(0x00000001u);  // 17 ms later, across the wrap
    EXPECT_TRUE(LimitFps(60));
}

TEST_F(FrameTimer, CountFpsClosesAWindowAfterASecond) {
    clock.Set(0);
    DWORD result = 0;
    for (DWORD t = 0; t <= 1000; t += 10) {
        clock.Set(t);
        result = CountFps(true);
        if (t < 1000) { EXPECT_EQ(result, 0u) << t; }
    }
    EXPECT_EQ(result, 100u);
    EXPECT_EQ(CountFps(false), 100u);
}

TEST_F(FrameTimer, StopwatchAndEveryNth) {
    clock.Set(100);
    EXPECT_EQ(SetStartTime(), 100u);
    Sleep(25);  // the test clock advances
    EXPECT_EQ(GetElapsed(false), 25u);
    EXPECT_EQ(GetLastElapsed(true), 25u);
    EXPECT_EQ(GetElapsed(true), 25u);
    EXPECT_EQ(GetElapsed(false), 0u);
    EXPECT_EQ(GetLastElapsed(false), 25u);

    EveryNth(0, 3);
    std::vector<int> trues;
    for (int i = 1; i <= 9; ++i) {
        if (EveryNth(1, 3)) trues.push_back(i);
    }
    EXPECT_EQ(trues, (std::vector<int>{3, 6, 9}));
    EveryNth(1, 3);
    EXPECT_FALSE(EveryNth(2, 3));
    EXPECT_FALSE(EveryNth(0, 3));
    EXPECT_TRUE(EveryNth(2, 3));
}

// A headless run's clock moves one frame period a frame: pacing never waits,
// and the frame counter still sees 60 frames in each second of that clock.
TEST(FrameTimerOnVirtualClock, PacersReleaseAtOnceAndASecondHoldsTheRate) {
    ResetFrameTimer();
    SetFrameTimerHasDevice(true);
    platform::UseVirtualClock(true);
    int held = 0;
    DWORD shownFps = 0;
    for (int frame = 1; frame <= 61; ++frame) {
        platform::AdvanceVirtualFrame(60);
        if (!LimitFps(60)) ++held;
        if (!WaitFrame(60)) ++held;
        // Twice in one frame too: nothing waits for a clock only frames move.
        if (!LimitFps(60) || !WaitFrame(60)) ++held;
        shownFps = CountFps(true);
    }
    EXPECT_EQ(held, 0);
    EXPECT_EQ(timeGetTime(), 1016u);
    EXPECT_EQ(shownFps, 60u);
    platform::UseVirtualClock(false);
    SetFrameTimerHasDevice(false);
    ResetFrameTimer();
}
