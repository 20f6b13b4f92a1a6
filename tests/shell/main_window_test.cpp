#include <atomic>

#include "platform/keyboard.h"
#include "scenes/fading_scene.h"
#include "scenes/scene_registry.h"
#include "shell/loop/game_loop.h"
#include "shell/window/window_data.h"

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
    Game.CurrentScene = c.mode;
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
                         ::testing::Values(CloseCase{"WorldMapWindowed", kSceneWorldMap, 1, 0, 0, 0, true},
                                           CloseCase{"Title", kSceneTitle, 1, 0, 0, 0, false},
                                           CloseCase{"FullScreen", kSceneStage, 0, 0, 0, 0, false},
                                           CloseCase{"TestPlay", kSceneStage, 1, 1, 0, 0, false},
                                           CloseCase{"DirectStart", kSceneStage, 1, 0, 1, 0, false},
                                           CloseCase{"AfterFatalError", kSceneOption, 1, 0, 0, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, AnsweringNoKeepsTheWindowAndTheThreads) {
    Game.CurrentScene = kSceneOption;
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
    Game.CurrentScene = kSceneOption;
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

TEST_F(MainWindowTest, WhileThePauseLoopRunsTheCloseIsAskedOnceAndHandedToStagePlay) {
    RegisterScenes();
    Game.CurrentScene = kSceneStage;
    Game.SwitchScene(kSceneStage);
    ASSERT_NE(CurStageScene, nullptr);
    auto& scene = *static_cast<cSceneStage*>(CurStageScene);
    EXPECT_EQ(&StageState(), &scene) << "stage objects run in the scene";
    g_pauseQuits = 0;
    ASSERT_EQ(thPause.Start(PauseLoop, nullptr), 1);
    thPause.Handshake();

    platform::QueueMessageBoxAnswer(IDNO);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(QuestionsAsked(), 1);
    EXPECT_TRUE(IsWindow(m_hwnd));
    EXPECT_EQ(scene.m_bQuit, 0) << "No leaves no quit request behind";
    Sleep(20);
    EXPECT_TRUE(thPause.Running()) << "the pause loop goes on";
    EXPECT_EQ(g_pauseQuits.load(), 0);

    platform::QueueMessageBoxAnswer(IDYES);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(QuestionsAsked(), 2);
    EXPECT_TRUE(IsWindow(m_hwnd)) << "the window stays until stage play closes again";
    EXPECT_EQ(scene.m_bQuit, 1);
    EXPECT_TRUE(Eventually([] { return g_pauseQuits.load() == 1; })) << "the pause loop was asked to quit";
    thPause.Wait();
    // Stage play re-posts the close every frame until the window goes; an
    // answer queued here would be taken by a second question.
    platform::QueueMessageBoxAnswer(IDNO);
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(QuestionsAsked(), 2) << "the agreed close is not asked again";
    EXPECT_FALSE(IsWindow(m_hwnd)) << "the re-posted close goes through";
}

TEST_F(MainWindowTest, ActivationIsRecordedAndTheGameDoesNotAdvanceWhileInactive) {
    // A scene that needs no pictures: the test folder holds no game.
    RegisterSceneFactory(kSceneTitle, [] { return std::make_unique<cFadingScene>(kSceneTitle); });
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
    RegisterScenes();
}

namespace {
std::atomic<DWORD> g_handlerThread{0};
std::atomic<bool> g_handlerFinished{false};
std::atomic<bool> g_finishedWhenSendReturned{false};
std::atomic<DWORD> g_senderThread{0};

class SendingScene : public cScene {
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
    RegisterSceneFactory(kSceneTitle, [] { return std::make_unique<SendingScene>(); });
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
