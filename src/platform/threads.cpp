#include "platform/threads.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <map>
#include <thread>

#include "platform/host_log.h"
#include "platform/threads_internal.h"

namespace platform::detail {
namespace {

std::atomic<DWORD> g_nextId{0x1000};
std::atomic<int> g_running{0};

struct HandleObject {
    std::shared_ptr<ThreadRecord> rec;
    std::thread thread;
};

struct Registry {
    std::mutex mutex;
    std::map<DWORD, std::weak_ptr<ThreadRecord>> byId;
    std::map<HANDLE, std::unique_ptr<HandleObject>> handles;
};

// Never destroyed: detached threads end (and unregister) after static
// destruction has begun, and a handle still open at exit must not take a
// running thread down with it.
Registry& TheRegistry() {
    static Registry* registry = new Registry;
    return *registry;
}

std::shared_ptr<ThreadRecord> NewRecord() {
    auto rec = std::make_shared<ThreadRecord>();
    rec->id = g_nextId.fetch_add(1);
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    TheRegistry().byId[rec->id] = rec;
    return rec;
}

void Unregister(DWORD id) {
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    TheRegistry().byId.erase(id);
}

std::shared_ptr<ThreadRecord> FindById(DWORD id) {
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    auto it = TheRegistry().byId.find(id);
    return it == TheRegistry().byId.end() ? nullptr : it->second.lock();
}

std::shared_ptr<ThreadRecord> FindByHandle(HANDLE h) {
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    auto it = TheRegistry().handles.find(h);
    return it == TheRegistry().handles.end() ? nullptr : it->second->rec;
}

// Every thread that touches the layer gets a record; the holder removes the
// id from the registry when the thread ends.
struct CurrentHolder {
    std::shared_ptr<ThreadRecord> rec;
    ~CurrentHolder() {
        if (rec) Unregister(rec->id);
    }
};
thread_local CurrentHolder t_current;

void ParkWhileSuspended(ThreadRecord& rec, std::unique_lock<std::mutex>& lock) {
    GateState before = rec.state;
    while (rec.suspendCount > 0 && !rec.terminated) {
        rec.state = GateState::Parked;
        rec.cv.notify_all();
        rec.cv.wait(lock);
    }
    rec.state = before;
    if (rec.terminated && !rec.unwinding && std::uncaught_exceptions() == 0) {
        rec.unwinding = true;
        lock.unlock();
        throw ThreadStopped{};
    }
}

void RunThread(std::shared_ptr<ThreadRecord> rec, ThreadProc proc, void* argument) {
    t_current.rec = rec;
    unsigned code = 0;
    try {
        {
            // A thread suspended before it ran parks before its first line.
            std::unique_lock<std::mutex> lock(rec->mutex);
            ParkWhileSuspended(*rec, lock);
        }
        code = proc(argument);
    } catch (const ThreadStopped&) { code = 0; }
    std::lock_guard<std::mutex> lock(rec->mutex);
    if (!rec->terminated) {
        rec->exitCode = code;
        g_running.fetch_sub(1);
    }
    rec->signalled = true;
    rec->cv.notify_all();
}

}  // namespace

std::shared_ptr<ThreadRecord> CurrentRecord() {
    if (!t_current.rec) t_current.rec = NewRecord();
    return t_current.rec;
}

void GateEnter(ThreadRecord& rec, std::unique_lock<std::mutex>& lock) {
    ParkWhileSuspended(rec, lock);
    rec.state = GateState::InCall;
    rec.cv.notify_all();
}

void GateLeave(ThreadRecord& rec, std::unique_lock<std::mutex>& lock) {
    ParkWhileSuspended(rec, lock);
    rec.state = GateState::Running;
}

void CompleteSend(const std::shared_ptr<SendRequest>& req, LRESULT result) {
    std::lock_guard<std::mutex> lock(req->sender->mutex);
    req->result = result;
    req->done = true;
    req->sender->cv.notify_all();
}

void PushMessage(ThreadRecord& rec, const MSG& msg) {
    std::lock_guard<std::mutex> lock(rec.mutex);
    rec.posted.push_back(msg);
    rec.cv.notify_all();
}

}  // namespace platform::detail

using namespace platform::detail;

