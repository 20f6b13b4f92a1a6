#include "shell/loop/flash_colours.h"

#include <algorithm>
#include <cstdint>

#include "draw/device/device.h"
#include "draw/effects/fades.h"
#include "draw/palette.h"
#include "gamedata/project/system_data.h"
#include "shell/loop/game.h"

DDBLTCOLOR FlashColours[10] = {};

namespace {

constexpr DWORD kColourAdd = 7;
constexpr DWORD kColourSubtract = 10;
constexpr int kPulseHigh = 255;
// The eight groups of four palette entries that cycle in 8-bit mode.
constexpr int kCycleFirst = 208, kCycleLast = 239, kCycleGroup = 4;
// Calls between two cycling steps.
constexpr int kCycleCalls = 6;

DWORD Argb(int r, int g, int b) {
    auto channel = [](int v) { return static_cast<DWORD>(std::clamp(v, 0, 255)); };
    return 0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
}

// The colour of entry `entry` (1 to 9) at pulse value v.
DDBLTCOLOR FlashColour(int entry, int v, int phase) {
    const int quarter = v >> 2;
    switch (entry) {
        case 1: return {Argb(v, v, v), kColourAdd};
        case 2: return {Argb(v, v, v), kColourSubtract};
        case 3: return {Argb(v, 0, 0), kColourAdd};
        case 4: return {Argb(0, v, 0), kColourAdd};
        case 5: return {Argb(0, 0, v), kColourAdd};
        case 6: return {Argb(v, v, 0), kColourAdd};
        case 7: return {Argb(v, 0, quarter), kColourAdd};
        case 8: return {Argb(quarter, 0, v), kColourAdd};
        default: break;
    }
    switch (phase) {
        case 0: return {Argb(v, 0, 0), kColourAdd};
        case 1: return {Argb(0, v, 0), kColourAdd};
        case 2: return {Argb(0, 0, v), kColourAdd};
        default: return {Argb(v, v, 0), kColourAdd};
    }
}

void StepPulses(FlashColourState& state) {
    // A negative step (a damaged system file) would run the values away
    // without bound; it pulses not at all instead.
    const int step = std::max(SystemData.m_nFlashStep, 0);
    for (int entry = 1; entry <= static_cast<int>(state.pulses.size()); ++entry) {
        FlashPulse& pulse = state.pulses[static_cast<std::size_t>(entry - 1)];
        FlashColours[entry] = FlashColour(entry, pulse.value, state.phase);
        const bool turned = PingPong(pulse.value, pulse.falling, step, 0, kPulseHigh);
        if (entry == 9 && turned) state.phase = (state.phase + 1) % 4;
    }
}

void CyclePalette(FlashColourState& state) {
    if (++state.cycleCount < kCycleCalls) return;
    state.cycleCount = 0;
    for (int first = kCycleFirst; first < kCycleLast; first += kCycleGroup) {
        PaletteRotate(PaletteWork, first, first + kCycleGroup - 1, 1, 1, PaletteWork);
    }
    std::copy(PaletteWork + kCycleFirst, PaletteWork + kCycleLast + 1, DDPaletteColors + kCycleFirst);
}

}  // namespace

bool PingPong(int& value, int& falling, int step, int low, int high) {
    if (!falling) {
        value += step;
        if (value >= high) {
            value -= step;
            falling = 1;
        }
        return false;
    }
    value -= step;
    if (value > low) return false;
    value += step;
    falling = 0;
    return true;
}

void cGame::StepFlashColours() {
    if (DDSetting.bD3D) {
        StepPulses(FlashState);
    } else if (DDSetting.nBpp == 8 && SystemData.m_bColourCycle) {
        CyclePalette(FlashState);
    }
}
