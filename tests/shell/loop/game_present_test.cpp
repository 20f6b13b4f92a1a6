// The game loop shows the drawing device's back buffer: the start-up step
// that starts the device, the present and pacing of each path, the restore
// request of a lost device, and the release at shut-down.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "draw/device/device.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/surface_sets.h"
#include "draw/text/font.h"
#include "foundation/frame_timer.h"
#include "foundation/report.h"
#include "gamedata/global_data.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/present.h"
#include "platform/system_info.h"
#include "sample_game.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "shell/shell_fixture.h"
#include "shell/startup/drawing_device.h"
#include "shell/startup/startup.h"
#include "support/test_env.h"

namespace {

// The device settings of "System.ini" each test changes, restored after it.
class DeviceSettings {
public:
    DeviceSettings() : m_saved(SystemIni) {}
    ~DeviceSettings() {
        Game.DeleteScenes();
        ReleaseDrawingDevice();
        SystemIni = m_saved;
        ScreenWindowed = 1;
        DDSoftwareCaps = DDSOFTWARECAPS();
        Game.FrameRate = 60;
    }

private:
    cSystemIni m_saved;
};

std::uint32_t PresentedPixel(int x, int y) {
    const platform::Frame f = platform::LastPresentedFrame();
    if (f.width <= x || f.height <= y) return 0xDEADBEEFu;
    return f.pixels[static_cast<std::size_t>(y) * f.width + x];
}

struct PathCase {
    const char* name;
    int direct3D;
    int bpp;
    bool expectDevicePath;  // the Direct3D path runs (else DirectDraw)
    DWORD fill;             // in the colour the path's fill takes
    std::uint32_t shown;    // 0x00RRGGBB on the screen
};

// Each path presents the back buffer in its own format; at 8 bits through
// the palette the window start sets (entry i = (i, i, 0)). A Direct3D start
// at 8 bits fails and falls back to DirectDraw with the same depth.
const PathCase kPaths[] = {
    {"D3D32", 1, 32, true, 0xFFFF00FFu, 0xFF00FF}, {"D3D16", 1, 16, true, 0xFF00FFFFu, 0x00FFFF},
    {"DD32", 0, 32, false, 0x00FF00FFu, 0xFF00FF}, {"DD16", 0, 16, false, 0xF81Fu, 0xFF00FF},
    {"DD8", 0, 8, false, 200, 0xC8C800},           {"D3D8 falls back to DD8", 1, 8, false, 200, 0xC8C800},
};

}  // namespace

TEST(GamePresentTest, EveryPathStartsAndATickShowsItsBackBuffer) {
    for (const PathCase& c : kPaths) {
        SCOPED_TRACE(c.name);
        DeviceSettings settings;
        SystemIni.Direct3D = c.direct3D;
        SystemIni.Bpp = c.bpp;
        ASSERT_TRUE(StartDrawingDevice());
        EXPECT_EQ(lpDTCon != nullptr, c.expectDevicePath);
        EXPECT_EQ(lpDDCon != nullptr, !c.expectDevicePath);
        EXPECT_EQ(SystemIni.Direct3D, c.expectDevicePath ? 1 : 0);
        Game.FrameRate = 0;
        ASSERT_TRUE(DDFillRectColor(&BackBuffer, 100, 50, 8, 8, c.fill));
        const long long before = platform::PresentedFrameSerial();
        ASSERT_EQ(Game.Tick(), 1);
        EXPECT_EQ(platform::PresentedFrameSerial(), before + 1);
        EXPECT_EQ(PresentedPixel(103, 52), c.shown);
        EXPECT_EQ(PresentedPixel(99, 52), 0u) << "the rest is the cleared back buffer";
    }
}

TEST(GamePresentTest, TheDeviceRecordKeepsTheTextureFailureText) {
    DeviceSettings settings;
    ASSERT_TRUE(StartDrawingDevice());
    ASSERT_TRUE(lpDTCon);
    EXPECT_EQ(lpDTCon->strTextureErr.rfind("テクスチャの作成に失敗しました！", 0), 0u);
}

