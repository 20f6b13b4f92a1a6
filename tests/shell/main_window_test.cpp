#include <atomic>

#include "platform/keyboard.h"
#include "scenes/modes.h"
#include "shell/game_loop.h"
#include "shell/window_data.h"

#include <cstdio>
#include "shell_fixture.h"

namespace {

int QuestionsAsked() {
    int n = 0;
    for (const auto& box : platform::RecordedMessageBoxes()) {
        if (box.caption == "終了確認" || box.caption == "End confirmation") ++n;
    }
    return n;
}

unsigned IgnoringWorker(void*) {
    MSG m;
    for (;;) {
        PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
        Sleep(1);
    }
}

std::atomic<int> g_pauseQuits{0};
unsigned PauseLoop(void*) {
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {}
    g_pauseQuits.fetch_add(1);
    return 1;
}

}  // namespace

struct CloseCase {
    const char* name;
    int mode;
    int windowed;
    int testPlay;
    int directStart;
    int abort;
    bool asks;
};

class CloseQuestion : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, IsAskedOnlyInAWindowOutsideTheTitleWithoutTestPlayDirectStartOrError) {
    const CloseCase& c = GetParam();
    Game.CurrentMode = c.mode;
    ScreenWindowed = c.windowed;
    TestPlay = c.testPlay;
    DirectStart = c.directStart;
    AbortFlag.store(c.abort);
    platform::QueueMessageBoxAnswer(IDYES);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(QuestionsAsked(), c.asks ? 1 : 0);
    EXPECT_FALSE(IsWindow(m_hwnd)) << "the close went through";
    EXPECT_TRUE(Pump()) << "WM_DESTROY posted the quit";
    EXPECT_EQ(MainWindowHandle.load(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, CloseQuestion,
                         ::testing::Values(CloseCase{"WorldMapWindowed", kModeWorldMap, 1, 0, 0, 0, true},
                                           CloseCase{"Title", kModeTitle, 1, 0, 0, 0, false},
                                           CloseCase{"FullScreen", kModeStage, 0, 0, 0, 0, false},
                                           CloseCase{"TestPlay", kModeStage, 1, 1, 0, 0, false},
                                           CloseCase{"DirectStart", kModeStage, 1, 0, 1, 0, false},
                                           CloseCase{"AfterFatalError", kModeOption, 1, 0, 0, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AnsweringNoKeepsTheWindowAndTheThreads) {
    Game.CurrentMode = kModeOption;
    ASSERT_EQ(thGame.Start(IgnoringWorker, nullptr), 1);
    thGame.Handshake();
    platform::QueueMessageBoxAnswer(IDNO);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(m_hwnd));
    EXPECT_TRUE(thGame.Running());
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].text, "終了しますか？\n");
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].type, MB_YESNO);
}

TEST_F(MainWindowTest, TheEnglishQuestionIsAskedWhenTheSettingSaysSo) {
    Game.CurrentMode = kModeOption;
    SystemIni.English = 1;
    platform::QueueMessageBoxAnswer(IDNO);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].text, "Would you like to quit?\n");
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].caption, "End confirmation");
}

TEST_F(MainWindowTest, EscapePostsTheCloseWhichStopsEveryWorkerAndEndsTheLoop) {
    ASSERT_EQ(thGame.Start(IgnoringWorker, nullptr), 1);
    thGame.Handshake();
    ASSERT_EQ(thLoader.Start(IgnoringWorker, nullptr), 1);
    thLoader.Handshake();
    PostMessageA(m_hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    bool quit = false;
    for (int i = 0; i < 5000 && !quit; ++i) quit = Pump();
    EXPECT_TRUE(quit);
    EXPECT_FALSE(thGame.Running());
    EXPECT_FALSE(thLoader.Running());
    EXPECT_FALSE(IsWindow(m_hwnd));
}

TEST_F(MainWindowTest, WhileThePauseLoopRunsTheCloseIsHandedToStagePlay) {
    RegisterScenes();
    Game.CurrentMode = kModeStage;
    Game.SwitchMode(kModeStage);
    ASSERT_NE(CurStageScene, nullptr);
    EXPECT_EQ(&StageState(), static_cast<cModeStage*>(CurStageScene)) << "stage objects run in the scene";
    g_pauseQuits = 0;
    ASSERT_EQ(thPause.Start(PauseLoop, nullptr), 1);
    thPause.Handshake();
    platform::QueueMessageBoxAnswer(IDYES);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(m_hwnd)) << "the window stays until stage play closes again";
    EXPECT_EQ(static_cast<cModeStage*>(CurStageScene)->m_bQuit, 1);
    EXPECT_TRUE(Eventually([] { return g_pauseQuits.load() == 1; })) << "the pause loop was asked to quit";
    thPause.Wait();
    platform::QueueMessageBoxAnswer(IDYES);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(m_hwnd)) << "the repeated close goes through";
    EXPECT_EQ(QuestionsAsked(), 2) << "the question comes again";
}