namespace {

bool InFilter(UINT m, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (m >= lo && m <= hi); }

// Takes the first matching message; the lock is held.
bool TakeMessage(ThreadRecord& rec, MSG* out, UINT lo, UINT hi, bool remove) {
    for (auto it = rec.posted.begin(); it != rec.posted.end(); ++it) {
        if (!InFilter(it->message, lo, hi)) continue;
        if (out) *out = *it;
        if (remove) rec.posted.erase(it);
        return true;
    }
    return false;
}

void RunBeforePeek(ThreadRecord& rec, std::unique_lock<std::mutex>& lock) {
    if (!rec.beforePeek) return;
    auto hook = rec.beforePeek;
    lock.unlock();
    hook();
    lock.lock();
}

// Waits for the record's condition; the window thread also polls its host
// events, which do not notify the condition.
template <class Pred>
void BlockUntil(ThreadRecord& rec, std::unique_lock<std::mutex>& lock, Pred ready) {
    while (!ready() && !rec.terminated) {
        if (rec.beforePeek) {
            rec.cv.wait_for(lock, std::chrono::milliseconds(5));
            RunBeforePeek(rec, lock);
        } else {
            rec.cv.wait(lock);
        }
    }
}

}  // namespace

HANDLE BeginThread(ThreadProc proc, void* argument, DWORD* threadId) {
    if (!proc) return nullptr;
    auto obj = std::make_unique<HandleObject>();
    obj->rec = NewRecord();
    HANDLE h = reinterpret_cast<HANDLE>(obj.get());
    g_running.fetch_add(1);
    try {
        obj->thread = std::thread(RunThread, obj->rec, proc, argument);
    } catch (...) {
        g_running.fetch_sub(1);
        Unregister(obj->rec->id);
        return nullptr;
    }
    if (threadId) *threadId = obj->rec->id;
    std::lock_guard<std::mutex> lock(TheRegistry().mutex);
    TheRegistry().handles[h] = std::move(obj);
    return h;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs) {
    auto self = CurrentRecord();
    auto target = FindByHandle(handle);
    {
        std::unique_lock<std::mutex> lock(self->mutex);
        GateEnter(*self, lock);
        GateLeave(*self, lock);
    }
    if (!target) return WAIT_FAILED;
    auto signalled = [&] {
        std::lock_guard<std::mutex> lock(target->mutex);
        return target->signalled;
    };
    if (signalled()) return WAIT_OBJECT_0;
    if (timeoutMs == 0) return WAIT_TIMEOUT;
    DWORD waited = 0;
    while (!signalled()) {
        if (timeoutMs != INFINITE && waited >= timeoutMs) return WAIT_TIMEOUT;
        platform::GatedSleep(1);
        ++waited;
    }
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE handle) {
    std::unique_ptr<HandleObject> obj;
    {
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        auto it = TheRegistry().handles.find(handle);
        if (it == TheRegistry().handles.end()) return FALSE;
        obj = std::move(it->second);
        TheRegistry().handles.erase(it);
    }
    bool returned;
    {
        std::lock_guard<std::mutex> lock(obj->rec->mutex);
        returned = obj->rec->signalled && !obj->rec->terminated;
    }
    if (obj->thread.joinable()) {
        if (returned && obj->thread.get_id() != std::this_thread::get_id()) {
            obj->thread.join();
        } else {
            obj->thread.detach();
        }
    }
    return TRUE;
}

DWORD SuspendThread(HANDLE handle) {
    auto rec = FindByHandle(handle);
    if (!rec) return 0xFFFFFFFFu;
    std::unique_lock<std::mutex> lock(rec->mutex);
    DWORD previous = static_cast<DWORD>(rec->suspendCount++);
    auto reachedGate = [&] { return rec->state != GateState::Running || rec->signalled; };
    if (!rec->cv.wait_for(lock, std::chrono::seconds(2), reachedGate)) {
        lock.unlock();
        platform::HostLog("SuspendThread: thread " + std::to_string(rec->id) +
                          " reached no gate within 2 s; it parks at its next one");
    }
    return previous;
}

