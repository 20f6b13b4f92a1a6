#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/abort.h"
#include "foundation/report.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "support/test_env.h"

TEST(DebugLog, OffWritesNothingButFatalLogStillCloses) {
    TestEnv env;
    SetDebugLog(0, "EC_Game.txt");
    EXPECT_EQ(WriteLog("trace"), 0);
    EXPECT_EQ(DebugErrorBoxF("x"), 0);
    FatalLogF(nullptr, "fatal %d", 1);
    EXPECT_FALSE(env.Dir().HostFileExists("EC_Game.txt"));
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
    EXPECT_EQ(AbortFlag.load(), 1);
    ASSERT_EQ(platform::RecordedMainWindowPosts().size(), 1u);
}

TEST(DebugLog, OnTheFirstWriteEmptiesTheFile) {
    TestEnv env;
    env.Dir().WriteHostFile("dbg.txt", "stale\r\n");
    SetDebugLog(1, "dbg.txt");
    WriteLog("one");
    WriteLogF("two %d", 2);
    SetDebugLog(0, "EC_Game.txt");
    EXPECT_EQ(env.Dir().ReadHostFile("dbg.txt"), "one\r\ntwo 2\r\n");
}