TEST_F(MainWindowTest, ActivationIsRecordedAndTheGameDoesNotAdvanceWhileInactive) {
    RegisterScenes();
    Pump();  // the headless window activates itself when it opens
    EXPECT_EQ(AppActive.load(), 1);
    SendMessageA(m_hwnd, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(AppActive.load(), 0);
    long long before = Game.TickCount.load();
    ASSERT_EQ(thGame.Start(GameLoopProc, nullptr), 1);
    thGame.Handshake();
    Pump(150);
    EXPECT_EQ(Game.TickCount, before) << "not a single frame while inactive";
    SendMessageA(m_hwnd, WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(Eventually([&] { return Game.TickCount > before + 3; }));
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(thGame.Running());
}

namespace {
std::atomic<DWORD> g_handlerThread{0};
std::atomic<bool> g_handlerFinished{false};
std::atomic<bool> g_finishedWhenSendReturned{false};
std::atomic<DWORD> g_senderThread{0};

class SendingScene : public cMode {
public:
    void Run() override {
        if (m_sent) return;
        m_sent = true;
        g_senderThread = GetCurrentThreadId();
        SendMessageA(MainWindowHandle.load(), WM_USER + 6, 0, 0);
        g_finishedWhenSendReturned = g_handlerFinished.load();
    }
    bool m_sent = false;
};
}  // namespace

TEST_F(MainWindowTest, ASendFromThGameRunsOnTheWindowThreadAndBlocksTheGameThread) {
    RegisterSceneFactory(kModeTitle, [] { return std::make_unique<SendingScene>(); });
    HWND hwnd = m_hwnd;
    // Stand in for the music handler: record where it runs and take time.
    DestroyWindow(hwnd);
    Drain();
    m_hwnd = CreateMainWindow("t", 0, 0, 640, 480, [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_USER + 6) {
            g_handlerThread = GetCurrentThreadId();
            Sleep(30);
            g_handlerFinished = true;
            return 0;
        }
        return MainWindowProc(h, msg, wp, lp);
    });
    MainWindowHandle.store(m_hwnd);
    Pump();
    ASSERT_EQ(thGame.Start(GameLoopProc, nullptr), 1);
    thGame.Handshake();
    Pump(300);
    EXPECT_EQ(g_handlerThread.load(), GetCurrentThreadId());
    EXPECT_NE(g_senderThread.load(), GetCurrentThreadId());
    EXPECT_TRUE(g_finishedWhenSendReturned) << "thGame waited for the handler";
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    RegisterScenes();
}

struct ZoomCase {
    int zoom;
    int left, top, width, height;
};

TEST_F(MainWindowTest, ZoomKeepsTheWindowCentredOnItsOldPlaceInsideTheWorkArea) {
    // The headless work area is 1920 x 1080: 300 % and above are not offered.
    const ZoomCase cases[] = {
        {2, 0, 100, 1280, 960},   // 100 + 320 - 640 < 0: pulled to 0
        {1, 320, 100, 640, 480},  // 0 + 640 - 320
        {3, 320, 100, 640, 480},  // does not fit: nothing changes
        {5, 320, 100, 640, 480},
    };
    MoveWindowClient(m_hwnd, 100, 100, 640, 480);
    for (const auto& c : cases) {
        SendMessageA(m_hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(c.zoom), 0);
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        EXPECT_EQ(r.left, c.left) << c.zoom;
        EXPECT_EQ(r.top, c.top) << c.zoom;
        EXPECT_EQ(r.right - r.left, c.width) << c.zoom;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.zoom;
    }
    MoveWindowClient(m_hwnd, 100, 400, 640, 480);
    SendMessageA(m_hwnd, WM_SYSCOMMAND, 2, 0);
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    EXPECT_EQ(r.top, 1080 - 960) << "a bottom edge past the work area is pulled back";
}

namespace {
struct PlacementCase {
    const char* name;
    int windowMode;
    int started;
    int abort;
    bool saves;
};
}  // namespace

TEST_F(MainWindowTest, TheCloseSavesThePlacementOnlyInAWindowModeOfAStartedGameWithoutError) {
    const PlacementCase cases[] = {
        {"saved", 1, 1, 0, true},
        {"full screen setting", 0, 1, 0, false},
        {"before the game started", 1, 0, 0, false},
        {"after a fatal error", 1, 1, 1, false},
    };
    for (const auto& c : cases) {
        m_dir.WriteHostFile("user_data/.keep", "");
        std::remove((m_dir.HostPath() + "/user_data/Window.dat").c_str());
        SystemIni.WindowMode = c.windowMode;
        GameStarted.store(c.started);
        AbortFlag.store(c.abort);
        MoveWindowClient(m_hwnd, 40, 30, 1280, 960);
        SaveWindowPlacement(m_hwnd);
        EXPECT_EQ(m_dir.HostFileExists("user_data/Window.dat"), c.saves) << c.name;
    }
    GameStarted.store(0);
    AbortFlag.store(0);
    SystemIni.WindowMode = 1;
}

TEST_F(MainWindowTest, ASavedPlacementReadsBackWithItsCornerPulledOntoTheDesktop) {
    m_dir.WriteHostFile("user_data/.keep", "");
    SystemIni.WindowMode = 1;
    GameStarted.store(1);
    MoveWindowClient(m_hwnd, 40, 30, 1280, 960);
    SaveWindowPlacement(m_hwnd);
    GameStarted.store(0);
    std::string bytes = m_dir.ReadHostFile("user_data/Window.dat");
    ASSERT_EQ(bytes.size(), 32u) << "version, count 5, five ints, string count 0";
    cWindowData back;
    ASSERT_EQ(back.LoadFile(kWindowDataPath), 1);
    EXPECT_EQ(back.m_nX, 40);
    EXPECT_EQ(back.m_nY, 30);
    EXPECT_EQ(back.m_nWidth, 1280);
    EXPECT_EQ(back.m_nHeight, 960);
    EXPECT_EQ(back.m_nMaximized, 0);
    WindowData.m_nX = -50;
    WindowData.m_nY = 5000;
    ASSERT_EQ(WindowData.SaveFile(kWindowDataPath), 1);
    ASSERT_EQ(back.LoadFile(kWindowDataPath), 1);
    EXPECT_EQ(back.m_nX, 0);
    EXPECT_EQ(back.m_nY, 1080) << "the headless desktop is 1080 high";
}

TEST_F(MainWindowTest, PlacingAWindowPullsItInsideTheWorkArea) {
    struct Case {
        int storedX, storedY, x, y;
    };
    // A 640 x 480 window on the 1920 x 1080 headless work area.
    const Case cases[] = {
        {-50, 20, 0, 20},
        {1281, 601, 1280, 600},
        {1800, 900, 1280, 600},
        {300, 200, 300, 200},
    };
    for (const auto& c : cases) {
        MoveWindowClient(m_hwnd, 7, 7, 640, 480);
        MainWindow.m_nPosX = c.storedX;
        MainWindow.m_nPosY = c.storedY;
        MainWindow.PlaceWindow();
        RECT r{};
        GetWindowRect(m_hwnd, &r);
        EXPECT_EQ(r.left, c.x) << c.storedX;
        EXPECT_EQ(r.top, c.y) << c.storedY;
    }
    MoveWindowClient(m_hwnd, 7, 7, 640, 480);
    MainWindow.m_nPosX = -1000;
    MainWindow.m_nPosY = 50;
    MainWindow.PlaceWindow();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    EXPECT_EQ(r.left, 7) << "no stored position: left where it is";
    EXPECT_EQ(r.top, 7);
}
