// The start-up steps that bring the screen up: the stored window placement,
// showing the window, the palette and the transparent colours, the present
// choice and the 8-bit blend table with its palette arrangement.
#include "shell/startup/screen_startup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "draw/device/surface_table.h"
#include "draw/draw_fixture.h"
#include "draw/effects/blend_blits.h"
#include "gamedata/project/system_data.h"
#include "platform/dialog_window.h"
#include "platform/message_box.h"
#include "shell/loop/blend_palette.h"
#include "shell/shell_fixture.h"
#include "shell/window/window_data.h"
#include "support/test_env.h"

namespace {

// ---- the window: where it goes and how it shows ----

struct PlacementCase {
    const char* name;
    int windowMode;
    int direct3D;
    bool stored;
    cWindowData file;  // written as "user_data\Window.dat" when stored
    RECT window;       // left, top, right, bottom afterwards
    int showCommand;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

cWindowData Stored(int x, int y, int w, int h, int maximised) {
    cWindowData d;
    d.m_nX = x;
    d.m_nY = y;
    d.m_nWidth = w;
    d.m_nHeight = h;
    d.m_nMaximized = maximised;
    return d;
}

class WindowPlacementOnStart : public MainWindowTest, public ::testing::WithParamInterface<PlacementCase> {
protected:
    void TearDown() override {
        SystemIni.WindowMode = 0;
        SystemIni.Direct3D = 0;
        MainWindowTest::TearDown();
    }
};

TEST_P(WindowPlacementOnStart, PutsTheWindowWhereItWasLeft) {
    const PlacementCase& c = GetParam();
    MoveWindowClient(m_hwnd, 640, 300, 640, 480);  // centred on the desktop
    if (c.stored) {
        m_dir.WriteHostFile("user_data/.keep", "");
        cWindowData file = c.file;
        ASSERT_EQ(file.SaveFile(kWindowDataPath), 1);
    }
    SystemIni.WindowMode = c.windowMode;
    SystemIni.Direct3D = c.direct3D;
    int show = SW_SHOWNORMAL;
    EXPECT_TRUE(PlaceMainWindow(show));
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    EXPECT_EQ(r.left, c.window.left);
    EXPECT_EQ(r.top, c.window.top);
    EXPECT_EQ(r.right, c.window.right);
    EXPECT_EQ(r.bottom, c.window.bottom);
    EXPECT_EQ(show, c.showCommand);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlacementOnStart,
    ::testing::Values(
        PlacementCase{"FirstStartStaysCentred", 1, 0, false, {}, {640, 300, 1280, 780}, SW_SHOWNORMAL},
        PlacementCase{"FullScreenSettingIgnoresTheFile",
                      0,
                      0,
                      true,
                      Stored(10, 20, 800, 600, 1),
                      {640, 300, 1280, 780},
                      SW_SHOWNORMAL},
        PlacementCase{
            "WindowTakesTheCornerOnly", 1, 1, true, Stored(10, 20, 800, 600, 0), {10, 20, 650, 500}, SW_SHOWNORMAL},
        PlacementCase{"DirectDrawResizableTakesTheCornerOnly",
                      2,
                      0,
                      true,
                      Stored(10, 20, 800, 600, 0),
                      {10, 20, 650, 500},
                      SW_SHOWNORMAL},
        PlacementCase{"ResizableDirect3DTakesTheSizeToo",
                      2,
                      1,
                      true,
                      Stored(10, 20, 800, 600, 0),
                      {10, 20, 810, 620},
                      SW_SHOWNORMAL},
        PlacementCase{"SizeBeyondTheWorkAreaAndTooSmallAreClamped",
                      2,
                      1,
                      true,
                      Stored(-40, 9000, 5000, 50, 0),
                      {0, 1080, 1920, 1180},
                      SW_SHOWNORMAL},
        PlacementCase{"ClosedMaximisedShowsMaximised",
                      1,
                      0,
                      true,
                      Stored(10, 20, 800, 600, 1),
                      {10, 20, 650, 500},
                      SW_SHOWMAXIMIZED}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShowCase {
    const char* name;
    bool direct3D;
    int windowMode;
    int showCommand;
    bool maximised;
};

void PrintTo(const ShowCase& c, std::ostream* os) { *os << c.name; }

class ShowWindowOnStart : public MainWindowTest, public ::testing::WithParamInterface<ShowCase> {
protected:
    void TearDown() override {
        DDRelease();
        SystemIni.WindowMode = 0;
        MainWindowTest::TearDown();
    }
};

TEST_P(ShowWindowOnStart, MaximisesOnlyAFullScreenDirectDrawDisplayOrWhenAsked) {
    const ShowCase& c = GetParam();
    TestEnv env;  // the display section goes to a fresh run report
    SystemIni.WindowMode = c.windowMode;
    ShowWindow(m_hwnd, SW_HIDE);
    ASSERT_TRUE(DDInit(c.direct3D ? 1 : 0, m_hwnd, 640, 480, 32, 1, c.windowMode, 1, 60, 0, nullptr, nullptr, 0, 0));
    EXPECT_TRUE(ShowMainWindow(c.showCommand));
    EXPECT_TRUE(IsWindowVisible(m_hwnd));
    EXPECT_EQ(IsZoomed(m_hwnd) != FALSE, c.maximised);
    EXPECT_NE(env.Report().find(c.windowMode ? "Mode : Window\r\n" : "Mode : Fullscreen\r\n"), std::string::npos)
        << env.Report();
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowWindowOnStart,
                         ::testing::Values(ShowCase{"DirectDrawWindow", false, 1, SW_SHOWNORMAL, false},
                                           ShowCase{"DirectDrawFullScreen", false, 0, SW_SHOWNORMAL, true},
                                           ShowCase{"Direct3DFullScreenAsAsked", true, 0, SW_SHOWNORMAL, false},
                                           ShowCase{"DirectDrawWindowClosedMaximised", false, 1, SW_SHOWMAXIMIZED,
                                                    true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the device: present, palette, transparent colours, blend table ----

// Entry i of the palette picture's colour table: (i, 255 - i, 7 i).
std::uint32_t PictureColour(int i) {
    return static_cast<std::uint32_t>(i) << 16 | static_cast<std::uint32_t>(255 - i) << 8 |
           static_cast<std::uint32_t>(i * 7 & 255);
}

class ScreenDeviceTest : public DrawTest {
protected:
    void SetUp() override {
        platform::ClearMessageBoxes();
        m_picture = SurfaceTable[0].fileName;
        std::strcpy(SurfaceTable[0].fileName, "pal.bmp");
        m_system = SystemData;
        m_useBlit = UseBlitPresent;
        m_windowed = ScreenWindowed;
        m_vsync = SystemIni.VSync;
    }
    void TearDown() override {
        std::strcpy(SurfaceTable[0].fileName, m_picture.c_str());
        SystemData = m_system;
        UseBlitPresent = m_useBlit;
        ScreenWindowed = m_windowed;
        SystemIni.VSync = m_vsync;
        platform::ClearMessageBoxes();
        DrawTest::TearDown();
    }
    void WritePalettePicture() {
        std::vector<std::uint32_t> table;
        for (int i = 0; i < 256; ++i) table.push_back(PictureColour(i));
        dir.WriteHostFile("pal.bmp", Bmp8(1, 1, table, {0}));
    }
    static std::uint32_t Rgb(const PALETTEENTRY& e) {
        return static_cast<std::uint32_t>(e.peRed) << 16 | static_cast<std::uint32_t>(e.peGreen) << 8 | e.peBlue;
    }

    std::string m_picture;
    cSystemData m_system;
    int m_useBlit = 1;
    int m_windowed = 1;
    int m_vsync = 0;
};

TEST_F(ScreenDeviceTest, PresentByBlitInAWindowWithoutVSyncOrOnASlowDisplay) {
    struct {
        const char* what;
        const DrawMode& mode;
        int windowed, vsync, refresh, blit;
    } const cases[] = {
        {"window", kDD32, 1, 1, 60, 1},
        {"full screen without VSync", kDD32, 0, 0, 60, 1},
        {"full screen slower than the frame rate", kDD32, 0, 1, 59, 1},
        {"full screen at the frame rate flips", kDD32, 0, 1, 60, 0},
        {"full screen faster flips", kDD32, 0, 1, 75, 0},
        {"Direct3D leaves it as it was", kD3D32, 0, 1, 60, 7},
    };
    Game.FrameRate = 60;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.mode);
        DDSoftwareCaps.nDisplayRefreshRate = c.refresh;
        ScreenWindowed = c.windowed;
        SystemIni.VSync = c.vsync;
        UseBlitPresent = 7;
        EXPECT_TRUE(ChoosePresent());
        EXPECT_EQ(UseBlitPresent, c.blit);
        DDRelease();
    }
}

struct KeyCase {
    const char* name;
    const DrawMode* mode;
    int fixed;
    std::array<BYTE, 3> key16;  // blue, green, red of the 16-bit pictures' key
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class TransparentColour : public ScreenDeviceTest, public ::testing::WithParamInterface<KeyCase> {};

// The picture's corner is (10, 20, 30); the project's colour (200, 100, 50).
TEST_P(TransparentColour, TheProjectsColourKeysSixteenBitPicturesWhenFixed) {
    const KeyCase& c = GetParam();
    Start(*c.mode);
    std::vector<std::uint32_t> table(256, 0x102030u);
    table[0] = 0x0A141Eu;
    dir.WriteHostFile("pal.bmp", Bmp8(1, 1, table, {0}));
    SystemData.m_bFixedKeyColour = c.fixed;
    SystemData.m_cKeyRed = 200;
    SystemData.m_cKeyGreen = 100;
    SystemData.m_cKeyBlue = 50;
    ASSERT_TRUE(LoadPaletteAndKey());
    const BYTE* key16 = lpDTCon ? lpDTCon->rgbTransmit_16 : lpDDCon->rgbTransmit_16;
    EXPECT_EQ((std::array<BYTE, 3>{key16[0], key16[1], key16[2]}), c.key16);
    if (c.mode->bpp == 32) {
        // The key of every picture: the project's colour when fixed, else
        // the palette picture's corner.
        const BYTE* key = lpDTCon ? lpDTCon->rgbTransmit : lpDDCon->rgbTransmit;
        const std::array<BYTE, 3> expected =
            c.fixed ? std::array<BYTE, 3>{50, 100, 200} : std::array<BYTE, 3>{30, 20, 10};
        EXPECT_EQ((std::array<BYTE, 3>{key[0], key[1], key[2]}), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TransparentColour,
                         ::testing::Values(KeyCase{"Direct3D16Fixed", &kD3D16Window, 1, {50, 100, 200}},
                                           KeyCase{"Direct3D16FromThePicture", &kD3D16Window, 0, {30, 20, 10}},
                                           KeyCase{"DirectDraw16Fixed", &kDD16, 1, {50, 100, 200}},
                                           KeyCase{"Direct3D32FixedKeysEveryPicture", &kD3D32, 1, {0, 0, 0}},
                                           KeyCase{"DirectDraw32FixedKeysEveryPicture", &kDD32, 1, {0, 0, 0}},
                                           KeyCase{"DirectDraw32FromThePicture", &kDD32, 0, {0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScreenDeviceTest, AMissingPalettePictureFailsTheStep) {
    Start(kDD32);
    EXPECT_FALSE(LoadPaletteAndKey());
}

struct ArrangementCase {
    int palette;
    // (entry, the picture's entry whose colour it shows)
    std::vector<std::pair<int, int>> entries;
};

void PrintTo(const ArrangementCase& c, std::ostream* os) { *os << "palette " << c.palette; }

class BlendPalette : public ScreenDeviceTest, public ::testing::WithParamInterface<ArrangementCase> {};

TEST_P(BlendPalette, ArrangesTheTwelveColourBlocksForThePaletteNumber) {
    const ArrangementCase& c = GetParam();
    Start(kDD8);
    WritePalettePicture();
    char file[32];
    std::snprintf(file, sizeof file, "bmp/hbt/hbt%02d.dat", c.palette);
    dir.WriteHostFile(file, std::string(65536, static_cast<char>(c.palette + 1)));
    std::memset(BlendTable, 0, sizeof BlendTable);
    ASSERT_EQ(LoadHbtPalette(c.palette), 1);
    EXPECT_EQ(BlendTable[65535], c.palette + 1) << "the table of this palette number";
    for (const auto& [entry, source] : c.entries) {
        EXPECT_EQ(Rgb(Palette[entry]), PictureColour(source)) << "entry " << entry;
    }
    for (int i : {0, 15, 208, 255}) EXPECT_EQ(Rgb(Palette[i]), PictureColour(i)) << "entry " << i << " stays";
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(Rgb(PaletteWork[i]), Rgb(Palette[i])) << i;
        ASSERT_EQ(Rgb(DDPaletteColors[i]), Rgb(Palette[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, BlendPalette,
                         ::testing::Values(ArrangementCase{0, {{16, 16}, {100, 100}, {207, 207}}},
                                           // Block 3 comes first, blocks 1 and 2 go to the end.
                                           ArrangementCase{2, {{16, 48}, {175, 207}, {176, 16}, {207, 47}}},
                                           ArrangementCase{11, {{16, 192}, {31, 207}, {32, 16}, {207, 191}}},
                                           // 12 and above repeat block n - 11 everywhere.
                                           ArrangementCase{12, {{16, 16}, {47, 31}, {200, 24}, {207, 31}}},
                                           ArrangementCase{13, {{16, 32}, {100, 36}, {207, 47}}},
                                           ArrangementCase{23, {{16, 192}, {33, 193}, {207, 207}}}),
                         [](const auto& info) { return "Palette" + std::to_string(info.param.palette); });

TEST_F(ScreenDeviceTest, TheBlendTableIsReadOnlyAtEightBitsAndAMissingOneIsShown) {
    WritePalettePicture();
    struct {
        const char* what;
        const DrawMode& mode;
        bool table, picture;
        int result;
        const char* box;
    } const cases[] = {
        {"missing table", kDD8, false, true, 0, "bmp\\hbt\\hbt05.dat の読み込みに失敗！"},
        {"missing palette picture", kDD8, true, false, 0, nullptr},
        {"16 bits need no table", kDD16, false, true, 1, nullptr},
        {"Direct3D needs no table", kD3D32, false, true, 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::ClearMessageBoxes();
        Start(c.mode);
        std::remove((dir.HostPath() + "/bmp/hbt/hbt05.dat").c_str());
        if (c.table) dir.WriteHostFile("bmp/hbt/hbt05.dat", std::string(65536, '\5'));
        std::strcpy(SurfaceTable[0].fileName, c.picture ? "pal.bmp" : "none.bmp");
        std::memset(BlendTable, 0, sizeof BlendTable);
        EXPECT_EQ(LoadHbtPalette(5), c.result);
        const auto boxes = platform::RecordedMessageBoxes();
        if (c.box) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.box);
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        if (c.result == 1) { EXPECT_EQ(BlendTable[0], 0) << "nothing read"; }
        DDRelease();
    }
}

}  // namespace
