// How the main window shows the frame for each screen mode of System.ini:
// a fixed window, a window the player resizes, or the whole display; and a
// full screen that the display refuses, played in a window instead.
#include <gtest/gtest.h>

#include <string>

#include "draw/device.h"
#include "platform/cursor.h"
#include "platform/headless_input.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/drawing_device.h"
#include "shell_fixture.h"
#include "support/test_env.h"

namespace {

class WindowDisplayTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_saved = SystemIni;
        platform::ResetCursorCount();
        platform::ClearMessageBoxes();
    }
    void TearDown() override {
        ReleaseDrawingDevice();
        platform::headless::SetFullScreenAvailable(true);
        platform::ResetCursorCount();
        SystemIni = m_saved;
        ScreenWindowed = 1;
        MainWindowTest::TearDown();
    }
    // Settles the mode and starts the device as start-up does.
    bool Start(int direct3D, int windowMode, int bpp) {
        SystemIni.Direct3D = direct3D;
        SystemIni.WindowMode = windowMode;
        SystemIni.Bpp = bpp;
        return SettleScreenMode() && StartDrawingDevice();
    }

    cSystemIni m_saved;
};

struct ModeCase {
    const char* name;
    int direct3D;
    int windowMode;
    int bpp;
    WindowDisplay display;
    bool pointerShown;
};

const ModeCase kModes[] = {
    {"device window", 1, 1, 32, WindowDisplay::Fixed, true},
    {"device resizable window", 1, 2, 32, WindowDisplay::Resizable, true},
    {"device full screen", 1, 0, 32, WindowDisplay::FullScreen, false},
    {"DirectDraw window", 0, 1, 32, WindowDisplay::Fixed, true},
    {"DirectDraw full screen at 8 bits", 0, 0, 8, WindowDisplay::FullScreen, false},
    {"DirectDraw full screen at 16 bits", 0, 0, 16, WindowDisplay::FullScreen, false},
};

}  // namespace

TEST_F(WindowDisplayTest, EachScreenModeShowsTheFrameItsWay) {
    for (const ModeCase& c : kModes) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Start(c.direct3D, c.windowMode, c.bpp));
        EXPECT_EQ(lpDTCon != nullptr, c.direct3D == 1);
        EXPECT_EQ(GetWindowDisplay(m_hwnd), c.display);
        EXPECT_EQ(platform::CursorShown(), c.pointerShown);
        EXPECT_EQ(DDSetting.nWindowMode, c.windowMode != 0 ? 1 : 0);
        ReleaseDrawingDevice();
        ASSERT_TRUE(SetWindowDisplay(m_hwnd, WindowDisplay::Fixed));
        platform::ResetCursorCount();
    }
}

TEST_F(WindowDisplayTest, AFullScreenTheDisplayRefusesPlaysInAWindowInEitherPath) {
    for (const int direct3D : {1, 0}) {
        SCOPED_TRACE(direct3D);
        TestEnv env;
        platform::headless::SetFullScreenAvailable(false);
        ASSERT_TRUE(Start(direct3D, 0, direct3D ? 32 : 8));
        EXPECT_EQ(GetWindowDisplay(m_hwnd), WindowDisplay::Fixed);
        EXPECT_EQ(DDSetting.nWindowMode, 1);
        EXPECT_EQ(lpDTCon != nullptr, direct3D == 1) << "the path System.ini asked for";
        EXPECT_TRUE(platform::CursorShown()) << "the pointer is over the window";
        EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u) << "one box";
        const std::string report = env.Report();
        const std::string line = "Fullscreen Err : Window";
        ASSERT_NE(report.find(line), std::string::npos) << report;
        EXPECT_EQ(report.find(line, report.find(line) + 1), std::string::npos) << "one line";
        ReleaseDrawingDevice();
        platform::ClearMessageBoxes();
        SystemIni = m_saved;
    }
}
