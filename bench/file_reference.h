#pragma once
// The physical reference of the loading benchmarks: reading a file's bytes
// from the disk cache and copying them once, the least any loader does.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/files.h"

inline void ReadAndCopyFile(benchmark::State& state, const char* path) {
    std::vector<std::uint8_t> bytes, copy;
    for (auto _ : state) {
        if (!platform::ReadWholeFile(path, bytes)) {
            state.SkipWithError("could not read the file");
            break;
        }
        copy.resize(bytes.size());
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
