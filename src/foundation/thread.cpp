#include "foundation/thread.h"

#include "foundation/report.h"
#include "platform/clock.h"
#include "platform/window.h"

cThread::~cThread() { Exit(); }

int cThread::Start(ThreadProc proc, void* argument) {
    DWORD id = 0;
    HANDLE h = BeginThread(proc, argument, &id);
    if (!h) return 0;
    m_hThread = h;
    m_dwThreadId = id;
    return 1;
}

void cThread::Wait() {
    if (!m_hThread) return;
    while (WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) Sleep(1);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
}

int cThread::Suspend() {
    if (!m_hThread) return 1;
    return SuspendThread(m_hThread) != 0xFFFFFFFFu ? 1 : 0;
}

int cThread::Resume() {
    if (!m_hThread) return 1;
    return ResumeThread(m_hThread) != 0xFFFFFFFFu ? 1 : 0;
}

void cThread::Exit() {
    if (!m_hThread) return;
    while (!Resume()) {}
    WriteLog("Exit A");
    PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
    WriteLog("Exit B");
    WriteLog("Exit C");
    int polls = 0;
    while (WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) {
        Sleep(1);
        PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
        if (++polls >= kThreadExitPolls) TerminateThread(m_hThread, 0);
    }
    WriteLog("Exit D");
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    WriteLog("Exit E");
}

void cThread::Handshake() const {
    if (!m_hThread) return;
    // A thread that ends before its first peek never takes the post.
    while (!PostThreadMessageA(m_dwThreadId, WM_THREAD_HELLO, 0, 0)) {
        if (WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0) return;
    }
}

bool WaitPumpingMessages(cThread& thread, void (*beforeStop)()) {
    while (thread.Running() && WaitForSingleObject(thread.Handle(), 0) == WAIT_TIMEOUT) {
        MSG m;
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) continue;
        if (m.message == WM_QUIT) {
            if (beforeStop) beforeStop();
            thread.Exit();
            PostQuitMessage(static_cast<int>(m.wParam));
            return false;
        }
        // On the window thread the window must keep taking its messages.
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    thread.Wait();
    return true;
}
