// The colour step of every drawn frame: the pulsing flash colours of the
// device path and the palette cycling of 8-bit DirectDraw.
#include "shell/loop/flash_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "draw/device/device.h"
#include "draw/palette.h"
#include "gamedata/project/system_data.h"
#include "shell/loop/game.h"

namespace {

class FlashColoursTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = DDSetting;
        Game.FlashState = FlashColourState();
        std::fill(std::begin(FlashColours), std::end(FlashColours), DDBLTCOLOR{0x12345678u, 99});
        SystemData.SetDefaults();
    }
    void TearDown() override {
        DDSetting = m_saved;
        Game.FlashState = FlashColourState();
        std::fill(std::begin(FlashColours), std::end(FlashColours), DDBLTCOLOR{0, 0});
        SystemData.SetDefaults();
    }
    static void Steps(int n) {
        for (int i = 0; i < n; ++i) Game.StepFlashColours();
    }
    static void Device(int d3d, int bpp) {
        DDSetting.bD3D = d3d;
        DDSetting.nBpp = bpp;
    }

    DDSETTING m_saved;
};

TEST(PingPong, StepsTowardsABoundAndTurnsShortOfIt) {
    const struct {
        const char* what;
        int value, falling, step;
        int after, fallingAfter;
        bool turned;
    } cases[] = {
        {"rising", 0, 0, 16, 16, 0, false},
        {"256 would pass the top: undone, now falling", 240, 0, 16, 240, 1, false},
        {"reaching the top is undone as well", 239, 0, 16, 239, 1, false},
        {"falling", 32, 1, 16, 16, 1, false},
        {"reaching the bottom ends a falling swing", 16, 1, 16, 16, 0, true},
        {"falling close to the bottom", 17, 1, 16, 1, 1, false},
        {"no step", 5, 0, 0, 5, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int value = c.value, falling = c.falling;
        EXPECT_EQ(PingPong(value, falling, c.step, 0, 255), c.turned);
        EXPECT_EQ(value, c.after);
        EXPECT_EQ(falling, c.fallingAfter);
    }
}

TEST_F(FlashColoursTest, EachEntryShowsItsPulseBeforeTheStep) {
    Device(1, 32);
    Steps(1);
    for (int entry = 1; entry <= 9; ++entry) {
        EXPECT_EQ(FlashColours[entry].dwColor, 0xFF000000u) << "entry " << entry << " starts dark";
    }
    Steps(1);
    const DDBLTCOLOR expected[] = {
        {0x12345678u, 99},  // entry 0 is never written
        {0xFF101010u, 7},  {0xFF101010u, 10}, {0xFF100000u, 7}, {0xFF001000u, 7}, {0xFF000010u, 7},
        {0xFF101000u, 7},  {0xFF100004u, 7},  {0xFF040010u, 7}, {0xFF100000u, 7},
    };
    for (int entry = 0; entry <= 9; ++entry) {
        EXPECT_EQ(FlashColours[entry].dwColor, expected[entry].dwColor) << "entry " << entry;
        EXPECT_EQ(FlashColours[entry].dwColorOp, expected[entry].dwColorOp) << "entry " << entry;
    }
}

TEST_F(FlashColoursTest, ThePulseRisesToItsTopFallsAndTheNinthTurnsColour) {
    Device(1, 32);
    int highest = 0, lowestAfterTop = 255;
    bool fell = false;
    for (int call = 1; call <= 31; ++call) {
        Steps(1);
        const int red = static_cast<int>(FlashColours[3].dwColor >> 16 & 0xFF);
        highest = std::max(highest, red);
        if (red < highest) fell = true;
        if (fell) lowestAfterTop = std::min(lowestAfterTop, red);
        EXPECT_EQ(FlashColours[9].dwColor, FlashColours[3].dwColor) << "call " << call << ": the ninth is red first";
    }
    EXPECT_EQ(highest, 240);
    EXPECT_EQ(lowestAfterTop, 16) << "the bottom is never reached again";
    // The 31st call ended the first falling swing: the ninth is green now.
    Steps(1);
    EXPECT_EQ(FlashColours[9].dwColor, 0xFF001000u);
    EXPECT_EQ(FlashColours[4].dwColor, 0xFF001000u);
}

TEST_F(FlashColoursTest, TheSystemDataSetsTheStep) {
    Device(1, 32);
    SystemData.m_nFlashStep = 64;
    Steps(2);
    EXPECT_EQ(FlashColours[3].dwColor, 0xFF400000u);
    SystemData.m_nFlashStep = -16;  // a damaged file: no pulse, no runaway value
    Game.FlashState = FlashColourState();
    Steps(40);
    EXPECT_EQ(FlashColours[3].dwColor, 0xFF000000u);
}

TEST_F(FlashColoursTest, EightBitPaletteCyclesEveryGroupOfFourOnTheSixthCall) {
    Device(0, 8);
    SystemData.m_bColourCycle = 1;
    for (int i = 0; i < 256; ++i) {
        PaletteWork[i] = {static_cast<BYTE>(i), 0, 0, 0};
        DDPaletteColors[i] = {0, 0, 0, 0};
    }
    Steps(5);
    EXPECT_EQ(PaletteWork[208].peRed, 208);
    EXPECT_EQ(DDPaletteColors[208].peRed, 0) << "nothing shown before the sixth call";
    Steps(1);
    const int shownAfter[][2] = {{208, 209}, {210, 211}, {211, 208}, {212, 213}, {215, 212}, {236, 237}, {239, 236}};
    for (const auto& [entry, from] : shownAfter) {
        EXPECT_EQ(PaletteWork[entry].peRed, from) << "entry " << entry;
        EXPECT_EQ(DDPaletteColors[entry].peRed, from) << "entry " << entry;
    }
    EXPECT_EQ(DDPaletteColors[207].peRed, 0) << "entries outside 208 to 239 stay";
    EXPECT_EQ(DDPaletteColors[240].peRed, 0);
    EXPECT_EQ(PaletteWork[240].peRed, 240);
    EXPECT_EQ(FlashColours[3].dwColor, 0x12345678u) << "no flash colours without the device path";
    Steps(6);
    EXPECT_EQ(PaletteWork[208].peRed, 210) << "and again six calls later";
}

TEST_F(FlashColoursTest, NothingStepsWithoutTheDeviceOrTheCyclingSwitch) {
    for (int i = 0; i < 256; ++i) PaletteWork[i] = {static_cast<BYTE>(i), 0, 0, 0};
    Device(0, 8);
    SystemData.m_bColourCycle = 0;
    Steps(12);
    EXPECT_EQ(PaletteWork[208].peRed, 208);
    Device(0, 32);
    SystemData.m_bColourCycle = 1;
    Steps(12);
    EXPECT_EQ(PaletteWork[208].peRed, 208);
    EXPECT_EQ(FlashColours[1].dwColor, 0x12345678u);
}

}  // namespace
