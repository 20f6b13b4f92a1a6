#pragma once
// A device, a stage frame of coloured tiles, the work pictures of the
// screen effects and a screen-effect table made by the test.
#include <cmath>
#include <initializer_list>
#include <vector>

#include "draw/draw_fixture.h"
#include "gamedata/database/effect_tables.h"
#include "scenes/stage_play/presentation/screen_effects.h"

constexpr int kUncoveredColour = 16;

// A screen-effect entry of a kind with its parameters p0 to p4.
inline cScrEffect ScreenEntry(int kind, std::initializer_list<int> params) {
    cScrEffect e;
    e.m_nKind = kind;
    int i = 0;
    for (const int p : params) e.m_nParam[i++] = p;
    return e;
}

class ScreenEffectTest : public DrawTest {
protected:
    // Starts the device and makes entry 1, 2, ... of the table from the
    // given entries (entry 0 is "none").
    void StartWith(const DrawMode& m, const std::vector<cScrEffect>& entries) {
        Start(m);
        for (int i = 1; i <= kUncoveredColour; ++i)
            Palette[i] = PALETTEENTRY{BYTE(i * 15), BYTE(255 - i * 13), BYTE(i * 97 % 256), 0};
        Palette[kUncoveredColour] = PALETTEENTRY{40, 40, 40, 0};
        std::copy(std::begin(Palette), std::end(Palette), DDPaletteColors);
        Database.ScrEffect.assign(1, ScreenEntry(0, {}));
        for (const cScrEffect& e : entries) Database.ScrEffect.push_back(e);
        CopyEffectTables();
        BuildScreenEffectTemplates();
        ASSERT_TRUE(DDCreateSurface(&copy, 640, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        ASSERT_TRUE(DDCreateSurface(&copyB, 640, 480, 1, 1, DTMEMORYTYPE_VIDEO_RT, 0, 0));
        target.lpFrame = &BackBuffer;
        target.lpCopy = &copy;
        target.lpCopyB = &copyB;
        target.lpZoomCopy = &copyB;
    }

    void TearDown() override {
        DDReleaseSurface(&copy);
        DDReleaseSurface(&copyB);
        Database.ScrEffect.clear();
        Database.ScrEffectCopy.clear();
        ScreenEffectTemplates.clear();
        ScreenEffectTemplatesRev.clear();
        DrawTest::TearDown();
    }

    // The stage frame: 40-pixel tiles of colours 1 to 15.
    static void DrawStage() {
        for (int row = 0; row < 12; ++row) {
            for (int col = 0; col < 16; ++col)
                PalNumToRGB(&BackBuffer, col * 40, row * 40, 40, 40, 1 + (col + 2 * row) % 15);
        }
    }

    // One frame of stage play: the stage, then the effect.
    void Frame(int noAdvance = 0) {
        DrawStage();
        DrawScreenEffect(run, target, noAdvance);
    }

    // Frames until the effect's number went back to 0 (at most limit).
    int FramesToEnd(int limit) {
        for (int n = 1; n <= limit; ++n) {
            Frame();
            if (run.nEffect == 0) return n;
        }
        return -1;
    }

    static std::uint32_t Colour(int n) {
        const PALETTEENTRY& e = Palette[n];
        return 0xFF000000u | std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
    }
    static std::uint32_t StageColourAt(int x, int y) { return Colour(1 + (x / 40 + 2 * (y / 40)) % 15); }

    DDSURFACEDATA copy, copyB;
    ScreenEffectTarget target;
    cScreenEffectRun run;
};
