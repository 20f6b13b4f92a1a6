#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "foundation/abort.h"
#include "platform/editor_link.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "shell/app_requests.h"
#include "shell/command_line.h"
#include "shell/editor_notice.h"
#include "shell/main_window.h"
#include "shell/single_instance.h"
#include "shell/startup.h"
#include "shell_fixture.h"
#include "support/temp_dir.h"

namespace {

// Runs fn in a forked child and returns its exit code.
template <class Fn>
int InChild(Fn fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RuntimeDir : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_old = old ? old : "";
        setenv("XDG_RUNTIME_DIR", m_dir.HostPath().c_str(), 1);
        platform::ClearMessageBoxes();
    }
    void TearDown() override {
        if (m_old.empty()) {
            unsetenv("XDG_RUNTIME_DIR");
        } else {
            setenv("XDG_RUNTIME_DIR", m_old.c_str(), 1);
        }
        platform::ClearMessageBoxes();
    }
    TempDir m_dir;
    std::string m_old;
};

}  // namespace

TEST_F(RuntimeDir, ASecondProcessSeesTheSingleInstanceLockAndItsHolder) {
    platform::InstanceLock lock;
    ASSERT_EQ(lock.Acquire(kInstanceName), platform::InstanceLockResult::Acquired);
    int pid = getpid();
    int code = InChild([pid] {
        platform::InstanceLock other;
        if (other.Acquire(kInstanceName) != platform::InstanceLockResult::AlreadyExists) return 1;
        return other.HolderPid() == pid ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    lock.Release();
    code = InChild([] {
        platform::InstanceLock other;
        return other.Acquire(kInstanceName) == platform::InstanceLockResult::Acquired ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << "a released lock is free again";
}

TEST_F(RuntimeDir, AnsweringNoToTheSecondStartEndsTheNewCopy) {
    platform::InstanceLock lock;
    ASSERT_EQ(lock.Acquire(kInstanceName), platform::InstanceLockResult::Acquired);
    int code = InChild([] {
        platform::QueueMessageBoxAnswer(IDNO);
        platform::InstanceLock second;
        bool goOn = SettleSingleInstance(second);
        auto boxes = platform::RecordedMessageBoxes();
        if (boxes.size() != 1 || boxes[0].caption != "二重起動" || boxes[0].type != MB_YESNO) return 3;
        return goOn ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(RuntimeDir, AnsweringYesStopsTheRunningCopyAndTakesOverTheLock) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t first = fork();
    if (first == 0) {
        platform::InstanceLock held;
        if (held.Acquire(kInstanceName) != platform::InstanceLockResult::Acquired) _exit(9);
        char c = 1;
        if (write(ready[1], &c, 1) != 1) _exit(8);
        for (;;) pause();
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    platform::QueueMessageBoxAnswer(IDYES);
    platform::InstanceLock second;
    EXPECT_TRUE(SettleSingleInstance(second));
    EXPECT_TRUE(second.Held());
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the first copy was asked to end";
    close(ready[0]);
    close(ready[1]);
}

TEST(EditorLink, NoticesReachAListeningEditorAndAreDroppedWithoutOne) {
    EXPECT_FALSE(platform::SendEditorNotice("NoSuchEditor", "Nobody", 1, 1, 0)) << "nobody listening: nothing";
    int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    std::string name = platform::EditorSocketName("Tovrasen_Editor", "Tovrasen");
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, name.data(), name.size());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr),
                   static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size())),
              0);
    MainWindow.m_hWnd = nullptr;
    NotifyEditorStarted();
    NotifyEditor(0);
    unsigned char packet[32];
    ASSERT_EQ(recv(fd, packet, sizeof packet, MSG_DONTWAIT), 16);
    EXPECT_EQ(packet[0], 1) << "dwData 1: started";
    EXPECT_EQ(packet[4], 1) << "the int 1";
    ASSERT_EQ(recv(fd, packet, sizeof packet, MSG_DONTWAIT), 16);
    EXPECT_EQ(packet[0], 0) << "dwData 0: ended";
    EXPECT_EQ(packet[4], 0) << "start-up failed";
    close(fd);
}

TEST(Startup, AFatalCloseDuringAStepFailsStartUpAndTheCloseIsKeptForTheWindow) {
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
    AbortFlag.store(0);
    bool laterStepRan = false;
    std::vector<StartupStep> steps = {
        {"fine", [] { return true; }},
        {"fatal",
         [] {
             FatalClose();
             return true;  // the step itself reports success
         }},
        {"later",
         [&] {
             laterStepRan = true;
             return true;
         }},
    };
    EXPECT_FALSE(RunStartupSteps(steps));
    EXPECT_FALSE(laterStepRan);
    auto posts = platform::RecordedMainWindowPosts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].msg, WM_CLOSE);
    AbortFlag.store(0);
    platform::ClearMainWindowPosts();
}

TEST(Startup, AFailedStepStopsTheSequence) {
    int ran = 0;
    std::vector<StartupStep> steps = {{"a", [&] { return ++ran, false; }}, {"b", [&] { return ++ran, true; }}};
    EXPECT_FALSE(RunStartupSteps(steps));
    EXPECT_EQ(ran, 1);
}

TEST_F(MainWindowTest, ARequestToAClosingWindowReturnsAtOnceWithItsDoneFlagSet) {
    platform::BeginWindowClose(m_hwnd);
    RequestResult.store(1);
    RequestDone.store(0);
    DWORD before = timeGetTime();
    EXPECT_EQ(SendAppRequest(WM_USER + 2, 0, 0, RequestDone), 0);
    EXPECT_LT(timeGetTime() - before, 50u);
    EXPECT_EQ(RequestDone.load(), 1);
    EXPECT_EQ(RequestResult.load(), 0) << "no success is reported for a request that never ran";
}

struct ParseCase {
    std::vector<std::string> args;
    bool ok;
    long long frames;
    bool headless;
    std::string stage;
};

TEST(CommandLine, SwitchesValuesAndErrors) {
    const ParseCase cases[] = {
        {{}, true, -1, false, ""},
        {{"--headless", "--frames", "120", "--screenshot", "a.png"}, true, 120, true, ""},
        {{"--test-play", "stage.stg4_001"}, true, -1, false, "stage.stg4_001"},
        {{"--frames"}, false, -1, false, ""},
        {{"--frames", "-3"}, false, -1, false, ""},
        {{"--frames", "12x"}, false, -1, false, ""},
        {{"--bogus"}, false, -1, false, ""},
        {{"a", "b"}, false, -1, false, "a"},
    };
    for (const auto& c : cases) {
        PlayerOptions o;
        std::string error;
        bool ok = ParseCommandLine(c.args, o, &error);
        std::string label = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(ok, c.ok) << label;
        EXPECT_EQ(ok, error.empty()) << label;
        if (!ok) continue;
        EXPECT_EQ(o.frames, c.frames) << label;
        EXPECT_EQ(o.headless, c.headless) << label;
        EXPECT_EQ(o.stageFile, c.stage) << label;
    }
}
