#include "shell/file_requests.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "draw/device.h"
#include "draw/palette.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/app_requests.h"
#include "shell/direct_play.h"
#include "shell/drawing_device.h"
#include "shell_fixture.h"

namespace {

struct RequestCase {
    const char* name;
    UINT msg;
    WPARAM wParam;
    bool chosen;
    int works;
    int result;
    bool fatal;
};

std::atomic<UINT> g_msg{0};
std::atomic<WPARAM> g_wParam{0};
std::atomic<int> g_answer{-1};

// A game thread: sends one request and keeps its answer.
unsigned Sender(void*) {
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
    g_answer.store(SendAppRequest(g_msg.load(), g_wParam.load(), 0, RequestDone));
    return 1;
}

class FileRequest : public MainWindowTest, public ::testing::WithParamInterface<RequestCase> {
protected:
    void TearDown() override {
        SetFileChooser(nullptr);
        SetStageFilePlayer(nullptr);
        SetReplayFileServices({});
        MainWindowTest::TearDown();
    }
};

}  // namespace

TEST_P(FileRequest, FromAWorkerReportsTheRealOutcome) {
    const RequestCase& c = GetParam();
    std::string asked;
    int askedKind = -1;
    SetFileChooser([&](int kind, std::string& path) {
        askedKind = kind;
        asked = path;
        path = "data\\chosen";
        return c.chosen ? 1 : 0;
    });
    std::string used;
    SetStageFilePlayer([&](const std::string& path, int direct) {
        used = path;
        EXPECT_EQ(direct, 0);
        return c.works;
    });
    WPARAM savedWhich = 99;
    SetReplayFileServices({[&](const std::string& path) {
                               used = path;
                               return c.works;
                           },
                           [&](const std::string& path, WPARAM which) {
                               used = path;
                               savedWhich = which;
                               return c.works;
                           },
                           [] { return std::string("replay\\proposed.rep"); }});
    LoadedStage.m_strPath.clear();
    g_msg.store(c.msg);
    g_wParam.store(c.wParam);
    g_answer.store(-1);
    RequestDone.store(1);
    RequestResult.store(-1);
    ASSERT_EQ(thGame.Start(Sender, nullptr), 1);
    ASSERT_TRUE(Eventually([&] {
        Pump();
        return g_answer.load() != -1;
    }));
    EXPECT_EQ(RequestDone.load(), 1);
    EXPECT_EQ(g_answer.load(), c.result);
    EXPECT_EQ(RequestResult.load(), c.result);
    EXPECT_EQ(askedKind, static_cast<int>(c.msg - kWmOpenStage));
    EXPECT_EQ(used, c.chosen ? "data\\chosen" : "");
    EXPECT_EQ(AbortFlag.load(), c.fatal ? 1 : 0);
    if (c.msg == kWmSaveReplay) {
        EXPECT_EQ(asked, "replay\\proposed.rep");
        if (c.chosen) { EXPECT_EQ(savedWhich, c.wParam); }
    }
    if (c.msg == kWmOpenReplay) { EXPECT_EQ(LoadedStage.m_strPath, c.chosen ? "data\\chosen" : ""); }
    if (c.fatal) {
        EXPECT_TRUE(Eventually([&] { return Pump(), !IsWindow(m_hwnd); })) << "the fatal close ran";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FileRequest,
                         ::testing::Values(RequestCase{"StageChosenAndLoaded", kWmOpenStage, 0, true, 1, 1, false},
                                           RequestCase{"StageCancelled", kWmOpenStage, 0, false, 1, 0, false},
                                           RequestCase{"StageNotLoaded", kWmOpenStage, 0, true, 0, 0, true},
                                           RequestCase{"ReplayLoaded", kWmOpenReplay, 0, true, 1, 1, false},
                                           RequestCase{"ReplayNotLoadedKeepsItsPath", kWmOpenReplay, 0, true, 0, 0,
                                                       true},
                                           RequestCase{"ReplayCancelled", kWmOpenReplay, 0, false, 1, 0, false},
                                           RequestCase{"SaveCurrentAttempt", kWmSaveReplay, 0, true, 1, 1, false},
                                           RequestCase{"SavePreviousAttempt", kWmSaveReplay, 1, true, 1, 1, false},
                                           RequestCase{"SaveNotWritten", kWmSaveReplay, 1, true, 0, 0, true},
                                           RequestCase{"SaveCancelled", kWmSaveReplay, 0, false, 1, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OverAPalettedFullScreenColourZeroIsBlackWhileAFileIsChosenAndComesBackAfter) {
    const cSystemIni saved = SystemIni;
    SystemIni.Direct3D = 0;
    SystemIni.WindowMode = 0;
    SystemIni.Bpp = 8;
    ASSERT_TRUE(StartDrawingDevice());
    ASSERT_TRUE(lpDDCon);
    PaletteWork[0] = PALETTEENTRY{12, 34, 56, PC_RESERVED};
    for (const int answer : {1, 0}) {
        SCOPED_TRACE(answer);
        DDPaletteColors[0] = PaletteWork[0];
        PALETTEENTRY during{1, 1, 1, 1};
        SetFileChooser([&](int, std::string&) {
            during = DDPaletteColors[0];
            return answer;
        });
        SetStageFilePlayer([](const std::string&, int) { return 1; });
        RequestDone.store(0);
        SendMessageA(m_hwnd, kWmOpenStage, 0, 0);
        EXPECT_EQ(RequestDone.load(), 1);
        EXPECT_EQ(during.peRed | during.peGreen | during.peBlue | during.peFlags, 0);
        EXPECT_EQ(DDPaletteColors[0].peRed, 12);
        EXPECT_EQ(DDPaletteColors[0].peBlue, 56);
    }
    SetFileChooser(nullptr);
    SetStageFilePlayer(nullptr);
    ReleaseDrawingDevice();
    SystemIni = saved;
    PaletteWork[0] = PALETTEENTRY{};
}
