#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/abort.h"
#include "foundation/report.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "support/test_env.h"

TEST(RunReport, LinesAreAppendedWithCrLf) {
    TestEnv env;
    EXPECT_EQ(LogPrintf("App : ver %s", "920"), 1);
    EXPECT_EQ(LogPrintf("no placeholders"), 1);
    EXPECT_EQ(LogLine("100% kept"), 1);
    EXPECT_EQ(LogPrintfBoth("two\nlines"), 1);
    EXPECT_EQ(env.Report(), "App : ver 920\r\nno placeholders\r\n100% kept\r\ntwo\r\nlines\r\n");
}

TEST(RunReport, CreateEmptiesAndAFailedCreateKeepsThePath) {
    TestEnv env;
    LogPrintf("old line");
    ASSERT_EQ(CreateReport("Report_Game.txt"), 1);
    EXPECT_EQ(env.Report(), "");
    std::string before = ReportPathValue();
    EXPECT_EQ(CreateReport("no_such_folder\\Report_Game.txt"), 0);
    EXPECT_EQ(ReportPathValue(), before);
}

TEST(RunReport, DeletedReportDropsLinesQuietly) {
    TestEnv env;
    std::filesystem::remove(env.Dir().HostPath() + "/Report_Game.txt");
    EXPECT_EQ(LogPrintf("lost"), 0);
    EXPECT_EQ(LogPrintfBoth("lost"), 0);
    EXPECT_FALSE(env.Dir().HostFileExists("Report_Game.txt")) << "the report is never re-created";
}

TEST(ErrorBoxes, LogErrorBoxShowsItsBoxEvenWithoutAReport) {
    TestEnv env;
    EXPECT_EQ(LogErrorBox("bad %d", 3), 1);
    std::filesystem::remove(env.Dir().HostPath() + "/Report_Game.txt");
    EXPECT_EQ(LogErrorBox("start-up failed"), 0);
    auto boxes = platform::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "bad 3");
    EXPECT_EQ(boxes[1].text, "start-up failed");
    EXPECT_EQ(boxes[1].caption, "エラー");
    EXPECT_EQ(boxes[1].type, MB_OK);
}

TEST(ErrorBoxes, OutOfMemoryShowsTheBoxThenCloses) {
    TestEnv env;
    bool closedBeforeBox = true;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRecord& r) {
        closedBeforeBox = AbortFlag.load() != 0;
        EXPECT_EQ(r.text, "メモリが不足しています！");
        EXPECT_EQ(r.caption, "エラー");
        return IDOK;
    });
    OutOfMemoryExit();
    platform::SetMessageBoxHandler(nullptr);
    EXPECT_FALSE(closedBeforeBox);
    EXPECT_EQ(AbortFlag.load(), 1);
    auto posts = platform::RecordedMainWindowPosts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].msg, WM_CLOSE);
}

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

TEST(ErrorBoxes, FullScreenBoxesGoThroughTheInFrameBox) {
    TestEnv env;
    bool full = false;
    int inFrame = 0;
    SetInFrameMessageBox([&](const std::string&, const std::string&, UINT) { return ++inFrame; }, [&] { return full; });
    ErrorBox("windowed");
    full = true;
    ErrorBox("full screen");
    SetInFrameMessageBox(nullptr, nullptr);
    EXPECT_EQ(inFrame, 1);
    ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedMessageBoxes()[0].text, "windowed");
}

TEST(MainWindowPosts, KeptUntilTheWindowExists) {
    TestEnv env;
    FatalClose();
    std::vector<platform::PostedMessage> delivered;
    platform::SetMainWindowRouter([&](const platform::PostedMessage& m) {
        delivered.push_back(m);
        return true;
    });
    platform::PostToMainWindow(WM_USER + 5, 3, 0);
    platform::SetMainWindowRouter(nullptr);
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_EQ(delivered[0].msg, WM_CLOSE);
    EXPECT_EQ(delivered[1].msg, WM_USER + 5);
}
