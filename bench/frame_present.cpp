// The present of a finished 640 x 480 frame, headless, in each drawing
// mode, beside a plain copy of the same 32-bit frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "draw/device/device.h"
#include "foundation/abort.h"
#include "platform/present.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void BM_CopyOneFrame(benchmark::State& state) {
    std::vector<std::uint32_t> from(kWidth * kHeight, 0x123456u);
    std::vector<std::uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(from.size() * sizeof(std::uint32_t)));
}
BENCHMARK(BM_CopyOneFrame);

// Arguments: Direct3D path (0/1), bits a pixel, window mode.
void BM_PresentFrame(benchmark::State& state) {
    AbortFlag = 0;
    DDSoftwareCaps = DDSOFTWARECAPS();
    if (!DDInit(static_cast<int>(state.range(0)), nullptr, kWidth, kHeight, static_cast<int>(state.range(1)), 1,
                static_cast<int>(state.range(2)), 1, 60, 0, nullptr, nullptr, 0, 0)) {
        state.SkipWithError("no drawing device");
        return;
    }
    for (auto _ : state) {
        DDPresent();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kWidth * kHeight * 4));
    if (platform::LastPresentedFrame().pixels.size() != static_cast<std::size_t>(kWidth * kHeight))
        state.SkipWithError("nothing presented");
    DDRelease();
}
BENCHMARK(BM_PresentFrame)
    ->ArgNames({"d3d", "bpp", "window"})
    ->Args({1, 32, 1})
    ->Args({1, 16, 1})
    ->Args({1, 16, 0})
    ->Args({0, 32, 1})
    ->Args({0, 16, 1})
    ->Args({0, 8, 1});

}  // namespace

BENCHMARK_MAIN();
