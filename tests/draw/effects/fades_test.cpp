#include <cstring>

#include "draw/effect_fixture.h"
#include "draw/effects/fades.h"

namespace {

class FadeTest : public DrawTest {
protected:
    // Steps the fade until it reports the end; the results in call order.
    template <class Fade>
    std::vector<bool> Run(Fade fade, double speed, int calls) {
        std::vector<bool> out;
        for (int i = 0; i < calls; ++i) out.push_back(fade(PaletteWork, 0, 255, 0, 0, 0, speed, Palette, 0));
        return out;
    }
};

const std::vector<bool> kTenStepsThenDone = {false, false, false, false, false, false,
                                             false, false, false, false, true};

TEST_F(FadeTest, SpeedNineTakesTenStepsAndAnEleventhDark) {
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        const std::uint32_t grey = m->bD3D ? 0xFF808080u : 0x808080u;
        PutRow(BackBuffer, 0, 0, {grey});
        EXPECT_EQ(Run(ScreenFadeToBlack, 9, 1), std::vector<bool>{false});
        EXPECT_EQ(RawAt(BackBuffer, 0, 0), grey) << "angle 90 shows the picture";
        EXPECT_EQ(Run(ScreenFadeToBlack, 9, 9), std::vector<bool>(9, false));
        EXPECT_EQ(Run(ScreenFadeToBlack, 9, 1), std::vector<bool>{true});
        EXPECT_EQ(RawAt(BackBuffer, 0, 0) & 0xFFFFFFu, 0u);
        PutRow(BackBuffer, 0, 0, {grey});
        EXPECT_EQ(Run(ScreenFadeToBlack, 9, 11), kTenStepsThenDone) << "it starts again at 90";
        EXPECT_EQ(Run(ScreenFadeFromBlack, 9, 11), kTenStepsThenDone);
        DDRelease();
    }
}

TEST_F(FadeTest, DirectDrawFadesTheSnapshotNotItsOwnResult) {
    Start(kDD32);
    PutRow(BackBuffer, 0, 0, {0x808080u});
    Run(ScreenFadeToBlack, 9, 3);  // angles 90, 81, 72
    // 128 * truncate(sin 72° * 256) / 256: 121, not 126 faded again to 119.
    EXPECT_EQ(RawAt(BackBuffer, 0, 0), 0x797979u);
    Run(ScreenFadeToBlack, 9, 8);
}

TEST_F(FadeTest, FinishFlagEndsAtOnce) {
    for (const DrawMode* m : {&kD3D32, &kDD32}) {
        SCOPED_TRACE(m->name);
        Start(*m);
        PutRow(BackBuffer, 0, 0, {0x404040u});
        EXPECT_TRUE(ScreenFadeToBlack(PaletteWork, 0, 255, 0, 0, 0, 9, Palette, 1));
        EXPECT_EQ(RawAt(BackBuffer, 0, 0) & 0xFFFFFFu, 0u);
        EXPECT_TRUE(ScreenFadeFromBlack(PaletteWork, 0, 255, 0, 0, 0, 9, Palette, 1));
        EXPECT_EQ(Run(ScreenFadeToBlack, 9, 11), kTenStepsThenDone);
        DDRelease();
    }
}

TEST_F(FadeTest, EightBitFadeWorksOnThePalette) {
    Start(kDD8);
    for (auto& e : Palette) e = PALETTEENTRY{200, 100, 50, 0};
    Run(ScreenFadeToBlack, 9, 2);  // angle 81: factor 252
    EXPECT_EQ(DDPaletteColors[9].peRed, 200 * 252 >> 8);
    EXPECT_EQ(DDPaletteColors[9].peFlags, 1);
    Run(ScreenFadeToBlack, 9, 9);
    EXPECT_EQ(DDPaletteColors[255].peGreen, 0);
}

TEST_F(FadeTest, AbandonedFadeStartsFromAFreshSnapshot) {
    Start(kDD32);
    PutRow(BackBuffer, 0, 0, {0x808080u});
    Run(ScreenFadeToBlack, 9, 3);
    // The scene is replaced: a new picture, frames pass, its fade begins.
    PutRow(BackBuffer, 0, 0, {0x204060u});
    DDPresent();
    DDPresent();
    EXPECT_EQ(Run(ScreenFadeToBlack, 9, 1), std::vector<bool>{false});
    EXPECT_EQ(RawAt(BackBuffer, 0, 0), 0x204060u) << "the new picture, not the old one dimmed";
    EXPECT_EQ(Run(ScreenFadeToBlack, 9, 10), std::vector<bool>(kTenStepsThenDone.begin() + 1, kTenStepsThenDone.end()));
}

TEST_F(FadeTest, PaletteFadeAndRotation) {
    Start(kDD8);
    PALETTEENTRY pal[256] = {};
    for (int i = 0; i < 256; ++i) pal[i] = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
    PALETTEENTRY out[256] = {};
    PaletteFade(out, 10, 12, 256, 0, 0, 0, pal);
    EXPECT_EQ(out[11].peRed, 11);
    EXPECT_EQ(out[11].peFlags, 1);
    EXPECT_EQ(out[13].peRed, 0) << "outside the range";
    PaletteFade(out, 10, 12, 0, 7, 8, 9, pal);
    EXPECT_EQ(out[12].peBlue, 9);
    PaletteRotate(pal, 208, 211, 1, 1, pal);  // the output may be the source
    EXPECT_EQ((std::vector<int>{pal[208].peRed, pal[209].peRed, pal[210].peRed, pal[211].peRed}),
              (std::vector<int>{209, 210, 211, 208}));
    PaletteRotate(out, 208, 211, 1, 0, pal);
    EXPECT_EQ((std::vector<int>{out[208].peRed, out[209].peRed, out[210].peRed, out[211].peRed}),
              (std::vector<int>{208, 209, 210, 211}));
    PaletteRotate(out, 208, 211, 9, 0, pal);
    EXPECT_EQ(out[208].peRed, 209) << "a count beyond the range only copies";
}

}  // namespace