DWORD ResumeThread(HANDLE handle) {
    auto rec = FindByHandle(handle);
    if (!rec) return 0xFFFFFFFFu;
    std::lock_guard<std::mutex> lock(rec->mutex);
    DWORD previous = static_cast<DWORD>(rec->suspendCount);
    if (rec->suspendCount > 0) --rec->suspendCount;
    rec->cv.notify_all();
    return previous;
}

BOOL TerminateThread(HANDLE handle, DWORD exitCode) {
    auto rec = FindByHandle(handle);
    if (!rec) return FALSE;
    {
        std::lock_guard<std::mutex> lock(rec->mutex);
        if (rec->signalled) return TRUE;
        rec->terminated = true;
        rec->signalled = true;
        rec->exitCode = exitCode;
        rec->cv.notify_all();
    }
    g_running.fetch_sub(1);
    {
        std::lock_guard<std::mutex> lock(TheRegistry().mutex);
        auto it = TheRegistry().handles.find(handle);
        if (it != TheRegistry().handles.end() && it->second->thread.joinable()) it->second->thread.detach();
    }
    platform::HostLog("TerminateThread: thread " + std::to_string(rec->id) + " was stopped by force and detached");
    return TRUE;
}

BOOL GetExitCodeThread(HANDLE handle, DWORD* exitCode) {
    auto rec = FindByHandle(handle);
    if (!rec || !exitCode) return FALSE;
    std::lock_guard<std::mutex> lock(rec->mutex);
    *exitCode = rec->signalled ? rec->exitCode : STILL_ACTIVE;
    return TRUE;
}

DWORD GetCurrentThreadId() { return CurrentRecord()->id; }

BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto rec = FindById(threadId);
    if (!rec) return FALSE;
    std::lock_guard<std::mutex> lock(rec->mutex);
    if (!rec->hasQueue || rec->signalled) return FALSE;
    rec->posted.push_back(MSG{nullptr, msg, wParam, lParam});
    rec->cv.notify_all();
    return TRUE;
}

BOOL PeekMessageA(MSG* msg, HWND, UINT filterMin, UINT filterMax, UINT removeFlags) {
    auto rec = CurrentRecord();
    std::unique_lock<std::mutex> lock(rec->mutex);
    GateEnter(*rec, lock);
    rec->hasQueue = true;
    RunBeforePeek(*rec, lock);
    bool found = TakeMessage(*rec, msg, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0);
    GateLeave(*rec, lock);
    return found ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND, UINT filterMin, UINT filterMax) {
    auto rec = CurrentRecord();
    std::unique_lock<std::mutex> lock(rec->mutex);
    GateEnter(*rec, lock);
    rec->hasQueue = true;
    RunBeforePeek(*rec, lock);
    MSG taken;
    BlockUntil(*rec, lock, [&] { return TakeMessage(*rec, &taken, filterMin, filterMax, true); });
    if (rec->terminated) taken = MSG{nullptr, WM_QUIT, 0, 0};
    GateLeave(*rec, lock);
    if (msg) *msg = taken;
    return taken.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    auto rec = CurrentRecord();
    std::unique_lock<std::mutex> lock(rec->mutex);
    GateEnter(*rec, lock);
    rec->hasQueue = true;
    RunBeforePeek(*rec, lock);
    BlockUntil(*rec, lock, [&] { return !rec->posted.empty() || !rec->sent.empty(); });
    GateLeave(*rec, lock);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    auto rec = CurrentRecord();
    std::lock_guard<std::mutex> lock(rec->mutex);
    rec->hasQueue = true;
    rec->posted.push_back(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
    rec->cv.notify_all();
}

namespace platform {

void ThreadGate() {
    auto rec = CurrentRecord();
    std::unique_lock<std::mutex> lock(rec->mutex);
    GateEnter(*rec, lock);
    GateLeave(*rec, lock);
}

void GatedSleep(DWORD ms) {
    auto rec = CurrentRecord();
    std::unique_lock<std::mutex> lock(rec->mutex);
    GateEnter(*rec, lock);
    if (ms == 0) {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    } else {
        rec->cv.wait_for(lock, std::chrono::milliseconds(ms), [&] { return rec->terminated; });
    }
    GateLeave(*rec, lock);
}

int RunningThreadCount() { return g_running.load(); }

}  // namespace platform
