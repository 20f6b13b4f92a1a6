#include "platform/end_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "platform/process.h"
#include "support/temp_dir.h"

namespace {

// What a child reports through its exit code.
constexpr int kHeard = 10;
constexpr int kNotHeard = 11;
constexpr int kNoWatcher = 12;

std::atomic<int> g_calls{0};
char g_name[16];

void Heard(const char* name) {
    std::strncpy(g_name, name, sizeof g_name - 1);
    g_calls.fetch_add(1);
}

// Waits (generously: a loaded machine) until the watcher was called.
bool WaitHeard() {
    for (int i = 0; i < 30000 && g_calls.load() == 0; ++i) usleep(1000);
    return g_calls.load() > 0;
}

// Runs body in a forked child (the child alone has a thread, so the
// watcher can block the signals everywhere); returns its wait status.
template <class Body>
int InChild(Body body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

struct SignalCase {
    const char* name;
    int sig;
};

class EndSignals : public ::testing::TestWithParam<SignalCase> {};

// The signal no longer ends the process where it lands: the watcher hears
// it by name and the process goes on to end by itself.
TEST_P(EndSignals, TheWatcherHearsTheSignalAndTheProcessGoesOn) {
    const SignalCase c = GetParam();
    int status = InChild([&] {
        if (!platform::WatchEndSignals(Heard)) return kNoWatcher;
        kill(getpid(), c.sig);
        if (!WaitHeard()) return kNotHeard;
        platform::StopWatchingEndSignals();
        if (platform::WatchingEndSignals()) return kNotHeard;
        return std::string(g_name) == c.name && g_calls.load() == 1 ? kHeard : kNotHeard;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal";
    EXPECT_EQ(WEXITSTATUS(status), kHeard);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndSignals,
                         ::testing::Values(SignalCase{"SIGTERM", SIGTERM}, SignalCase{"SIGINT", SIGINT},
                                           SignalCase{"SIGHUP", SIGHUP}),
                         [](const auto& info) { return std::string(info.param.name); });

// A second request while the first is carried out is not waited on: the
// process ends as that signal says.
TEST(EndSignalsAgain, ASecondSignalEndsTheProcessAtOnce) {
    int status = InChild([] {
        if (!platform::WatchEndSignals(Heard)) return kNoWatcher;
        kill(getpid(), SIGINT);
        if (!WaitHeard()) return kNotHeard;
        kill(getpid(), SIGTERM);
        for (int i = 0; i < 30000; ++i) usleep(1000);
        return kNotHeard;
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

// With the watcher running, SIGTERM still leaves its note in the file the
// end note names, before the game is told to end.
TEST(EndSignalsAgain, SigtermLeavesTheEndNoteFirst) {
    TempDir dir;
    dir.WriteHostFile("report.txt", "");
    int status = InChild([&] {
        if (!platform::WatchEndSignals(Heard)) return kNoWatcher;
        platform::NoteEndRequests("report.txt", "Ended by another copy", "Ended by process");
        kill(getpid(), SIGTERM);
        return WaitHeard() ? kHeard : kNotHeard;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kHeard);
    EXPECT_EQ(dir.ReadHostFile("report.txt").rfind("Ended by another copy (pid ", 0), 0u)
        << "the signal came from this very program";
}

}  // namespace
