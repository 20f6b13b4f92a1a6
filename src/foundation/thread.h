#pragma once
// One worker thread: start, wait, suspend, resume and a stop that first asks
// the thread to end (WM_QUIT) and forces it only after 200 polls.
#include "platform/threads.h"

class cThread {
public:
    cThread() = default;
    ~cThread();
    cThread(const cThread&) = delete;
    cThread& operator=(const cThread&) = delete;

    // 1 when the thread runs, 0 when it could not be started.
    int Start(ThreadProc proc, void* argument);
    // Until the thread has ended; then the handle is closed.
    void Wait();
    // 1 without a thread or on success, 0 on failure.
    int Suspend();
    int Resume();
    // Stops the thread; nothing without one.
    void Exit();

    DWORD ThreadId() const { return m_dwThreadId; }
    HANDLE Handle() const { return m_hThread; }
    bool Running() const { return m_hThread != nullptr; }

    // Posts the start handshake until the thread has its queue (or has
    // ended without ever making one).
    void Handshake() const;

private:
    DWORD m_dwThreadId = 0;
    HANDLE m_hThread = nullptr;
};

// Polls of Exit before the thread is stopped by force.
constexpr int kThreadExitPolls = 200;

// The starter's wait for a short worker (the stage loader): pumps the
// caller's own queue without sleeping until the thread has ended; true then.
// When it takes WM_QUIT it stops the thread, posts WM_QUIT again so the
// caller's outer loop still ends, and returns false.
// `beforeStop` (when given) runs first, so a worker that polls no queue can
// be asked to wind up before the stop.
bool WaitPumpingMessages(cThread& thread, void (*beforeStop)() = nullptr);
