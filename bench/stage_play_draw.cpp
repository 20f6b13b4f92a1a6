// Stage play with drawing: the stage-play scene's whole frame (input, the
// characters running their flows, all awake, their shots, the rules, and
// the drawing of the stage, its objects and the status panel in the device
// path) on the shooting stage, unpaced. The figure that matters is the frame rate as
// a multiple of real time at 60 frames per second. Two loads: 280 characters
// keeping about 1,200 shots alive (far past what a stage of the editor's
// games holds), and 95 characters with about 500 shots, near the load of the
// stage-frame drawing benchmark.
#include <benchmark/benchmark.h>

#include "stage_play_scene.h"

namespace {

void BM_StagePlayDraw(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    // Shooters per formation, six formations.
    StagePlayScene play(CrowdedShootingStage(static_cast<int>(state.range(1))), true);
    long long shotFrames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        play.Start();
        // The first ten seconds fill the stage with shots.
        for (int frame = 0; frame < 600; ++frame) play.ScriptedFrame();
        state.ResumeTiming();
        for (int frame = 0; frame < frames; ++frame) {
            play.ScriptedFrame();
            shotFrames += static_cast<long long>(play.Scene().m_lstShot.size());
        }
        benchmark::DoNotOptimize(play.Hash());
        state.counters["characters"] = static_cast<double>(CharaList.size());
    }
    const double played = static_cast<double>(frames) * static_cast<double>(state.iterations());
    state.counters["live_shots_mean"] = static_cast<double>(shotFrames) / played;
    state.counters["frames_per_second"] = benchmark::Counter(played, benchmark::Counter::kIsRate);
    state.counters["x_real_time_at_60fps"] = benchmark::Counter(played / 60.0, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_StagePlayDraw)->Args({3000, 50})->Args({3000, 17})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
