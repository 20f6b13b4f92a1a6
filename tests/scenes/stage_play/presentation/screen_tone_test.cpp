#include "scenes/stage_play/presentation/screen_tone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/draw_fixture.h"
#include "draw/effects/fades.h"

namespace {

class ScreenToneTest : public DrawTest {
protected:
    // Frames drawn until the tint ends (at most limit), with the
    // transparency of each.
    std::vector<int> RunToEnd(int limit = 200) {
        std::vector<int> seen;
        while (tone.m_bActive && static_cast<int>(seen.size()) < limit) {
            tone.Draw(&BackBuffer, nullptr, 0);
            seen.push_back(tone.m_nTransparency);
        }
        return seen;
    }
    cScreenTone tone;
};

// Red at 100 % over 6 frames, flashed 3 times: each flash fades in from no
// tint, and the tint ends after 18 frames.
TEST_F(ScreenToneTest, FlashCounting) {
    Start(kD3D32);
    tone.Set({255, 0, 0, 100, 0, 1, 1, 3});
    const std::vector<int> flash = {255, 212, 170, 127, 85, 42};
    std::vector<int> expected;
    for (int n = 0; n < 3; ++n) expected.insert(expected.end(), flash.begin(), flash.end());
    EXPECT_EQ(RunToEnd(), expected);
    EXPECT_EQ(tone.m_nFlashDone, 3);
}

// Without flash the device path holds the full tint until the next request;
// a release fades back out from there over its own duration and ends.
TEST_F(ScreenToneTest, HoldThenReleaseFromWhereTheTintWas) {
    Start(kD3D32);
    tone.Set({0, 0, 255, 50, 0, 1, 0, 0});
    for (int n = 0; n < 20; ++n) {
        DDFillSurfaceColor(&BackBuffer, 0xFFFFFFFFu);
        tone.Draw(&BackBuffer, nullptr, 0);
    }
    EXPECT_EQ(tone.m_bActive, 1);
    EXPECT_EQ(tone.m_nTransparency, 127);
    // The white frame went half way to blue.
    const std::uint32_t tinted = PixelAt(BackBuffer, 10, 10);
    EXPECT_GT((tinted >> 16) & 0xFF, 100u);
    EXPECT_LT((tinted >> 16) & 0xFF, 160u);
    EXPECT_EQ(tinted & 0xFF, 255u);
    tone.Set({9, 9, 9, 0, 1, 1, 0, 0});
    EXPECT_EQ(tone.m_cBlue, 255);  // the release keeps the colour it fades out
    EXPECT_EQ(RunToEnd(), (std::vector<int>{127, 148, 169, 191, 212, 233}));
}

TEST_F(ScreenToneTest, EndsAtTheDurationWithIntensityZeroAndNeverTintsPastFull) {
    Start(kD3D32);
    tone.Set({255, 255, 255, 0, 0, 1, 0, 0});
    EXPECT_EQ(RunToEnd().size(), 6u);
    // Duration 0 tints fully at once; an intensity above 100 % is full.
    tone.Set({255, 255, 255, 250, 0, 0, 0, 0});
    tone.Draw(&BackBuffer, nullptr, 0);
    EXPECT_EQ(tone.m_nTransparency, 0);
    tone.Set({255, 255, 255, 50, 0, -4, 0, 0});
    tone.Draw(&BackBuffer, nullptr, 0);
    EXPECT_EQ(tone.m_nTransparency, 127);
}

// With the frame in the virtual back buffer the tint is blended from the
// work picture filled with the colour.
TEST_F(ScreenToneTest, AReadBackFrameIsTintedThroughTheWorkPicture) {
    Start(kD3D32);
    DDSURFACEDATA work;
    ASSERT_TRUE(DDCreateSurface(&work, 640, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDSetVirBackBuffer(1);
    DDFillSurfaceColor(&BackBuffer, 0xFFFFFFFFu);
    tone.Set({0, 0, 255, 100, 0, 0, 0, 0});
    tone.Draw(&BackBuffer, &work, 0);
    EXPECT_EQ(PixelAt(work, 5, 5) & 0xFFFFFFu, 0x0000FFu);
    DDSetVirBackBuffer(0);
    EXPECT_EQ(PixelAt(BackBuffer, 5, 5) & 0xFFFFFFu, 0x0000FFu);
    DDReleaseSurface(&work);
}

// A release when nothing is tinted is ignored: in the device path when no
// tint is active, in 8-bit DirectDraw when no colour was ever set.
TEST_F(ScreenToneTest, AReleaseWithoutATintDoesNothing) {
    for (const DrawMode* m : {&kD3D32, &kDD8}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        tone = cScreenTone();
        tone.Set({255, 0, 0, 100, 1, 1, 0, 0});
        EXPECT_EQ(tone.m_bActive, 0);
        TearDown();
    }
}

// 8-bit DirectDraw fades the palette and ends at the duration, keeping
// the faded palette; a flash restores the palette at each end. The other
// DirectDraw depths have no tint.
TEST_F(ScreenToneTest, PalettePathAndDroppedRequests) {
    Start(kDD8);
    for (int i = 0; i < 256; ++i) Palette[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
    tone.Set({255, 0, 0, 100, 0, 1, 0, 0});
    tone.Draw(&BackBuffer, nullptr, 1);
    EXPECT_EQ(tone.m_nFrame, 0);  // nothing while the stage does not advance
    EXPECT_EQ(RunToEnd().size(), 6u);
    EXPECT_GT(DDPaletteColors[100].peRed, 200);
    EXPECT_LT(DDPaletteColors[100].peGreen, 40);
    tone.Set({255, 0, 0, 100, 0, 1, 1, 1});
    EXPECT_EQ(RunToEnd().size(), 6u);
    EXPECT_EQ(DDPaletteColors[100].peRed, 100);
    EXPECT_EQ(DDPaletteColors[100].peGreen, 100);
    TearDown();

    Start(kDD16);
    tone = cScreenTone();
    tone.Set({255, 0, 0, 100, 0, 1, 0, 0});
    EXPECT_EQ(RunToEnd().size(), 1u);
}

}  // namespace