TEST(GamePresentTest, NoPathStartsAtAnUnknownDepth) {
    DeviceSettings settings;
    SystemIni.Bpp = 24;
    EXPECT_FALSE(StartDrawingDevice());
}

struct PacingCase {
    const char* name;
    int direct3D;
    int vsync;
    int frameRate;
    int ticks;
    DWORD atLeast;  // ms the ticks take on the test clock
    DWORD below;
};

// The Direct3D path waits in its present; DirectDraw's limiter waits 1000 /
// fps whole milliseconds, and its window present then waits for the
// display's next 60 Hz refresh. The present itself never blocks on the display,
// so with VSync on the frames wait for the display's 60 Hz refresh even when
// a stage asks for 120.
const PacingCase kPacing[] = {
    {"Direct3D at 60", 1, 0, 60, 7, 100, 110},
    {"Direct3D at 120", 1, 0, 120, 13, 100, 110},
    {"Direct3D with VSync, stage at 120", 1, 1, 120, 7, 100, 110},
    {"DirectDraw at 60", 0, 0, 60, 7, 110, 120},
};

TEST(GamePresentTest, EachPathPacesTheTickAtTheFrameRate) {
    for (const PacingCase& c : kPacing) {
        SCOPED_TRACE(c.name);
        DeviceSettings settings;
        SystemIni.Direct3D = c.direct3D;
        SystemIni.VSync = c.vsync;
        platform::TestClock clock(1000);
        ResetFrameTimer();
        ASSERT_TRUE(StartDrawingDevice());
        Game.FrameRate = c.frameRate;
        for (int i = 0; i < c.ticks; ++i) ASSERT_EQ(Game.Tick(), 1);
        const DWORD took = clock.Now() - 1000;
        EXPECT_GE(took, c.atLeast);
        EXPECT_LT(took, c.below);
    }
    ResetFrameTimer();
}

TEST_F(MainWindowTest, ALostDeviceInAWindowIsRestoredThroughTheWindowAndFullScreenWaits) {
    struct Case {
        int windowMode;
        bool restored;
    };
    for (const Case c : {Case{1, true}, Case{0, false}}) {
        SCOPED_TRACE(c.windowMode);
        DeviceSettings settings;
        SystemIni.WindowMode = c.windowMode;
        ASSERT_TRUE(StartDrawingDevice());
        Game.FrameRate = 0;
        DDSimulateDeviceLost(true);
        const long long before = platform::PresentedFrameSerial();
        ASSERT_EQ(Game.Tick(), 1);
        EXPECT_EQ(platform::PresentedFrameSerial(), before) << "a lost device shows nothing";
        ASSERT_TRUE(lpDTCon);
        EXPECT_EQ(lpDTCon->bDeviceLost == 0, c.restored);
        ASSERT_EQ(Game.Tick(), 1);
        EXPECT_EQ(platform::PresentedFrameSerial(), before + (c.restored ? 1 : 0));
    }
}

TEST(GamePresentTest, ATickInTheDirectDrawPathRestoresLostSurfacesBeforeTheSceneRuns) {
    DeviceSettings settings;
    SystemIni.Direct3D = 0;
    ASSERT_TRUE(StartDrawingDevice());
    Game.FrameRate = 0;
    DDSimulateDeviceLost(false);
    ASSERT_TRUE(DDPrimarySD.lpDD);
    ASSERT_EQ(DDPrimarySD.lpDD->bSurfaceLost, 1);
    const long long before = platform::PresentedFrameSerial();
    ASSERT_EQ(Game.Tick(), 1);
    EXPECT_EQ(DDPrimarySD.lpDD->bSurfaceLost, 0);
    EXPECT_EQ(platform::PresentedFrameSerial(), before + 1);
}

