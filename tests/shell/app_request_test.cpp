#include "shell/app_requests.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

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
