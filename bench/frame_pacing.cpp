// Frame pacing of the game loop, headless: on the real clock, how many frames
// the tick presents in 10 seconds at a frame rate of 60; on the virtual clock
// of a headless run, what a tick costs when nothing waits, and how many
// frames a second of that clock holds.
#include <benchmark/benchmark.h>

#include <cmath>

#include "foundation/frame_timer.h"
#include "platform/clock.h"
#include "platform/present.h"
#include "shell/loop/game.h"
#include "shell/startup/drawing_device.h"

static void BM_FramePacing60(benchmark::State& state) {
    constexpr DWORD kRunMs = 10000;
    if (!StartDrawingDevice()) {
        state.SkipWithError("no drawing device");
        return;
    }
    Game.FrameRate = 60;
    Game.FadeLength = 10;
    for (auto _ : state) {
        ResetFrameTimer();
        long long firstFrame = platform::PresentedFrameSerial();
        DWORD start = timeGetTime();
        while (timeGetTime() - start < kRunMs) Game.Tick();
        double seconds = (timeGetTime() - start) / 1000.0;
        double fps = static_cast<double>(platform::PresentedFrameSerial() - firstFrame) / seconds;
        state.counters["fps"] = fps;
        state.counters["error_pct"] = std::fabs(fps - 60.0) / 60.0 * 100.0;
    }
    ReleaseDrawingDevice();
}
BENCHMARK(BM_FramePacing60)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

static void BM_FramePacingVirtualClock(benchmark::State& state) {
    if (!StartDrawingDevice()) {
        state.SkipWithError("no drawing device");
        return;
    }
    Game.FrameRate = 60;
    Game.FadeLength = 10;
    platform::UseVirtualClock(true);
    ResetFrameTimer();
    const long long firstFrame = platform::PresentedFrameSerial();
    const DWORD start = timeGetTime();
    for (auto _ : state) Game.Tick();
    const double seconds = (timeGetTime() - start) / 1000.0;
    if (seconds > 0) {
        state.counters["fps"] = static_cast<double>(platform::PresentedFrameSerial() - firstFrame) / seconds;
    }
    state.counters["ticks_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    platform::UseVirtualClock(false);
    ReleaseDrawingDevice();
}
BENCHMARK(BM_FramePacingVirtualClock)->Iterations(6000)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
