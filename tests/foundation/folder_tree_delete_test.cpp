#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "foundation/paths.h"
#include "platform/files.h"
#include "support/test_env.h"

namespace {

constexpr int kNoJail = 77;

// Runs fn in a child process whose root folder is the test's temporary
// folder, so a deletion that wrongly climbs to "the root" can only reach
// files the test made. Returns fn's result, or kNoJail when the host allows
// no such child (fn is then never called).
int InJailAt(const std::string& hostFolder, const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) {
        if (chroot(hostFolder.c_str()) != 0 && (unshare(CLONE_NEWUSER) != 0 || chroot(hostFolder.c_str()) != 0)) {
            _exit(kNoJail);
        }
        if (chdir("/") != 0) _exit(kNoJail);
        _exit(fn());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(DeleteFolderTree, DeletesAllOrStopsAtAReadOnlyFile) {
    TestEnv env;
    env.Dir().WriteHostFile("tree/a.txt", "a");
    env.Dir().WriteHostFile("tree/sub/b.txt", "b");
    EXPECT_TRUE(DeleteFolderTree("tree"));
    EXPECT_FALSE(env.Dir().HostFileExists("tree"));

    env.Dir().WriteHostFile("locked/ro.txt", "r");
    ASSERT_TRUE(platform::SetReadOnly("locked\\ro.txt", true));
    EXPECT_FALSE(DeleteFolderTree("locked\\"));
    EXPECT_TRUE(env.Dir().HostFileExists("locked/ro.txt"));
    EXPECT_FALSE(DeleteFolderTree("no_such_folder"));
}

TEST(DeleteFolderTree, RefusesAnEmptyPathAndTheRoot) {
    TestEnv env;
    env.Dir().WriteHostFile("keep/k.txt", "k");
    env.Dir().WriteHostFile("top.txt", "t");
    int refused = InJailAt(env.Dir().HostPath(), [] {
        int count = 0;
        for (const char* path : {"", "\\", "/", "keep\\..\\..", "\\keep\\..\\"}) {
            if (!DeleteFolderTree(path)) ++count;
        }
        return count;
    });
    if (refused == kNoJail) GTEST_SKIP() << "no chroot on this host: the root is never put at risk";
    EXPECT_EQ(refused, 5);
    EXPECT_TRUE(env.Dir().HostFileExists("keep/k.txt"));
    EXPECT_TRUE(env.Dir().HostFileExists("top.txt"));
}

TEST(DeleteFolderTree, RemovesLinksAsLinksAndNeverFollowsThem) {
    namespace fs = std::filesystem;
    TestEnv env;
    env.Dir().WriteHostFile("elsewhere/precious.txt", "p");
    env.Dir().WriteHostFile("tree/own.txt", "o");
    const fs::path root = env.Dir().HostPath();
    fs::create_directory_symlink(root / "elsewhere", root / "tree" / "folder_link");
    fs::create_symlink(root / "elsewhere" / "precious.txt", root / "tree" / "file_link");
    fs::create_symlink(root / "gone", root / "tree" / "dangling_link");
    fs::create_directory_symlink(root / "elsewhere", root / "top_link");

    EXPECT_TRUE(DeleteFolderTree("tree"));
    EXPECT_FALSE(env.Dir().HostFileExists("tree"));
    EXPECT_TRUE(DeleteFolderTree("top_link\\")) << "a link given as the tree goes as a link";
    EXPECT_FALSE(fs::is_symlink(root / "top_link"));
    EXPECT_EQ(env.Dir().ReadHostFile("elsewhere/precious.txt"), "p");
}
