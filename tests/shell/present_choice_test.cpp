// How a finished frame reaches the display, per drawing path, window or full
// screen, the start-up's present choice and the running stage's frame rate,
// read from the steps the platform's present records.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "draw/device.h"
#include "gamedata/project/global_data.h"
#include "platform/present.h"
#include "scenes/modes.h"
#include "shell/app_state.h"
#include "shell/drawing_device.h"
#include "shell/game.h"
#include "shell/screen_startup.h"

namespace {

using platform::PresentStep;

constexpr PresentStep kWait = PresentStep::WaitForBlank;
constexpr PresentStep kFlip = PresentStep::Flip;
constexpr PresentStep kBlit = PresentStep::Blit;

struct PresentCase {
    const char* name;
    int direct3D;
    int windowMode;
    int useBlitPresent;
    bool stagePlays;  // the stage-play scene exists
    int stageFps;     // the loaded stage's frame rate
    std::vector<PresentStep> steps;
};

const PresentCase kCases[] = {
    {"Direct3D window", 1, 1, 1, true, 60, {kBlit}},
    {"Direct3D window, stage at 120", 1, 1, 1, true, 120, {kBlit}},
    {"Direct3D full screen", 1, 0, 1, true, 60, {kBlit}},
    {"DirectDraw window, title", 0, 1, 1, false, 60, {kWait, kBlit}},
    {"DirectDraw window, stage at 60", 0, 1, 1, true, 60, {kWait, kBlit}},
    {"DirectDraw window, stage at 120", 0, 1, 1, true, 120, {kBlit}},
    {"DirectDraw window, a stage at 120 loaded but not playing", 0, 1, 1, false, 120, {kWait, kBlit}},
    {"DirectDraw full screen flipping, stage at 60", 0, 0, 0, true, 60, {kFlip}},
    {"DirectDraw full screen flipping, stage at 120", 0, 0, 0, true, 120, {kBlit}},
    {"DirectDraw full screen flipping, title", 0, 0, 0, false, 120, {kFlip}},
    {"DirectDraw full screen blitting, stage at 60", 0, 0, 1, true, 60, {kBlit}},
    {"DirectDraw full screen blitting, stage at 120", 0, 0, 1, true, 120, {kBlit}},
};

class PresentChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = SystemIni;
        RegisterSceneFactory(kModeStage, [] { return std::make_unique<cMode>(); });
    }
    void TearDown() override {
        Game.DeleteModes();
        ReleaseDrawingDevice();
        SystemIni = m_saved;
        UseBlitPresent = 1;
        ScreenWindowed = 1;
        LoadedStage.m_nFps = 60;
        Game.FrameRate = 60;
        RegisterScenes();
    }

    cSystemIni m_saved;
};

}  // namespace

TEST_F(PresentChoiceTest, EachPathWindowModePresentChoiceAndStageRateShowsTheFrameItsWay) {
    for (const PresentCase& c : kCases) {
        SCOPED_TRACE(c.name);
        SystemIni.Direct3D = c.direct3D;
        SystemIni.WindowMode = c.windowMode;
        SystemIni.Bpp = 32;
        ASSERT_TRUE(StartDrawingDevice());
        ASSERT_EQ(lpDTCon != nullptr, c.direct3D == 1);
        UseBlitPresent = c.useBlitPresent;
        LoadedStage.m_nFps = c.stageFps;
        Game.DeleteModes();
        if (c.stagePlays) Game.SwitchMode(kModeStage);
        Game.FrameRate = 0;
        platform::TakePresentSteps();
        const long long before = platform::PresentedFrameSerial();
        Game.Present();
        EXPECT_EQ(platform::TakePresentSteps(), c.steps);
        EXPECT_EQ(platform::PresentedFrameSerial(), before + 1) << "every way shows the frame once";
        Game.DeleteModes();
        ReleaseDrawingDevice();
    }
}

TEST_F(PresentChoiceTest, StartUpChoosesFlippingOnlyFullScreenWithVSyncOnADisplayAsFastAsTheGame) {
    struct Case {
        int windowMode;
        int vsync;
        int refresh;
        int useBlit;
    };
    for (const Case c : {Case{0, 1, 60, 0}, Case{1, 1, 60, 1}, Case{0, 0, 60, 1}, Case{0, 1, 50, 1}}) {
        SCOPED_TRACE(testing::Message() << c.windowMode << c.vsync << c.refresh);
        SystemIni.Direct3D = 0;
        SystemIni.WindowMode = c.windowMode;
        SystemIni.VSync = c.vsync;
        SystemIni.Bpp = 32;
        DDSoftwareCaps.nDisplayRefreshRate = c.refresh;
        Game.FrameRate = 60;
        ASSERT_TRUE(StartDrawingDevice());
        ASSERT_TRUE(ChoosePresent());
        EXPECT_EQ(UseBlitPresent, c.useBlit);
        ReleaseDrawingDevice();
    }
    DDSoftwareCaps = DDSOFTWARECAPS();
}
