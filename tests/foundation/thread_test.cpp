#include <gtest/gtest.h>

#include <atomic>

#include "foundation/thread.h"
#include "platform/clock.h"
#include "support/set_on_exit.h"

namespace {

struct Worker {
    std::atomic<int> hellos{0};
    std::atomic<int> others{0};
    std::atomic<bool> returned{false};
    std::atomic<bool> unwound{false};
    std::atomic<int> quitsSeen{0};
    std::atomic<bool> firstPeekDone{false};
    DWORD startDelay = 0;
};

unsigned Polite(void* p) {
    auto* w = static_cast<Worker*>(p);
    Sleep(w->startDelay);
    MSG m;
    for (;;) {
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) break;
            (m.message == WM_THREAD_HELLO ? w->hellos : w->others).fetch_add(1);
        }
        w->firstPeekDone = true;
        Sleep(1);
    }
    w->returned = true;
    return 1;
}

unsigned IgnoresQuit(void* p) {
    auto* w = static_cast<Worker*>(p);
    SetOnExit mark{&w->unwound};
    MSG m;
    for (;;) {
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.message == WM_QUIT) w->quitsSeen.fetch_add(1);
        w->firstPeekDone = true;
        Sleep(1);
    }
    w->returned = true;
    return 1;
}

}  // namespace

TEST(cThreadTest, ExitAndWaitWithoutAThreadReturnAtOnce) {
    cThread t;
    t.Exit();
    t.Wait();
    EXPECT_EQ(t.Suspend(), 1);
    EXPECT_EQ(t.Resume(), 1);
    EXPECT_FALSE(t.Running());
    Worker w;
    ASSERT_EQ(t.Start(Polite, &w), 1);
    t.Handshake();
    t.Exit();
    EXPECT_FALSE(t.Running());
    DWORD before = timeGetTime();
    t.Exit();
    EXPECT_LT(timeGetTime() - before, 5u) << "a collected object has nothing to stop";
}

TEST(cThreadTest, TheHandshakeReturnsOnlyAfterTheNewThreadHasItsQueue) {
    Worker w;
    w.startDelay = 40;
    cThread t;
    ASSERT_EQ(t.Start(Polite, &w), 1);
    t.Handshake();
    // The post succeeded, so the message is in the queue: it is taken on the
    // thread's next peek.
    for (int i = 0; i < 2000 && w.hellos.load() == 0; ++i) Sleep(1);
    EXPECT_EQ(w.hellos.load(), 1) << "exactly one handshake reached the thread";
    t.Exit();
    EXPECT_TRUE(w.returned) << "a polite thread ends by itself";
}

TEST(cThreadTest, ExitOfAThreadThatIgnoresQuitForcesItAfterAbout200Polls) {
    Worker w;
    cThread t;
    ASSERT_EQ(t.Start(IgnoresQuit, &w), 1);
    t.Handshake();
    DWORD before = timeGetTime();
    t.Exit();
    DWORD took = timeGetTime() - before;
    EXPECT_FALSE(t.Running()) << "the handle is cleared";
    EXPECT_EQ(t.Handle(), nullptr);
    EXPECT_GE(took, 190u) << "about 200 polls of 1 ms first";
    EXPECT_LT(took, 2000u);
    EXPECT_GT(w.quitsSeen.load(), 100) << "WM_QUIT was posted on every poll";
    for (int i = 0; i < 2000 && !w.unwound; ++i) Sleep(1);
    EXPECT_TRUE(w.unwound) << "the forced thread unwound at its next gate";
    EXPECT_FALSE(w.returned);
}

TEST(cThreadTest, ExitOfASuspendedThreadResumesItSoItEndsByItself) {
    Worker w;
    cThread t;
    ASSERT_EQ(t.Start(Polite, &w), 1);
    t.Handshake();
    ASSERT_EQ(t.Suspend(), 1);
    DWORD before = timeGetTime();
    t.Exit();
    EXPECT_LT(timeGetTime() - before, 150u) << "no forced stop was needed";
    EXPECT_TRUE(w.returned);
}

TEST(cThreadTest, APumpingWaitThatTakesQuitStopsTheWorkerAndPostsQuitAgain) {
    Worker w;
    cThread t;
    ASSERT_EQ(t.Start(Polite, &w), 1);
    t.Handshake();
    PostQuitMessage(9);
    EXPECT_FALSE(WaitPumpingMessages(t));
    EXPECT_FALSE(t.Running());
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_QUIT) << "the outer loop still sees the quit";
    EXPECT_EQ(m.wParam, 9u);
}

TEST(cThreadTest, APumpingWaitReturnsTrueWhenTheWorkerEnds) {
    Worker w;
    cThread t;
    ASSERT_EQ(t.Start(Polite, &w), 1);
    t.Handshake();
    ASSERT_TRUE(PostThreadMessageA(t.ThreadId(), WM_QUIT, 0, 0));
    EXPECT_TRUE(WaitPumpingMessages(t));
    EXPECT_FALSE(t.Running());
    EXPECT_TRUE(w.returned);
}

TEST(cThreadTest, TheHandshakeGivesUpOnAThreadThatEndedWithoutAQueue) {
    cThread t;
    ASSERT_EQ(t.Start([](void*) -> unsigned { return 0; }, nullptr), 1);
    t.Handshake();  // would post forever if it only waited for the queue
    t.Wait();
    EXPECT_FALSE(t.Running());
}
