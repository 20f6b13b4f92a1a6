#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "chara_effect_fixture.h"
#include "foundation/abort.h"
#include "shell/startup/startup.h"

namespace {

// Frames until Step reports the end, at most `limit`.
int FramesToEnd(cCharaEffectRun& run, int limit = 1000) {
    for (int frame = 1; frame <= limit; ++frame) {
        if (run.Step()) return frame;
    }
    return -1;
}

TEST(CharaEffectTemplates, PrepareEachGroupForwardAndReversed) {
    CharaEffectTable table({
        {1, {5, 0, 30, 0, 0}},      // 1 burst, a tween from 0 to 30
        {6, {10, 2, 0, 0, 0}},      // 2 blink: counts its time, p1 is an interval
        {14, {10, 9999, 0, 0, 0}},  // 3 translucent: a blink kind too
        {7, {10, 90, 90, 0, 0}},    // 4 a rotation that stays at one angle
        {4, {5, 0, 8, 2, 2}},       // 5 wave
        {2, {0, 0, 32, 4, 0}},      // 6 split with a time of 0 from data
    });
    struct Case {
        int number;
        int reversed;
        int start, end;
        double value, step;
        int time;
    };
    const Case cases[] = {
        {1, 0, 0, 30, 0, 1.0, 5},
        {1, 1, 30, 0, 30, 1.0, 5},
        {2, 0, 0, 10, 0, 1.0 / 6, 10},
        {2, 1, 0, 10, 0, 1.0 / 6, 10},
        {3, 0, 0, 10, 0, 1.0 / 6, 10},
        // The interval is never taken for an end: reversed it stays 9999.
        {3, 1, 0, 10, 0, 1.0 / 6, 10},
        {4, 0, 90, 90, 90, 1.0 / 6, 10},
        {5, 1, 8, 0, 8, 8.0 / 30, 5},
        // No division by the time of 0: it runs as a tenth of a second.
        {6, 0, 0, 32, 0, 32.0 / 6, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "entry " << c.number << " reversed " << c.reversed);
        const cCharaEffectRun& run = (c.reversed ? CharaEffectTemplatesRev : CharaEffectTemplates)[c.number];
        EXPECT_EQ(run.nStart, c.start);
        EXPECT_EQ(run.nEnd, c.end);
        EXPECT_DOUBLE_EQ(run.dValue, c.value);
        EXPECT_DOUBLE_EQ(run.dStep, c.step);
        EXPECT_EQ(run.nTime, c.time);
        EXPECT_EQ(run.dElapsed, 0.0);
    }
    EXPECT_EQ(CharaEffectTemplatesRev[3].Param(1), 9999);
    EXPECT_EQ(CharaEffectTemplatesRev[1].Param(1), 30) << "the reversed copy swaps a tween's ends";
}

TEST(CharaEffectRun, PassesOfEachModeWithAndWithoutLoop) {
    CharaEffectTable table({
        {1, {5, 0, 30, 0, 0}},   // 30 frames of a step of 1
        {7, {5, 45, 45, 0, 0}},  // start equals end: counts its time
    });
    struct Case {
        const char* name;
        int effect, mode;
        int frames;  // until the end is reported
    };
    const Case cases[] = {
        {"forward", 1, 0, 31},
        {"reversed", 1, 1, 31},
        {"there and back", 1, 2, 62},
        {"time only", 2, 0, 31},
        {"time only, there and back", 2, 2, 62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cCharaEffectRun run;
        run.Start(c.effect, c.mode, 0);
        EXPECT_EQ(run.nEffect, c.effect);
        EXPECT_EQ(run.bReversedNow, c.mode == 1);
        EXPECT_EQ(FramesToEnd(run), c.frames);
    }
    // Looping there and back: forward, reversed, forward again, never ending.
    cCharaEffectRun run;
    run.Start(1, 2, 1);
    for (int frame = 1; frame <= 31; ++frame) ASSERT_EQ(run.Step(), 0);
    EXPECT_EQ(run.bReversedNow, 1);
    EXPECT_DOUBLE_EQ(run.dValue, 30.0);
    for (int frame = 1; frame <= 31; ++frame) ASSERT_EQ(run.Step(), 0);
    EXPECT_EQ(run.bReversedNow, 0);
    EXPECT_DOUBLE_EQ(run.dValue, 0.0);
    EXPECT_EQ(FramesToEnd(run, 500), -1);
    // A looping reversed run starts each pass from its stored end again.
    run.Start(1, 1, 1);
    for (int frame = 1; frame <= 31; ++frame) ASSERT_EQ(run.Step(), 0);
    EXPECT_EQ(run.bReversedNow, 1);
    EXPECT_DOUBLE_EQ(run.dValue, 30.0);
}

TEST(CharaEffectRun, ABadNumberIsReportedAndRunsEntryZero) {
    CharaEffectTable table(std::vector<EffectRow>{{1, {5, 0, 30, 0, 0}}});
    AbortFlag = 0;
    cCharaEffectRun run;
    run.Start(9, 0, 0);
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_EQ(run.Kind(), 0);
    AbortFlag = 0;
}

TEST(CharaEffectTemplates, BuiltOnceRightAfterTheEffectTablesAtStartUp) {
    const std::vector<StartupStep> saved = StartupSteps();
    RegisterCharaEffectStartup();
    RegisterCharaEffectStartup();
    const std::vector<StartupStep>& steps = StartupSteps();
    const auto at = [&](std::string_view name) {
        return std::find_if(steps.begin(), steps.end(), [&](const StartupStep& s) { return s.name == name; });
    };
    ASSERT_NE(at("effect tables"), steps.end());
    EXPECT_EQ(at("character effect templates"), at("effect tables") + 1);
    EXPECT_EQ(
        std::count_if(steps.begin(), steps.end(),
                      [](const StartupStep& s) { return s.name == std::string_view("character effect templates"); }),
        1);
    StartupSteps() = saved;
}

}  // namespace
