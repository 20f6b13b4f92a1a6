#pragma once
// A tiny stage drawn in one drawing mode: the harness stage, a test palette,
// the stage's pictures made here (blocks, marks, the panel, icons and
// gauges, the time digits, three background layers) and the default fonts;
// frames are compared with golden PNGs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "draw/draw_fixture.h"
#include "gamedata/project/system_data.h"
#include "support/stage/stage_harness.h"

// Palette colours of the pictures, by what they show.
namespace TestColour {
enum : int {
    Key = 0,
    Dark = 16,
    Sky = 40,
    Hills = 90,
    Stripe = 120,
    Plain = 130,
    GaugeBack = 170,
    Fill = 180,
    Warning = 200,
    Panel = 210,
    Mark = 250
};
}

class StageDrawTest : public DrawTest {
protected:
    void TearDown() override;

    // Starts the mode and loads every picture and font; a stage of
    // `picture` (the harness's letters) is built.
    void StartStage(const DrawMode& mode, const std::vector<std::string>& picture, StageOptions options = {});
    // The frame drawn so far, presented and compared with the golden of the
    // name and mode. With PLAYER_WRITE_GOLDENS set in the environment the
    // golden is written instead (and the test skipped).
    void ExpectGolden(const std::string& name);
    // Pixel of the back buffer in 0xRRGGBB, and a palette colour the same
    // way as the mode shows it.
    std::uint32_t Pixel(int x, int y);
    std::uint32_t Shown(int colour) const;

    std::unique_ptr<StageHarness> stage;
    const DrawMode* mode = nullptr;

private:
    cVector<cStatusItem> savedItems;
};
