#pragma once
// Shared between the thread and the window halves of the platform layer.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/threads.h"

namespace platform::detail {

struct ThreadRecord;

// A window message sent from another thread, waiting for the window thread.
struct SendRequest {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;                     // under sender->mutex
    std::shared_ptr<ThreadRecord> sender;  // kept alive until completed
};

enum class GateState { Running, InCall, Parked };

struct ThreadRecord {
    DWORD id = 0;
    std::mutex mutex;
    std::condition_variable cv;
    bool hasQueue = false;
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SendRequest>> sent;
    int suspendCount = 0;
    GateState state = GateState::Running;
    bool terminated = false;
    bool unwinding = false;
    bool signalled = false;
    bool started = false;  // by BeginThread
    DWORD exitCode = STILL_ACTIVE;
    // Installed on the window thread: runs sent messages and host events
    // before each look at the queue. Called without the mutex held.
    std::function<void()> beforePeek;
};

// The calling thread's record (created on first use).
std::shared_ptr<ThreadRecord> CurrentRecord();

// Call entry and exit of a gated platform call; the lock is held on entry
// and on return (it is released while parked or when unwinding).
void GateEnter(ThreadRecord& rec, std::unique_lock<std::mutex>& lock);
void GateLeave(ThreadRecord& rec, std::unique_lock<std::mutex>& lock);

// Marks a send as answered and wakes its sender.
void CompleteSend(const std::shared_ptr<SendRequest>& req, LRESULT result);

// Appends a message to a record's queue (creating no queue) and wakes it.
void PushMessage(ThreadRecord& rec, const MSG& msg);

}  // namespace platform::detail
