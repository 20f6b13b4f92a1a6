#include <gtest/gtest.h>

#include <atomic>

#include "platform/clock.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "support/eventually.h"

namespace {

// The test thread is the window thread; the procedure records where and
// what it ran.
class WindowThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hwnd = CreateMainWindow("test", 0, 0, 640, 480,
                                  [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) { return Proc(h, msg, wp, lp); });
        ASSERT_NE(m_hwnd, nullptr);
    }
    void TearDown() override {
        if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
    }
    LRESULT Proc(HWND, UINT msg, WPARAM wp, LPARAM) {
        if (msg == WM_USER + 7) {
            m_ranOn = GetCurrentThreadId();
            Sleep(m_handlerMs);
            m_handlerDone = true;
            return static_cast<LRESULT>(wp * 2);
        }
        if (msg == WM_USER + 8) m_posted.fetch_add(1);
        return 0;
    }
    void Pump(int ms) {
        for (int i = 0; i < ms; ++i) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            Sleep(1);
        }
    }

    HWND m_hwnd = nullptr;
    std::atomic<DWORD> m_ranOn{0};
    std::atomic<bool> m_handlerDone{false};
    std::atomic<int> m_posted{0};
    DWORD m_handlerMs = 0;
};

struct Sender {
    Sender(HWND h, WPARAM v, std::atomic<bool>* done) : hwnd(h), value(v), handlerDone(done) {}
    HWND hwnd;
    WPARAM value;
    std::atomic<bool> sending{false};
    std::atomic<bool> returned{false};
    std::atomic<bool> handlerDoneAtReturn{false};
    std::atomic<LRESULT> result{-1};
    std::atomic<DWORD> id{0};
    std::atomic<bool>* handlerDone;
    std::atomic<bool> ended{false};
};

struct MarkOnUnwind {
    std::atomic<bool>* flag;
    ~MarkOnUnwind() { *flag = true; }
};

unsigned SendOnce(void* p) {
    auto* s = static_cast<Sender*>(p);
    MarkOnUnwind mark{&s->ended};
    s->id = GetCurrentThreadId();
    s->sending = true;
    LRESULT r = SendMessageA(s->hwnd, WM_USER + 7, s->value, 0);
    s->handlerDoneAtReturn = s->handlerDone->load();
    s->result = r;
    s->returned = true;
    return 0;
}

}  // namespace

TEST_F(WindowThreadTest, ASendFromAnotherThreadRunsOnTheWindowThreadAndBlocksTheSender) {
    m_handlerMs = 30;
    Sender s(m_hwnd, 21, &m_handlerDone);
    HANDLE h = BeginThread(SendOnce, &s, nullptr);
    ASSERT_TRUE(Eventually([&] { return s.sending.load(); }));
    Sleep(20);
    EXPECT_FALSE(s.returned) << "the sender waits while the window thread does not pump";
    Pump(100);
    ASSERT_TRUE(Eventually([&] { return s.returned.load(); }));
    EXPECT_EQ(m_ranOn.load(), GetCurrentThreadId());
    EXPECT_TRUE(s.handlerDoneAtReturn) << "the sender resumed only after the handler";
    EXPECT_EQ(s.result.load(), 42);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
}

TEST_F(WindowThreadTest, ASendOnTheWindowThreadIsADirectCall) {
    EXPECT_EQ(SendMessageA(m_hwnd, WM_USER + 7, 5, 0), 10);
    EXPECT_EQ(m_ranOn.load(), GetCurrentThreadId());
}

TEST_F(WindowThreadTest, SendsToAClosingOrGoneWindowReturnZeroWithoutRunning) {
    Sender s(m_hwnd, 1, &m_handlerDone);
    HANDLE h = BeginThread(SendOnce, &s, nullptr);
    ASSERT_TRUE(Eventually([&] { return s.sending.load(); }));
    Sleep(10);
    platform::BeginWindowClose(m_hwnd);
    ASSERT_TRUE(Eventually([&] { return s.returned.load(); })) << "a waiting sender is released";
    EXPECT_EQ(s.result.load(), 0);
    EXPECT_FALSE(m_handlerDone);
    EXPECT_EQ(SendMessageA(m_hwnd, WM_USER + 7, 1, 0), 0) << "closing: not even a direct call";
    EXPECT_TRUE(PostMessageA(m_hwnd, WM_USER + 8, 0, 0)) << "posts still arrive while closing";
    DestroyWindow(m_hwnd);
    EXPECT_FALSE(PostMessageA(m_hwnd, WM_USER + 8, 0, 0));
    EXPECT_EQ(SendMessageA(m_hwnd, WM_USER + 7, 1, 0), 0);
    EXPECT_FALSE(m_handlerDone);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
}

TEST_F(WindowThreadTest, SuspendingAWorkerThatSendsToTheSuspenderDoesNotDeadlock) {
    Sender s(m_hwnd, 2, &m_handlerDone);
    HANDLE h = BeginThread(SendOnce, &s, nullptr);
    ASSERT_TRUE(Eventually([&] { return s.sending.load(); }));
    Sleep(10);
    EXPECT_EQ(SuspendThread(h), 0u) << "returns although the worker waits for this thread";
    Pump(20);
    EXPECT_TRUE(m_handlerDone) << "the send was answered";
    Sleep(20);
    EXPECT_FALSE(s.returned) << "the answered sender parks until resumed";
    ResumeThread(h);
    EXPECT_TRUE(Eventually([&] { return s.returned.load(); }));
    EXPECT_EQ(s.result.load(), 4);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
}

TEST_F(WindowThreadTest, PostsFromAnyThreadAreDispatchedOnTheWindowThread) {
    EXPECT_TRUE(PostMessageA(m_hwnd, WM_USER + 8, 0, 0));
    EXPECT_TRUE(PostMessageA(m_hwnd, WM_USER + 8, 0, 0));
    Pump(5);
    EXPECT_EQ(m_posted.load(), 2);
    EXPECT_EQ(CreateMainWindow("second", 0, 0, 1, 1, nullptr), nullptr) << "one main window at a time";
}

TEST_F(WindowThreadTest, AForcedStopReleasesASenderThatWaitsForTheWindowThread) {
    Sender s(m_hwnd, 3, &m_handlerDone);
    HANDLE h = BeginThread(SendOnce, &s, nullptr);
    ASSERT_TRUE(Eventually([&] { return s.sending.load(); }));
    Sleep(10);
    TerminateThread(h, 0);
    EXPECT_TRUE(Eventually([&] { return s.ended.load(); })) << "the sender unwound out of its wait";
    EXPECT_FALSE(s.returned) << "nothing after the send ran";
    Pump(5);  // the orphaned request still runs; its answer goes nowhere
    EXPECT_TRUE(m_handlerDone);
    CloseHandle(h);
}
