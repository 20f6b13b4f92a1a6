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
#include "shell/win_main.h"
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

// The kit's editor, as far as the notices go: the socket it listens on.
class ListeningEditor {
public:
    ListeningEditor() {
        // Test processes run side by side: each has an editor of its own.
        EditorTitle = "Tovrasen" + std::to_string(getpid());
        m_fd = socket(AF_UNIX, SOCK_DGRAM, 0);
        std::string name = platform::EditorSocketName(EditorClassName, EditorTitle);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, name.data(), name.size());
        m_bound = m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&addr),
                                    static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size())) == 0;
    }
    ~ListeningEditor() {
        if (m_fd >= 0) close(m_fd);
        EditorTitle = "Tovrasen";
    }
    bool Bound() const { return m_bound; }
    // dwData, the int and the window id of the next notice; false when none.
    bool Next(unsigned& dwData, int& value, std::uint64_t& window) {
        unsigned char p[32];
        if (recv(m_fd, p, sizeof p, MSG_DONTWAIT) != 16) return false;
        auto get = [&](int at, int bytes) {
            std::uint64_t v = 0;
            for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[at + i];
            return v;
        };
        dwData = static_cast<unsigned>(get(0, 4));
        value = static_cast<int>(get(4, 4));
        window = get(8, 8);
        return true;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

TEST(EditorLink, NoticesReachAListeningEditorAndAreDroppedWithoutOne) {
    EXPECT_FALSE(platform::SendEditorNotice("NoSuchEditor", "Nobody", 1, 1, 0)) << "nobody listening: nothing";
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    MainWindow.m_hWnd = reinterpret_cast<HWND>(0x1230);
    NotifyEditorStarted();
    NotifyEditor(0);
    MainWindow.m_hWnd = nullptr;
    unsigned dwData = 9;
    int value = 9;
    std::uint64_t window = 0;
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 1u) << "started";
    EXPECT_EQ(value, 1);
    EXPECT_EQ(window, 0x1230u) << "the game window";
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 0u) << "ended";
    EXPECT_EQ(value, 0) << "start-up failed";
}

TEST_F(MainWindowTest, DestroyingTheWindowInATestPlayTellsTheEditorWithoutAWindow) {
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    TestPlay = 1;
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    TestPlay = 0;
    unsigned dwData = 9;
    int value = 9;
    std::uint64_t window = 1;
    ASSERT_TRUE(editor.Next(dwData, value, window));
    EXPECT_EQ(dwData, 0u);
    EXPECT_EQ(value, 1) << "the window was destroyed";
    EXPECT_EQ(window, 0u) << "its handle is already cleared";
    EXPECT_FALSE(editor.Next(dwData, value, window)) << "one notice only";
}

TEST_F(MainWindowTest, OutsideATestPlayTheEditorHearsNothing) {
    ListeningEditor editor;
    ASSERT_TRUE(editor.Bound());
    SendMessageA(m_hwnd, WM_CLOSE, 0, 0);
    unsigned dwData = 0;
    int value = 0;
    std::uint64_t window = 0;
    EXPECT_FALSE(editor.Next(dwData, value, window));
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

// Without --game the player plays the game of the working folder, or the
// sample game installed beside it when the working folder holds none.
TEST(CommandLine, DefaultGameFolderPrefersTheWorkingFolderThenTheSample) {
    struct Case {
        bool here;
        const char* program;
        bool sample;
        const char* expected;
    };
    const Case cases[] = {
        {true, "/opt/player", true, ""},
        {false, "/opt/player", true, "/opt/player/sample_game"},
        {false, "/opt/player", false, ""},
        {false, "", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultGameFolder(c.here, c.program, c.sample), c.expected) << c.here << " " << c.program;
    }
}

TEST_F(MainWindowTest, AFatalCloseRaisedBeforeTheWindowExistedReachesItOnceRouted) {
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
    Game.CurrentMode = kModeOption;  // where a normal close would ask
    FatalClose();                    // as a data load before the window would
    EXPECT_TRUE(IsWindow(m_hwnd));
    InstallMainWindowRouting(m_hwnd);
    Pump();
    EXPECT_FALSE(IsWindow(m_hwnd)) << "the kept WM_CLOSE closed the window";
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty()) << "an error close asks nothing";
    platform::SetMainWindowRouter(nullptr);
    platform::ClearMainWindowPosts();
}
