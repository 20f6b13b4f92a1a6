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
