// Stage play without drawing or pacing: 300 characters running their flows
// and about 1,000 live shots, for 10,000 frames. The figure that matters is
// the frame rate as a multiple of real time at 60 frames per second.
#include <benchmark/benchmark.h>

#include "support/stage/shooting_stage.h"

namespace {

void BM_ShootingStage(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    // 300 characters, about 1,000 shots alive.
    const ShootingStageOptions options = CrowdedShootingStage(50);
    int liveShots = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ShootingStage stage(options);
        state.ResumeTiming();
        long long shotFrames = 0;
        for (int frame = 0; frame < frames; ++frame) {
            stage.RunFrame();
            shotFrames += stage.LiveShots();
        }
        liveShots = static_cast<int>(shotFrames / frames);
        benchmark::DoNotOptimize(stage.Hash());
    }
    state.counters["live_shots_mean"] = liveShots;
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(frames) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["x_real_time_at_60fps"] =
        benchmark::Counter(static_cast<double>(frames) * state.iterations() / 60.0, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ShootingStage)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
