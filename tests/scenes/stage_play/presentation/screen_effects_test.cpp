#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "scenes/modes.h"
#include "screen_effect_fixture.h"
#include "shell/startup.h"
#include "stage/objects/player.h"
#include "support/golden_frame.h"

namespace {

std::uint32_t Rgb(std::uint32_t argb) { return argb & 0xFFFFFFu; }

// The split (kind 4) over one second from 0 to 60 moves one pixel a frame;
// a pass ends on the frame whose step takes the value past its end.
struct TweenCase {
    const char* name;
    int from, to;
    int mode, loop;
    int framesToEnd;  // -1: still running after 400 frames
    std::vector<std::pair<int, double>> valueAfter;
};

TEST_F(ScreenEffectTest, TweenTable) {
    const std::vector<TweenCase> cases = {
        {"forward", 0, 60, 0, 0, 61, {{1, 1}, {30, 30}, {60, 60}}},
        {"reversed", 0, 60, 1, 0, 61, {{1, 59}, {30, 30}, {60, 0}}},
        {"round trip comes back to 0", 0, 60, 2, 0, 122, {{30, 30}, {61, 60}, {91, 30}, {121, 0}}},
        {"round trip looping", 0, 60, 2, 1, -1, {{61, 60}, {121, 0}, {122, 0}, {152, 30}}},
        {"forward looping starts again", 0, 60, 0, 1, -1, {{60, 60}, {61, 0}, {91, 30}}},
        {"start equal to end counts the time", 30, 30, 0, 0, 61, {{1, 30}, {60, 30}}},
        {"falling values", 60, 0, 0, 0, 61, {{1, 59}, {60, 0}}},
    };
    for (const TweenCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(kD3D32, {ScreenEntry(4, {10, c.from, c.to, 15})});
        run.Start(1, c.mode, c.loop);
        int ended = -1;
        std::size_t probe = 0;
        for (int n = 1; n <= 400 && ended < 0; ++n) {
            Frame();
            if (probe < c.valueAfter.size() && c.valueAfter[probe].first == n) {
                EXPECT_NEAR(run.dValue, c.valueAfter[probe].second, 1e-6) << "after frame " << n;
                ++probe;
            }
            if (run.nEffect == 0) ended = n;
        }
        EXPECT_EQ(ended, c.framesToEnd);
        EXPECT_EQ(probe, c.valueAfter.size());
        EXPECT_EQ(AbortFlag.load(), 0);
        TearDown();
    }
}

TEST_F(ScreenEffectTest, AFinishedEffectSwitchesTheVirtualBackBufferOff) {
    StartWith(kD3D32, {ScreenEntry(4, {1, 0, 6, 15})});
    run.Start(1, 0, 0);
    BeginScreenEffectFrame(run);
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 1);
    EXPECT_EQ(FramesToEnd(100), 7);
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
    // No effect, no read-back frame.
    BeginScreenEffectFrame(run);
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
}

TEST_F(ScreenEffectTest, TheCommandWithEffectZeroSwitchesTheVirtualBackBufferOff) {
    StartWith(kD3D32, {ScreenEntry(4, {10, 0, 60, 15})});
    RunScreenEffectCommand(run, 1, 0, 1);
    BeginScreenEffectFrame(run);
    Frame();
    ASSERT_EQ(lpDTCon->bVirBackBuffer, 1);
    // Another effect keeps the read-back frame.
    RunScreenEffectCommand(run, 1, 1, 0);
    EXPECT_EQ(run.nEffect, 1);
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 1);
    RunScreenEffectCommand(run, 0, 0, 0);
    EXPECT_EQ(run.nEffect, 0);
    EXPECT_EQ(lpDTCon->bVirBackBuffer, 0);
}

TEST_F(ScreenEffectTest, NoAdvanceDrawsWithoutMovingTheRun) {
    StartWith(kD3D32, {ScreenEntry(2, {10, 4, 4})});
    run.Start(1, 0, 0);
    for (int n = 0; n < 3; ++n) Frame();
    const cScreenEffectRun before = run;
    for (int n = 0; n < 100; ++n) Frame(1);
    EXPECT_EQ(run.dShake, before.dShake);
    EXPECT_EQ(run.dValue, before.dValue);
    EXPECT_EQ(run.nEffect, 1);
}