TEST(GamePresentTest, StartUpLoadsAFreshGameFolderStartsTheDeviceAndShutDownReleasesIt) {
    TestEnv env;
    std::string error;
    const std::string game = env.Dir().HostPath() + "/game";
    ASSERT_TRUE(WriteSampleGame(game, &error)) << error;
    ASSERT_TRUE(platform::SetCurrentDirectoryInternal(platform::InternalPath(game)));
    DeviceSettings settings;
    platform::ClearMessageBoxes();
    ASSERT_TRUE(InitGame("", 0));
    // The game ships its project in "data": nothing is asked; start-up makes
    // the working folders.
    EXPECT_TRUE(platform::IsDirectory("data\\database"));
    EXPECT_TRUE(platform::IsDirectory("user_data"));
    EXPECT_EQ(platform::RecordedMessageBoxes().size(), 0u);
    // Databases, the tables derived from them, the system data and System.ini.
    EXPECT_EQ(Database.Sound.Count(), 7);
    EXPECT_GT(Database.Anime.Count(), 1);
    EXPECT_GT(Database.Effect.Count(), 1);
    EXPECT_EQ(AnimeSequences.Count(), Database.Anime.Count());
    EXPECT_EQ(EffectSequences.Count(), Database.Effect.Count());
    EXPECT_EQ(SystemData.m_strTitle, "スターランナー");
    EXPECT_EQ(SystemIni.WindowMode, 1);  // the default is full screen
    const std::string report = env.Report();
    EXPECT_EQ(report.find("失敗"), std::string::npos) << report;
    EXPECT_EQ(report.find("failed"), std::string::npos) << report;
    EXPECT_TRUE(lpDTCon);
    EXPECT_EQ(BackBuffer.nWidth, 640);
    // The default fonts and their digit strips: ten pitches by a line pitch.
    EXPECT_EQ(FontList.size(), 3u);
    EXPECT_EQ(Fonts[1].m_nHeight, 16);
    EXPECT_EQ(DigitSurfaces[0].nWidth, 100);
    EXPECT_EQ(DigitSurfaces[2].nHeight, 32);
    ExitGame();
    EXPECT_EQ(DigitSurfaces[1].Pixels(), nullptr);
    EXPECT_EQ(Fonts[1].Work.Pixels(), nullptr);
    EXPECT_FALSE(lpDTCon);
    EXPECT_FALSE(lpDDCon);
    EXPECT_EQ(BackBuffer.Pixels(), nullptr);
    Database.SetDefaults();
    SystemData.SetDefaults();
}

namespace {

// A 24-bit BMP of one colour.
std::string OneColourBmp(int w, int h, std::uint32_t rgb) {
    const int stride = (w * 3 + 3) / 4 * 4;
    std::string b = "BM";
    auto u32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 255));
    };
    auto u16 = [&b](std::uint32_t v) {
        for (int i = 0; i < 2; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 255));
    };
    u32(54 + stride * h);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(w));
    u32(static_cast<std::uint32_t>(h));
    u16(1);
    u16(24);
    for (int i = 0; i < 6; ++i) u32(0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            b.push_back(static_cast<char>(rgb & 255));
            b.push_back(static_cast<char>((rgb >> 8) & 255));
            b.push_back(static_cast<char>((rgb >> 16) & 255));
        }
        b.append(static_cast<std::size_t>(stride - w * 3), '\0');
    }
    return b;
}

}  // namespace

