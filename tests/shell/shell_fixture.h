#pragma once
// The test thread plays the window thread: it owns the main window with the
// game's procedure and pumps it.
#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "platform/clock.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/loop/game.h"
#include "shell/main_window.h"
#include "shell/worker_threads.h"
#include "support/eventually.h"
#include "support/temp_dir.h"

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearMessageBoxes();
        platform::ClearMainWindowPosts();
        AbortFlag.store(0);
        AppActive.store(0);
        TestPlay = 0;
        DirectStart = 0;
        ScreenWindowed = 1;
        SystemIni.English = 0;
        Game.CurrentScene = Game.RequestedScene = Game.PreviousScene = 0;
        Game.FrameRate = 60;
        Game.FadeLength = 10;
        MainWindow.SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, 0);
        m_hwnd = CreateMainWindow("t", 100, 100, kScreenWidth, kScreenHeight, MainWindowProc);
        ASSERT_NE(m_hwnd, nullptr);
        MainWindowHandle.store(m_hwnd);
    }
    void TearDown() override {
        for (cThread* t : {&thGame, &thPause, &thRanking, &thLoader}) t->Exit();
        if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
        Drain();
        Game.DeleteScenes();
        Game.CurrentScene = 0;
        AbortFlag.store(0);
        AppActive.store(0);
        platform::ClearMessageBoxes();
    }
    // Dispatches what is queued; true when WM_QUIT was among it.
    bool Pump(int passes = 1) {
        bool quit = false;
        for (int i = 0; i < passes; ++i) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) quit = true;
                DispatchMessageA(&m);
            }
            if (passes > 1) Sleep(1);
        }
        return quit;
    }
    void Drain() { Pump(); }

    HWND m_hwnd = nullptr;
    TempDir m_dir;
};
