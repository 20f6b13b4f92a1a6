#include "shell/startup/screen_mode.h"

#include <gtest/gtest.h>

namespace {

const std::string kWindowError =
    "画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！";
const std::string kGeneralError = "画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！";

struct ModeCase {
    const char* name;
    ScreenModeChoice in;
    int windowed, depth, vsync;
    bool sizingFrame;
    std::string error;
};

class ScreenModeRules : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ScreenModeRules, Settle) {
    const ModeCase& c = GetParam();
    ScreenMode m = DecideScreenMode(c.in);
    EXPECT_EQ(m.windowed, c.windowed);
    EXPECT_EQ(m.depth, c.depth);
    EXPECT_EQ(m.vsync, c.vsync);
    EXPECT_EQ(m.sizingFrame, c.sizingFrame);
    EXPECT_EQ(m.error, c.error);
}

// Fields: direct3D, windowMode, bpp, vsync, desktopDepth, d3dFullDepth,
// ddFullDepth, fixedKeyColour, versionAtLeast6.
INSTANTIATE_TEST_SUITE_P(
    Cases, ScreenModeRules,
    ::testing::Values(
        ModeCase{"D3DWindowDesktopDepth", {1, 1, 0, 2, 32, 0, 2, 0, true}, 1, 32, 1, false, ""},
        ModeCase{"D3DResizableWindow", {1, 2, 32, 0, 32, 0, 2, 0, true}, 1, 32, 0, true, ""},
        ModeCase{"D3DWindow16On32Desktop", {1, 1, 16, 0, 32, 0, 2, 0, true}, 1, 16, 0, false, kWindowError},
        ModeCase{"D3DFull8", {1, 0, 8, 0, 32, 0, 2, 0, true}, 0, 8, 0, false, kGeneralError},
        ModeCase{"D3DFullPreferred16", {1, 0, 0, 0, 32, 1, 2, 0, true}, 0, 16, 0, false, ""},
        ModeCase{"D3DFullPreferredOther", {1, 0, 0, 0, 16, 5, 2, 0, true}, 0, 32, 0, false, ""},
        ModeCase{"DDWindowVSyncOff", {0, 1, 0, 1, 16, 0, 2, 0, true}, 1, 16, 0, false, ""},
        ModeCase{"DDWindowDesktop24", {0, 1, 0, 0, 24, 0, 2, 0, true}, 1, 24, 0, false, kGeneralError},
        ModeCase{"DDFullDefaultIs8Bit", {0, 0, 0, 2, 32, 0, 2, 0, true}, 0, 8, 0, false, ""},
        ModeCase{"DDFullVSync2BeforeVersion6", {0, 0, 0, 2, 32, 0, 2, 0, false}, 0, 8, 1, false, ""},
        ModeCase{"DDFull8WithFixedKeyIs32", {0, 0, 0, 0, 32, 0, 2, 1, true}, 0, 32, 0, false, ""},
        ModeCase{"DDFull8ChosenWithFixedKey", {0, 0, 8, 0, 32, 0, 2, 1, true}, 0, 8, 0, false, kGeneralError},
        ModeCase{"DDWindow8", {0, 1, 8, 0, 32, 0, 2, 0, true}, 1, 8, 0, false, kGeneralError},
        ModeCase{"DDFullPreferred16", {0, 0, 0, 1, 32, 0, 1, 0, true}, 0, 16, 1, false, ""},
        ModeCase{"DDFull24", {0, 0, 24, 0, 32, 0, 2, 0, true}, 0, 24, 0, false, kGeneralError},
        ModeCase{"DDResizableWindowHasNoSizingFrame", {0, 2, 32, 0, 32, 0, 2, 0, true}, 1, 32, 0, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
