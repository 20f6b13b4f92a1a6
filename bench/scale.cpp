// Whether costs grow with the size of what is played: the cost per unit at
// four sizes, from small to four times the heavy cases of the other
// benchmarks, for loading a stage file (per byte), a whole stage-play frame
// with drawing (per character and shot), and running the characters' flows
// without drawing (per character). A cost per unit that does not rise from
// the smallest to the largest size means nothing grows faster than
// linearly; the summary prints each row's cost at the largest size over its
// cheapest one (a fixed cost per frame makes the small sizes dearer per
// unit, which is no growth).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gamedata/base/data_limits.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/files.h"
#include "run_folder.h"
#include "stage_play_scene.h"
#include "support/large_stage.h"
#include "support/stage/shooting_stage.h"

namespace {

// A row whose largest size costs more per unit than this multiple of its
// cheapest size grows.
constexpr double kFlatWithin = 1.5;

// Shooters per formation (six formations) of the stage-play sizes: the
// heavy case of the stage-play benchmarks is 50.
constexpr int kShooters[] = {6, 17, 50, 200};
// Stage sides and characters of the stage-load sizes: the heavy case of the
// stage-load benchmark is 300 x 300 with 2,000 characters.
constexpr int kStageSides[] = {75, 150, 300, 600};
constexpr int kStageCharas[] = {125, 500, 2000, 8000};

struct Measure {
    double units = 0;
    double nsPerUnit = 0;
};

// Row name -> size index -> its measure, printed at the end.
std::map<std::string, std::map<int, Measure>>& Rows() {
    static std::map<std::string, std::map<int, Measure>> rows;
    return rows;
}

// Seconds on the monotonic clock.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double SecondsSince(double start) { return Now() - start; }

void Record(benchmark::State& state, const char* row, int size, double units, double seconds, const char* unit) {
    const double ns = seconds * 1e9 / units;
    Rows()[row][size] = Measure{units, ns};
    state.counters[unit] = units;
    state.counters["ns_per_unit"] = ns;
}

void BM_StageLoadPerByte(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    RunFolder folder("bench_scale");
    DataLimits limits;
    limits.dbCount.fill(100);
    SetDataLimits(limits);
    BuildLargeStage(LoadedStage, kStageSides[size], kStageSides[size], kStageCharas[size]);
    const char* path = "scale.stg4_001";
    std::vector<std::uint8_t> bytes;
    if (!LoadedStage.SaveFile(path) || !platform::ReadWholeFile(path, bytes)) {
        state.SkipWithError("could not write the stage");
        return;
    }
    // Enough loads for a steady figure at every size.
    const int loads = std::max(3, static_cast<int>((64u << 20) / bytes.size()));
    for (auto _ : state) {
        const double start = Now();
        for (int i = 0; i < loads; ++i) {
            if (LoadedStage.LoadFile(path) != 1) {
                state.SkipWithError("the stage did not load");
                return;
            }
        }
        Record(state, "stage load, per byte", size, static_cast<double>(bytes.size()), SecondsSince(start) / loads,
               "bytes");
    }
}

void BM_StageFramePerObject(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    StagePlayScene play(CrowdedShootingStage(kShooters[size]), true);
    constexpr int kFrames = 600;
    for (auto _ : state) {
        play.Start();
        // The first ten seconds fill the stage with shots.
        for (int frame = 0; frame < 600; ++frame) play.ScriptedFrame();
        double objects = 0;
        const double start = Now();
        for (int frame = 0; frame < kFrames; ++frame) {
            play.ScriptedFrame();
            objects += static_cast<double>(CharaList.size() + play.Scene().m_lstShot.size());
        }
        const double seconds = SecondsSince(start);
        benchmark::DoNotOptimize(play.Hash());
        Record(state, "stage frame, per character and shot", size, objects / kFrames, seconds / kFrames, "objects");
    }
}

void BM_FlowsPerCharacter(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const ShootingStageOptions options = CrowdedShootingStage(kShooters[size]);
    constexpr int kFrames = 1000;
    for (auto _ : state) {
        ShootingStage stage(options);
        for (int frame = 0; frame < 600; ++frame) stage.RunFrame();
        const double start = Now();
        for (int frame = 0; frame < kFrames; ++frame) stage.RunFrame();
        const double seconds = SecondsSince(start);
        benchmark::DoNotOptimize(stage.Hash());
        Record(state, "flows of a frame, per character", size, static_cast<double>(CharaList.size()), seconds / kFrames,
               "characters");
    }
}

BENCHMARK(BM_StageLoadPerByte)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageFramePerObject)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlowsPerCharacter)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

void PrintSummary() {
    std::printf("\ncost per unit (ns) at four sizes, smallest to 4x the heavy case:\n");
    for (const auto& [row, sizes] : Rows()) {
        double cheapest = 0, largest = 0;
        std::printf("  %-38s", row.c_str());
        for (const auto& [size, m] : sizes) {
            std::printf("  %10.3f (%.0f units)", m.nsPerUnit, m.units);
            cheapest = cheapest == 0 ? m.nsPerUnit : std::min(cheapest, m.nsPerUnit);
            largest = m.nsPerUnit;
        }
        const double growth = cheapest > 0 ? largest / cheapest : 0;
        std::printf("  largest over cheapest %.2f: %s\n", growth, growth <= kFlatWithin ? "flat" : "GROWS");
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
