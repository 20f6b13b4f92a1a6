#include "foundation/file_reading.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "foundation/data_file.h"
#include "support/test_env.h"

namespace {

// Runs fn in a child process and gives its exit code, or -1 when it has not
// ended within the time (the child is then killed): a reader that waits on
// a pipe must fail the test, not hang it.
int InChildWithin(int milliseconds, const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 5) {
        if (waited >= milliseconds) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(5000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct StandIn {
    const char* what;
    std::function<bool(const std::string& hostPath)> make;
};

const StandIn kStandIns[] = {
    {"a named pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0644) == 0; }},
    {"a folder", [](const std::string& p) { return std::filesystem::create_directory(p); }},
    {"a device", [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
};

}  // namespace

TEST(GameFileReading, StandInsForADataFileAreRefusedAtOnce) {
    for (const auto& standIn : kStandIns) {
        SCOPED_TRACE(standIn.what);
        TestEnv env;
        ASSERT_TRUE(standIn.make(env.Dir().HostPath() + "/Stage1.dat"));
        int result = InChildWithin(5000, [] { return OpenDataFileRead("Stage1.dat") ? 1 : 0; });
        EXPECT_EQ(result, 0) << "-1: still waiting after 5 s";
        EXPECT_EQ(env.Report(), "Stage1.dat : 読み込みを中止しました (not a regular file)\r\n");
    }
}

TEST(GameFileReading, OversizedFileIsRefusedAndAMissingOneIsQuiet) {
    TestEnv env;
    env.Dir().WriteHostFile("big.bin", "0123456789");
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(ReadGameFile("big.bin", bytes, 9));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadGameFile("missing.bin", bytes, 9));
    EXPECT_EQ(env.Report(), "big.bin : 読み込みを中止しました (larger than 9 bytes)\r\n");
    ASSERT_TRUE(ReadGameFile("big.bin", bytes, 10));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
}