// Amplitude 4, four swings in one second: (4 x 4 x 4) / 60 pixels a frame,
// turning at exactly -4 and +4; the vertical shake moves alike.
TEST_F(ScreenEffectTest, ShakeSequence) {
    for (const int kind : {2, 3}) {
        SCOPED_TRACE(kind);
        StartWith(kD3D32, {ScreenEntry(kind, {10, 4, 4})});
        run.Start(1, 0, 0);
        const double c = 64.0 / 60.0;
        const std::vector<double> expected = {c,         2 * c,     3 * c,     4,         4 - c, 4 - 2 * c, 4 - 3 * c,
                                              4 - 4 * c, 4 - 5 * c, 4 - 6 * c, 4 - 7 * c, -4,    -4 + c};
        for (const double o : expected) {
            Frame();
            EXPECT_NEAR(run.dShake, o, 1e-9);
        }
        double low = 0, high = 0;
        while (run.nEffect != 0) {
            Frame();
            low = std::min(low, run.dShake);
            high = std::max(high, run.dShake);
        }
        EXPECT_EQ(low, -4);
        EXPECT_EQ(high, 4);
        TearDown();
    }
}

// The frame drawn at offset 3 shows the 3 uncovered columns on the left in
// colour 16 and the stage moved right by 3 pixels.
TEST_F(ScreenEffectTest, HorizontalShakeFillsOnlyTheUncoveredStrip) {
    StartWith(kD3D32, {ScreenEntry(2, {10, 4, 4})});
    run.Start(1, 0, 0);
    for (int n = 0; n < 3; ++n) Frame();
    ASSERT_NEAR(run.dShake, 3.2, 1e-9);
    Frame();
    for (const int x : {0, 2}) EXPECT_EQ(Rgb(PixelAt(BackBuffer, x, 100)), Rgb(Colour(kUncoveredColour))) << x;
    for (const int x : {3, 42, 43, 639}) EXPECT_EQ(Rgb(PixelAt(BackBuffer, x, 100)), Rgb(StageColourAt(x - 3, 100)));
}

// Times, counts and roughness of 0 (or below) from a damaged file: every
// effect still draws the stage and ends, with finite values.
TEST_F(ScreenEffectTest, ZeroParametersGiveDefinedResults) {
    const std::vector<cScrEffect> entries = {
        ScreenEntry(1, {0, 0, 0, 640, 0}),
        ScreenEntry(2, {0, 4, 4}),
        ScreenEntry(3, {-5, 4, 4}),
        ScreenEntry(4, {0, 0, 64, 0}),
        ScreenEntry(5, {10, 0, 64, -3}),
        ScreenEntry(6, {0, 0, 64, 4, 0}),
        ScreenEntry(7, {10, 0, 64, 0, -1}),
        ScreenEntry(9, {0, 0, 90}),
        ScreenEntry(10, {10, 640, 0, 0}),
        ScreenEntry(11, {0, 0, 640}),
        ScreenEntry(12, {0, 0, 5, 0, 0}),
        ScreenEntry(13, {0, 0, 60}),
        ScreenEntry(8, {0, 0}),
        ScreenEntry(4, {-10, 0, 64, 15}),
    };
    StartWith(kD3D32, entries);
    for (int n = 1; n <= static_cast<int>(entries.size()); ++n) {
        const int kind = entries[static_cast<std::size_t>(n - 1)].m_nKind;
        SCOPED_TRACE("entry " + std::to_string(n) + " kind " + std::to_string(kind));
        run.Start(n, 0, 0);
        Frame();
        EXPECT_TRUE(std::isfinite(run.dValue) && std::isfinite(run.dStep) && std::isfinite(run.dShake));
        // The first frame still shows stage pixels (not only the uncovered colour).
        if (kind != 8 && kind != 11) { EXPECT_NE(Rgb(PixelAt(BackBuffer, 330, 250)), Rgb(Colour(kUncoveredColour))); }
        EXPECT_GT(FramesToEnd(200), 0);
    }
    EXPECT_EQ(AbortFlag.load(), 0);
}

