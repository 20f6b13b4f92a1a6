// Throughput of the software blits against memcpy of the same bytes: opaque
// and keyed 32 x 32 cells covering a 640 x 480 target, one stage-like frame
// of 1,200 keyed cells through a sorting sprite batch, and 1,200 shot-sized
// cells drawn one by one (the cost of one cell, clipping included).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"

namespace {

constexpr int kW = 640, kH = 480, kCell = 32;
constexpr std::size_t kFrameBytes = std::size_t(kW) * kH * 4;

struct Scene {
    DDSURFACEDATA sheet;
    explicit Scene(int bD3D, bool keyed) {
        DDInit(bD3D, nullptr, kW, kH, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0);
        dwTransmit = 0;  // DirectDraw: the key the sheet takes at its creation
        DDCreateSurface(&sheet, 256, 256, keyed ? 1 : 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
        DDPIXELS& px = *sheet.Pixels();
        for (int y = 0; y < px.nHeight; ++y) {
            for (int x = 0; x < px.nWidth; ++x) {
                // Keyed sheets: a quarter of each cell transparent, like sprites.
                const bool hole = keyed && (x % kCell) < 8 && (y % kCell) < 32;
                const std::uint32_t rgb = 0x102030u + std::uint32_t(x * 7 + y * 13);
                if (bD3D) px.Put(x, y, hole ? 0u : 0xFF000000u | rgb);
                else px.Put(x, y, hole ? dwTransmit : rgb & 0xFFFFFFu);
            }
        }
        px.NoteOpacity();  // as a loaded picture is
    }
    ~Scene() {
        DDReleaseSurface(&sheet);
        DDRelease();
    }
    // One screen of cells, each from another place of the sheet.
    void Tiles(int flags) {
        int k = 0;
        for (int y = 0; y < kH; y += kCell) {
            for (int x = 0; x < kW; x += kCell, ++k) {
                DDBlt(&BackBuffer, x, y, kCell, kCell, &sheet, (k % 8) * kCell, ((k / 8) % 8) * kCell, flags);
            }
        }
    }
};

void BM_Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> a(kFrameBytes, 1), b(kFrameBytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(BM_Memcpy);

void BlitScreen(benchmark::State& state, int bD3D, bool keyed) {
    Scene scene(bD3D, keyed);
    for (auto _ : state) {
        scene.Tiles(keyed ? 1 : 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}

void BM_OpaqueBlitScreen_D3D32(benchmark::State& s) { BlitScreen(s, 1, false); }
void BM_KeyedBlitScreen_D3D32(benchmark::State& s) { BlitScreen(s, 1, true); }
void BM_OpaqueBlitScreen_DD32(benchmark::State& s) { BlitScreen(s, 0, false); }
void BM_KeyedBlitScreen_DD32(benchmark::State& s) { BlitScreen(s, 0, true); }
BENCHMARK(BM_OpaqueBlitScreen_D3D32);
BENCHMARK(BM_KeyedBlitScreen_D3D32);
BENCHMARK(BM_OpaqueBlitScreen_DD32);
BENCHMARK(BM_KeyedBlitScreen_DD32);

// Two full screens of tiles plus 600 sprites at odd positions, collected by
// a sorting batch with the sheet registered, as a stage frame draws them.
void BM_StageFrame1200Keyed_D3D32(benchmark::State& state) {
    Scene scene(1, true);
    for (auto _ : state) {
        DDSpriteBatchOpen(1);
        DDTextureCacheAddAll(&scene.sheet);
        scene.Tiles(1);
        scene.Tiles(1);
        for (int i = 0; i < 600; ++i) {
            DDBlt(&BackBuffer, (i * 37) % (kW - kCell), (i * 53) % (kH - kCell), kCell, kCell, &scene.sheet,
                  (i % 8) * kCell, ((i / 8) % 8) * kCell, 1);
        }
        DDSpriteBatchFlush();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StageFrame1200Keyed_D3D32)->Unit(benchmark::kMillisecond);

// 1,200 cells of 16 x 16 from a sheet of full alpha, drawn one by one at odd
// positions with the key asked for, as a stage draws its shots.
void BM_ShotCells1200_D3D32(benchmark::State& state) {
    Scene scene(1, false);
    constexpr int kShot = 16;
    for (auto _ : state) {
        for (int i = 0; i < 1200; ++i) {
            DDBlt(&BackBuffer, (i * 37) % (kW + kShot) - kShot / 2, (i * 53) % (kH + kShot) - kShot / 2, kShot, kShot,
                  &scene.sheet, (i % 16) * kShot, ((i / 16) % 16) * kShot, 1);
        }
        benchmark::ClobberMemory();
    }
    state.counters["cells_per_second"] =
        benchmark::Counter(1200.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShotCells1200_D3D32);

}  // namespace

BENCHMARK_MAIN();
