#include "platform/end_signals.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/host_log.h"
#include "platform/process_internal.h"

namespace platform {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The watcher thread runs detached: a process that ends through exit()
// while it runs (a library may call exit) must not find a joinable thread
// among its globals. Stopping waits for it to say it is done.
struct Watcher {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = true;
    std::atomic<bool> stop{false};
    std::atomic<bool> running{false};
} g_watcher;

sigset_t EndSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kEndSignals) sigaddset(&set, sig);
    return set;
}

const char* SignalName(int sig) {
    switch (sig) {
        case SIGTERM: return "SIGTERM";
        case SIGINT: return "SIGINT";
        default: return "SIGHUP";
    }
}

// A request that comes while the first one is still being carried out ends
// the process at once, the way the signal would have without the watcher.
[[noreturn]] void EndAsTheSignalSays(int sig) {
    signal(sig, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, sig);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    raise(sig);
    _exit(128 + sig);
}

void Watch(std::function<void(const char*)> onEnd) {
    const sigset_t set = EndSignalSet();
    bool ending = false;
    // The wait wakes up now and then to see whether it should stop.
    const timespec slice{0, 50 * 1000 * 1000};
    while (!g_watcher.stop.load()) {
        siginfo_t info{};
        const int sig = sigtimedwait(&set, &info, &slice);
        if (sig <= 0) continue;
        if (ending) EndAsTheSignalSays(sig);
        ending = true;
        if (sig == SIGTERM) detail::WriteEndNote(info.si_pid);
        onEnd(SignalName(sig));
    }
    std::lock_guard<std::mutex> lock(g_watcher.mutex);
    g_watcher.finished = true;
    g_watcher.done.notify_all();
}

}  // namespace

bool WatchEndSignals(std::function<void(const char* signalName)> onEnd) {
    std::lock_guard<std::mutex> lock(g_watcher.mutex);
    if (g_watcher.running.load()) return true;
    const sigset_t set = EndSignalSet();
    sigset_t old;
    if (pthread_sigmask(SIG_BLOCK, &set, &old) != 0) return false;
    g_watcher.stop.store(false);
    try {
        std::thread(Watch, std::move(onEnd)).detach();
    } catch (const std::system_error&) {
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        return false;
    }
    g_watcher.finished = false;
    g_watcher.running.store(true);
    return true;
}

void StopWatchingEndSignals() {
    std::unique_lock<std::mutex> lock(g_watcher.mutex);
    if (!g_watcher.running.load()) return;
    g_watcher.stop.store(true);
    g_watcher.done.wait(lock, [] { return g_watcher.finished; });
    g_watcher.running.store(false);
}

bool WatchingEndSignals() { return g_watcher.running.load(); }

namespace {
std::mutex g_lostMutex;
std::function<void()> g_lostHandler;
std::atomic<bool> g_ending{false};
thread_local bool t_ending = false;
}  // namespace

void SetDisplayLostHandler(std::function<void()> handler) {
    std::lock_guard<std::mutex> lock(g_lostMutex);
    g_lostHandler = std::move(handler);
}

void EndAfterDisplayLost(const std::string& why) {
    // The handler itself met the lost display again: it cannot finish.
    if (t_ending) _exit(1);
    if (g_ending.exchange(true)) {
        for (;;) pause();
    }
    t_ending = true;
    HostWarn("player: the display is gone (" + why + "); the game ended");
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> lock(g_lostMutex);
        handler = g_lostHandler;
    }
    if (handler) handler();
    _exit(1);
}

}  // namespace platform
