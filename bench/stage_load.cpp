// Loading a large stage file: a 300 x 300 grid of placed blocks and 2,000
// placed characters with flows, read the way the stage loader reads it,
// beside reading and copying the same file's bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "file_reference.h"
#include "gamedata/base/data_limits.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/files.h"
#include "run_folder.h"
#include "support/large_stage.h"

namespace {

const char* kPath = "bench_stage_load.stg4_001";

std::int64_t WriteLargeStage(int side, int charas) {
    DataLimits limits;
    limits.dbCount.fill(100);
    SetDataLimits(limits);
    BuildLargeStage(LoadedStage, side, side, charas);
    if (!LoadedStage.SaveFile(kPath)) return 0;
    std::vector<std::uint8_t> bytes;
    platform::ReadWholeFile(kPath, bytes);
    return static_cast<std::int64_t>(bytes.size());
}

void BM_ReadAndCopyLargeStage(benchmark::State& state) {
    RunFolder folder("bench_stage_load");
    if (WriteLargeStage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))) == 0) {
        state.SkipWithError("could not write the stage");
        return;
    }
    ReadAndCopyFile(state, kPath);
}

void BM_LoadLargeStage(benchmark::State& state) {
    RunFolder folder("bench_stage_load");
    const std::int64_t size = WriteLargeStage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (size == 0) {
        state.SkipWithError("could not write the stage");
        return;
    }
    for (auto _ : state) {
        if (LoadedStage.LoadFile(kPath) != 1) {
            state.SkipWithError("the stage did not load");
            break;
        }
        benchmark::DoNotOptimize(LoadedStage.m_vPlacedBlocks.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["file_MB"] = static_cast<double>(size) / (1024.0 * 1024.0);
}

BENCHMARK(BM_ReadAndCopyLargeStage)->Args({300, 2000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeStage)->Args({300, 2000})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
