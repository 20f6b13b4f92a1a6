#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/abort.h"
#include "foundation/report.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "support/test_env.h"

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