TEST(GamePresentTest, ALostDirectDrawDisplayBringsBackEveryLentPictureSetInOrder) {
    TestEnv env;
    DeviceSettings settings;
    SystemIni.Direct3D = 0;
    ASSERT_TRUE(StartDrawingDevice());
    Game.FrameRate = 0;
    env.Dir().WriteHostFile("pic.bmp", OneColourBmp(4, 4, 0x336699u));
    // One picture per set, a video-memory one from a file and an empty one
    // in the message set, and a system-memory picture that is never lost.
    std::vector<DDSURFACEDATA> sets(DDSET_COUNT);
    for (int set = 0; set < DDSET_COUNT; ++set) {
        DDSURFACEDATA& sd = sets[static_cast<std::size_t>(set)];
        if (set == DDSET_MESSAGE) {
            ASSERT_TRUE(DDCreateSurface(&sd, 4, 4, 1, 0, 0, 0, 0));
        } else {
            ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "pic.bmp", 1, 32, set == DDSET_SCENE ? 1 : 0, 0, 0, 0, 0, 0, 0), 0);
        }
    }
    std::vector<int> walked;
    for (int set = 0; set < DDSET_COUNT; ++set) {
        DDRegisterSurfaceSet(static_cast<DDSURFACESET>(set), [&, set](const DDSurfaceVisit& visit) {
            walked.push_back(set);
            return visit(sets[static_cast<std::size_t>(set)]);
        });
    }
    SetDebugLog(1, env.Dir().HostPath() + "/debug.txt");
    DDSimulateDeviceLost(false);
    EXPECT_EQ(sets[DDSET_STAGEBMP].Pixels()->Get(1, 1) & 0xFFFFFFu, 0xADBEEFu) << "the loss took the picture";
    EXPECT_EQ(sets[DDSET_SCENE].Pixels()->Get(1, 1) & 0xFFFFFFu, 0x336699u) << "system memory stays";
    walked.clear();
    ASSERT_EQ(Game.Tick(), 1);
    SetDebugLog(0, "");
    EXPECT_EQ(walked, (std::vector<int>{DDSET_STAGEBMP, DDSET_EFFECT, DDSET_SWORD, DDSET_PICTURE, DDSET_SCENE,
                                        DDSET_MESSAGE, DDSET_MESSAGE}))
        << "each set in order, then the first message surface for the log";
    for (int set : {DDSET_STAGEBMP, DDSET_EFFECT, DDSET_SWORD, DDSET_PICTURE}) {
        EXPECT_EQ(sets[static_cast<std::size_t>(set)].Pixels()->Get(1, 1) & 0xFFFFFFu, 0x336699u) << set;
        EXPECT_EQ(sets[static_cast<std::size_t>(set)].bLost, 1) << set;
    }
    EXPECT_EQ(sets[DDSET_SCENE].bLost, 0) << "a surface that was never lost is left alone";
    EXPECT_EQ(sets[DDSET_MESSAGE].bLost, 1) << "its owner draws it again";
    EXPECT_NE(env.Dir().ReadHostFile("debug.txt").find("Off_Msg[0].bLost = 1"), std::string::npos);

    // A picture whose file went away fails the restore, and the tick with it.
    DDSimulateDeviceLost(false);
    env.Dir().WriteHostFile("pic.bmp", "not a picture");
    EXPECT_EQ(Game.Tick(), 0);
    for (int set = 0; set < DDSET_COUNT; ++set) DDRegisterSurfaceSet(static_cast<DDSURFACESET>(set), nullptr);
    for (DDSURFACEDATA& sd : sets) DDReleaseSurface(&sd);
}

TEST(GamePresentTest, AFullScreenThatCannotStartPlaysInAWindowSaidOnceInTheReportAndOnceInABox) {
    TestEnv env;
    DeviceSettings settings;
    SystemIni.Direct3D = 0;
    SystemIni.WindowMode = 0;
    SystemIni.Bpp = 8;
    DDSoftwareCaps.nFailingStartStep = DDINIT_SETDISPLAYMODE_ERR;
    platform::ClearMessageBoxes();
    ASSERT_TRUE(StartDrawingDevice());
    ASSERT_TRUE(lpDDCon);
    EXPECT_EQ(DDSetting.nWindowMode, 1);
    EXPECT_EQ(ScreenWindowed, 1);
    EXPECT_EQ(DDSetting.nBpp, platform::QueryDisplay().bitsPerPixel) << "a window takes the desktop's depth";
    EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    const std::string report = env.Report();
    const std::string line = "Fullscreen Err : Window";
    ASSERT_NE(report.find(line), std::string::npos) << report;
    EXPECT_EQ(report.find(line, report.find(line) + 1), std::string::npos) << "said once";
    Game.FrameRate = 0;
    EXPECT_EQ(Game.Tick(), 1) << "and the game plays on";
}
