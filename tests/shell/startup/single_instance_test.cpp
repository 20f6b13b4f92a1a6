#include "shell/startup/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "foundation/report.h"
#include "platform/message_box.h"
#include "support/test_env.h"

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
        setenv("XDG_RUNTIME_DIR", m_env.Dir().HostPath().c_str(), 1);
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
    // Forks a copy that holds the lock with a run report of its own
    // ("first_report.txt"), and waits until it does; its pid, or -1.
    static pid_t StartRunningCopy() {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        pid_t pid = fork();
        if (pid == 0) {
            platform::InstanceLock held;
            if (held.Acquire(kInstanceName) != platform::InstanceLockResult::Acquired) _exit(9);
            if (!CreateReport("first_report.txt")) _exit(7);
            NoteEndByAnotherCopy();
            char c = 1;
            if (write(ready[1], &c, 1) != 1) _exit(8);
            for (;;) pause();
        }
        char c = 0;
        bool started = pid > 0 && read(ready[0], &c, 1) == 1;
        close(ready[0]);
        close(ready[1]);
        return started ? pid : -1;
    }
    TestEnv m_env;
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
        bool goOn = SettleSingleInstance(second, false);
        auto boxes = platform::RecordedMessageBoxes();
        if (boxes.size() != 1 || boxes[0].caption != "二重起動" || boxes[0].type != MB_YESNO) return 3;
        return goOn ? 1 : 0;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(RuntimeDir, AnsweringYesStopsTheRunningCopyAndBothReportsSaySo) {
    pid_t first = StartRunningCopy();
    ASSERT_GT(first, 0);
    platform::QueueMessageBoxAnswer(IDYES);
    platform::InstanceLock second;
    EXPECT_TRUE(SettleSingleInstance(second, false));
    EXPECT_TRUE(second.Held());
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the first copy was asked to end";
    EXPECT_NE(m_env.Report().find("Ended the running copy of the game (pid " + std::to_string(first) + ")\r\n"),
              std::string::npos);
    EXPECT_EQ(m_env.Dir().ReadHostFile("first_report.txt"),
              "Ended by another copy of the game (pid " + std::to_string(getpid()) + ")\r\n");
}

TEST_F(RuntimeDir, AHeadlessRunAsksNothingAndLeavesTheRunningCopyAlone) {
    pid_t first = StartRunningCopy();
    ASSERT_GT(first, 0);
    platform::InstanceLock second;
    EXPECT_TRUE(SettleSingleInstance(second, true));
    EXPECT_FALSE(second.Held()) << "the lock stays with the running copy";
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
    int status = 0;
    EXPECT_EQ(waitpid(first, &status, WNOHANG), 0) << "the running copy still runs";
    kill(first, SIGKILL);
    waitpid(first, &status, 0);
    EXPECT_EQ(m_env.Dir().ReadHostFile("first_report.txt"), "");
}