// A kind no table entry draws ends the effect instead of reading past the
// table.
TEST_F(ScreenEffectTest, AnUnknownKindEndsTheEffect) {
    StartWith(kD3D32, {ScreenEntry(14, {10}), ScreenEntry(-1, {10})});
    for (const int n : {1, 2}) {
        run.Start(n, 0, 0);
        EXPECT_EQ(FramesToEnd(1), 1);
    }
}

// The blink switches between the background layers over the frame and the
// stage alone every p1 frames.
TEST_F(ScreenEffectTest, BlinkAlternatesTheBackgroundEveryInterval) {
    StartWith(kD3D32, {ScreenEntry(8, {10, 3})});
    std::string shown;
    target.drawBackground = [&shown](DDSURFACEDATA*) { shown += 'B'; };
    run.Start(1, 0, 0);
    for (int n = 0; n < 14; ++n) {
        const std::size_t before = shown.size();
        Frame();
        if (shown.size() == before) shown += '.';
    }
    // The first phase counts from 0, the later ones from 1.
    EXPECT_EQ(shown, "BBBB...BBB...B");
}

// The zoom at 640 shows the frame unchanged; at 1280 the 320 x 240 area
// around the hero, held inside the frame.
TEST_F(ScreenEffectTest, ZoomAroundTheHeroStaysInsideTheFrame) {
    StartWith(kD3D32, {ScreenEntry(11, {10, 640, 640}), ScreenEntry(11, {10, 1280, 1280})});
    PlayerList.resize(1);
    PlayerList[0].m_rcScreen = {600, 20, 631, 51};  // near the top-right corner
    run.Start(1, 0, 0);
    Frame();
    for (const int x : {0, 333, 639}) EXPECT_EQ(Rgb(PixelAt(BackBuffer, x, 479)), Rgb(StageColourAt(x, 479)));
    run.Start(2, 0, 0);
    Frame();
    // Source area (320, 0) - (639, 239) doubled.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {101, 300}, {639, 479}})
        EXPECT_EQ(Rgb(PixelAt(BackBuffer, x, y)), Rgb(StageColourAt(320 + x / 2, y / 2))) << x << "," << y;
    PlayerList.clear();
}

// Pixel goldens in the device path and in 8-bit DirectDraw: the move
// half-way, the shake at its right turn, the mosaic with blocks of 15
// pixels.
TEST_F(ScreenEffectTest, Goldens) {
    struct Golden {
        const char* name;
        cScrEffect entry;
        int frames;
    };
    const std::vector<Golden> goldens = {
        {"screen_move", ScreenEntry(1, {10, 0, 0, 320, 240}), 32},
        {"screen_shake", ScreenEntry(2, {10, 8, 2}), 6},
        {"screen_mosaic", ScreenEntry(13, {10, 1, 61}), 15},
    };
    for (const DrawMode* mode : {&kD3D32, &kDD8}) {
        for (const Golden& g : goldens) {
            StartWith(*mode, {g.entry});
            run.Start(1, 0, 0);
            for (int n = 0; n < g.frames; ++n) Frame();
            const std::string file = std::string(g.name) + "_" + mode->name + ".png";
            ExpectGoldenFrame(BackBuffer, std::string(SCENES_GOLDEN_DIR) + "/" + file);
            TearDown();
        }
    }
}

}  // namespace

namespace {

// The start-up builds the templates from the effect tables' working copies,
// so right after them, and once however often the scenes are registered.
TEST(ScreenEffectTemplates, StartUpBuildsThemOnceAfterTheEffectTables) {
    RegisterScenes();
    RegisterScenes();
    std::vector<std::string> names;
    for (const StartupStep& step : StartupSteps()) names.emplace_back(step.name);
    const auto tables = std::find(names.begin(), names.end(), "effect tables");
    ASSERT_NE(tables, names.end());
    const auto templates = std::find(tables, names.end(), "screen effect templates");
    ASSERT_NE(templates, names.end());
    EXPECT_LE(templates - tables, 2);  // the character effects' templates may come between
    EXPECT_EQ(std::count(names.begin(), names.end(), "screen effect templates"), 1);
}

}  // namespace
