#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock.h"
#include "platform/threads.h"
#include "support/eventually.h"
#include "support/set_on_exit.h"

namespace {

struct Shared {
    std::atomic<int> ticks{0};
    std::atomic<bool> peeked{false};
    std::atomic<bool> reachedEnd{false};
    std::atomic<bool> unwound{false};
    std::atomic<int> received{0};
    std::atomic<DWORD> delayMs{0};
};

// A message loop like every worker of the game: returns at WM_QUIT.
unsigned QuitOnRequest(void* p) {
    auto* s = static_cast<Shared*>(p);
    Sleep(s->delayMs.load());
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) s->received.fetch_add(1);
    s->reachedEnd = true;
    return 7;
}

// Ignores WM_QUIT and only stops when forced.
unsigned Stubborn(void* p) {
    auto* s = static_cast<Shared*>(p);
    SetOnExit guard{&s->unwound};
    MSG m;
    for (;;) {
        PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
        s->peeked = true;
        s->ticks.fetch_add(1);
        Sleep(1);
    }
    s->reachedEnd = true;
    return 1;
}

HANDLE Start(ThreadProc proc, Shared& s, DWORD& id) {
    HANDLE h = BeginThread(proc, &s, &id);
    EXPECT_NE(h, nullptr);
    return h;
}

void Finish(HANDLE h) {
    EXPECT_TRUE(Eventually([&] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }));
    CloseHandle(h);
}

}  // namespace

TEST(ThreadQueue, PostFailsUntilTheThreadHasItsQueueThenTheHandshakeArrives) {
    Shared s;
    s.delayMs = 50;  // the thread sleeps before its first GetMessageA
    DWORD id = 0;
    HANDLE h = Start(QuitOnRequest, s, id);
    EXPECT_FALSE(PostThreadMessageA(id, WM_THREAD_HELLO, 0, 0)) << "no queue before the first get";
    int attempts = 0;
    while (!PostThreadMessageA(id, WM_THREAD_HELLO, 0, 0)) ++attempts;
    EXPECT_GT(attempts, 0);
    EXPECT_TRUE(Eventually([&] { return s.received.load() == 1; })) << "the handshake reached the queue";
    EXPECT_TRUE(PostThreadMessageA(id, WM_QUIT, 0, 0));
    Finish(h);
    EXPECT_TRUE(s.reachedEnd);
    EXPECT_EQ(s.received.load(), 1) << "WM_QUIT ends GetMessageA and is not counted";
}

TEST(ThreadQueue, PostsToUnknownOrEndedThreadsFail) {
    EXPECT_FALSE(PostThreadMessageA(0, WM_USER, 0, 0));
    Shared s;
    DWORD id = 0;
    HANDLE h = Start(QuitOnRequest, s, id);
    while (!PostThreadMessageA(id, WM_QUIT, 0, 0)) {}
    Finish(h);
    EXPECT_FALSE(PostThreadMessageA(id, WM_USER, 0, 0));
}

TEST(ThreadQueue, PeekFiltersAndKeepsOrder) {
    PostQuitMessage(3);
    DWORD self = GetCurrentThreadId();
    ASSERT_TRUE(PostThreadMessageA(self, WM_USER + 1, 10, 0));
    ASSERT_TRUE(PostThreadMessageA(self, WM_USER + 2, 20, 0));
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_USER + 2, WM_USER + 2, PM_NOREMOVE));
    EXPECT_EQ(m.wParam, 20u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, 10u);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, 20u);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST(ThreadSuspend, ASuspendedThreadParksAtItsNextGateUntilResumed) {
    Shared s;
    DWORD id = 0;
    HANDLE h = Start(Stubborn, s, id);
    ASSERT_TRUE(Eventually([&] { return s.ticks.load() > 2; }));
    EXPECT_EQ(SuspendThread(h), 0u);
    int frozen = s.ticks.load();
    Sleep(40);
    EXPECT_EQ(s.ticks.load(), frozen) << "no progress while suspended";
    EXPECT_EQ(SuspendThread(h), 1u) << "counts nest";
    EXPECT_EQ(ResumeThread(h), 2u);
    Sleep(20);
    EXPECT_EQ(s.ticks.load(), frozen) << "still suspended once";
    EXPECT_EQ(ResumeThread(h), 1u);
    EXPECT_TRUE(Eventually([&] { return s.ticks.load() > frozen; }));
    EXPECT_EQ(ResumeThread(h), 0u) << "never below zero";
    TerminateThread(h, 0);
    Finish(h);
    EXPECT_TRUE(Eventually([&] { return s.unwound.load(); })) << "s outlives the thread";
}

TEST(ThreadTerminate, AForcedStopSignalsAtOnceAndUnwindsTheThreadToItsEntry) {
    Shared s;
    DWORD id = 0;
    HANDLE h = Start(Stubborn, s, id);
    ASSERT_TRUE(Eventually([&] { return s.peeked.load(); }));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_TIMEOUT);
    int before = platform::RunningThreadCount();
    EXPECT_TRUE(TerminateThread(h, 5));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    EXPECT_EQ(platform::RunningThreadCount(), before - 1);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 5u);
    EXPECT_TRUE(Eventually([&] { return s.unwound.load(); })) << "its locals were destroyed by the unwind";
    EXPECT_FALSE(s.reachedEnd) << "nothing after the gate ran";
    CloseHandle(h);
}

TEST(ThreadTerminate, ASuspendedThreadThatIsStoppedUnwindsInsteadOfStayingParked) {
    Shared s;
    DWORD id = 0;
    HANDLE h = Start(Stubborn, s, id);
    ASSERT_TRUE(Eventually([&] { return s.peeked.load(); }));
    SuspendThread(h);
    TerminateThread(h, 0);
    EXPECT_TRUE(Eventually([&] { return s.unwound.load(); }));
    CloseHandle(h);
}

TEST(ThreadHandles, UnknownHandlesFailCleanly) {
    HANDLE bogus = reinterpret_cast<HANDLE>(0x1234);
    EXPECT_EQ(WaitForSingleObject(bogus, 0), WAIT_FAILED);
    EXPECT_EQ(SuspendThread(bogus), 0xFFFFFFFFu);
    EXPECT_EQ(ResumeThread(bogus), 0xFFFFFFFFu);
    EXPECT_FALSE(TerminateThread(bogus, 0));
    EXPECT_FALSE(CloseHandle(bogus));
    EXPECT_EQ(BeginThread(nullptr, nullptr, nullptr), nullptr);
}

TEST(ThreadHandles, ExitCodeIsKeptAfterTheThreadReturns) {
    Shared s;
    DWORD id = 0;
    HANDLE h = Start(QuitOnRequest, s, id);
    DWORD code = 0;
    while (!PostThreadMessageA(id, WM_QUIT, 0, 0)) {}
    ASSERT_TRUE(Eventually([&] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }));
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(h);
}
