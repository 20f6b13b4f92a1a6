#pragma once
// Threads and per-thread message queues. Worker threads are stopped and suspended
// cooperatively: every call declared here (and Sleep) is a gate where a
// suspended thread parks and a forcibly stopped thread unwinds to its entry.
#include "platform/win_types.h"

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Thread handles are opaque identities; 0 is "no thread".
struct HANDLE__;
using HANDLE = HANDLE__*;

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD STILL_ACTIVE = 259;

using ThreadProc = unsigned (*)(void* argument);

// Contract: starts proc(argument) on a new thread at once and stores its id
// in *threadId (when given). Returns the handle, or 0 when no thread could be
// started. The new thread has no message queue until its first PeekMessageA
// or GetMessageA.
HANDLE BeginThread(ThreadProc proc, void* argument, DWORD* threadId);

// Contract: WAIT_OBJECT_0 once the thread has returned or was terminated,
// WAIT_TIMEOUT when that did not happen within timeoutMs (0 tests without
// waiting), WAIT_FAILED for an unknown handle. A gate for the caller.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);

// Contract: forgets the handle; a thread still running goes on detached.
// FALSE for an unknown handle.
BOOL CloseHandle(HANDLE handle);

// Contract: raises the thread's suspend count and returns the previous count
// (0xFFFFFFFF for an unknown handle). Returns once the thread is parked at a
// gate or blocked inside a platform call (it parks when that call ends), so
// it never deadlocks against a thread that waits for the caller, e.g. in
// SendMessageA. A thread that reaches no gate within 2 s is left to park at
// its next one.
DWORD SuspendThread(HANDLE handle);

// Contract: lowers the suspend count (never below 0) and returns the previous
// count; the thread goes on when it reaches 0. 0xFFFFFFFF for an unknown
// handle.
DWORD ResumeThread(HANDLE handle);

// Contract: forced stop. The handle is signalled at once and the thread is
// detached and logged; its next gate unwinds it to its entry (its own data is
// kept alive until then). FALSE for an unknown handle.
BOOL TerminateThread(HANDLE handle, DWORD exitCode);

// Contract: the exit code of a thread that has ended, STILL_ACTIVE while it
// runs. FALSE for an unknown handle.
BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode);

// Contract: the calling thread's id (never 0); any thread gets one.
DWORD GetCurrentThreadId();

// Contract: appends a message to the queue of thread threadId. FALSE (and
// nothing queued) when no such thread exists or it has no queue yet.
BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: creates the caller's queue when it has none; on the window thread
// first runs the window messages sent by other threads and turns host events
// into window messages. Then takes the oldest message within [filterMin,
// filterMax] (both 0: any) into *msg; removes it with PM_REMOVE. TRUE when a
// message was found. The window filter is not used. A gate.
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);

// Contract: as PeekMessageA with PM_REMOVE, but blocks until a message is
// there. Returns 0 for WM_QUIT, else non-zero. A forcibly stopped caller
// unwinds. A gate.
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);

// Contract: blocks until the caller's queue holds a message (on the window
// thread: also a sent message or a host event). A gate.
BOOL WaitMessage();

// Contract: posts WM_QUIT with wParam exitCode to the caller's own queue.
void PostQuitMessage(int exitCode);

namespace platform {

// Thrown at the gate of a forcibly stopped thread; only the thread entry of
// BeginThread catches it. Not derived from std::exception on purpose, so no
// handler of game code swallows it by accident.
struct ThreadStopped {};

// Contract: the gate itself, for platform calls implemented elsewhere
// (Sleep, the window's send): parks while the caller is suspended, unwinds a
// stopped caller.
void ThreadGate();

// Contract: sleeps ms milliseconds as a gate; a stopped caller wakes at once
// and unwinds.
void GatedSleep(DWORD ms);

// Contract: number of threads started with BeginThread that have neither
// returned nor been terminated (tests).
int RunningThreadCount();

}  // namespace platform
