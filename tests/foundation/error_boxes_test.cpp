#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/abort.h"
#include "foundation/report.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "support/test_env.h"

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
