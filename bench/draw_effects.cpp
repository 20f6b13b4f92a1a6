// Throughput of the mixing and moving operations over a 640 x 480 screen,
// each beside memcpy of the same bytes in the same run: a full-screen tint
// and a full-screen translucent blit (the device path and the 32-bit
// DirectDraw path), a blur of radius 2 and a rotation by 30 degrees.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/pixel_effects.h"
#include "draw/effects/transform_blits.h"
#include "draw/palette.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr std::size_t kFrameBytes = std::size_t(kW) * kH * 4;

// A started device and a screen-sized picture of opaque pixels with a
// quarter of them transparent, like a captured screen with sprites.
struct Screen {
    DDSURFACEDATA picture;
    explicit Screen(int bD3D, bool processor = false) {
        DDInit(bD3D, nullptr, kW, kH, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0);
        dwTransmit = 0xFF00FF;
        DDCreateSurface(&picture, kW, kH, 1, 0, processor ? DTMEMORYTYPE_SYSTEM : DTMEMORYTYPE_VIDEO_RT, 0, 0);
        DDPIXELS& px = *picture.Pixels();
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const bool hole = (x % 32) < 8;
                const std::uint32_t rgb = (0x102030u + std::uint32_t(x * 7 + y * 13)) & 0xFFFFFFu;
                if (bD3D) px.Put(x, y, hole ? 0u : 0xFF000000u | rgb);
                else px.Put(x, y, hole ? dwTransmit : rgb == dwTransmit ? rgb ^ 1 : rgb);
            }
        }
        Palette[9] = PALETTEENTRY{200, 100, 40, 0};
    }
    ~Screen() {
        DDReleaseSurface(&picture);
        DDRelease();
    }
};

void Frames(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<std::uint8_t> a(kFrameBytes, 1), b(kFrameBytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), kFrameBytes);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
BENCHMARK(BM_Memcpy);

void Tint(benchmark::State& state, int bD3D) {
    Screen s(bD3D);
    for (auto _ : state) {
        DDBltTint(&BackBuffer, 0, 0, kW, kH, &s.picture, 0, 0, 1, Palette, BlendTable, 9, 2, nullptr);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
void BM_TintScreen_D3D32(benchmark::State& s) { Tint(s, 1); }
void BM_TintScreen_DD32(benchmark::State& s) { Tint(s, 0); }
BENCHMARK(BM_TintScreen_D3D32);
BENCHMARK(BM_TintScreen_DD32);

void Alpha(benchmark::State& state, int bD3D) {
    Screen s(bD3D);
    for (auto _ : state) {
        DDBltAlpha(&BackBuffer, 0, 0, kW, kH, &s.picture, 0, 0, 1, BlendTable, 100);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
void BM_AlphaScreen_D3D32(benchmark::State& s) { Alpha(s, 1); }
void BM_AlphaScreen_DD32(benchmark::State& s) { Alpha(s, 0); }
BENCHMARK(BM_AlphaScreen_D3D32);
BENCHMARK(BM_AlphaScreen_DD32);

void Blur(benchmark::State& state, int bD3D) {
    Screen s(bD3D);
    for (auto _ : state) {
        DDPixelEffectA(&BackBuffer, 0, 0, kW, kH, 2, 2, &s.picture, 0, 0, 1, nullptr);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
void BM_Blur640x480_D3D32(benchmark::State& s) { Blur(s, 1); }
void BM_Blur640x480_DD32(benchmark::State& s) { Blur(s, 0); }
BENCHMARK(BM_Blur640x480_D3D32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Blur640x480_DD32)->Unit(benchmark::kMillisecond);

void Rotate(benchmark::State& state, int bD3D) {
    Screen s(bD3D);
    for (auto _ : state) {
        DDBltRotate(&BackBuffer, kW / 2, kH / 2, kW, kH, kW / 2, kH / 2, 30, &s.picture, 0, 0, 1);
        benchmark::ClobberMemory();
    }
    Frames(state);
}
void BM_Rotate640x480_D3D32(benchmark::State& s) { Rotate(s, 1); }
void BM_Rotate640x480_DD32(benchmark::State& s) { Rotate(s, 0); }
BENCHMARK(BM_Rotate640x480_D3D32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate640x480_DD32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
