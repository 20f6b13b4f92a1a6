#include <gtest/gtest.h>

#include "platform/clock.h"

TEST(LocalTime, HostTimeIsAPlausibleCalendarDate) {
    platform::SetTestLocalTime(nullptr);
    SYSTEMTIME t{};
    GetLocalTime(&t);
    EXPECT_GE(t.wYear, 2024);
    EXPECT_GE(t.wMonth, 1);
    EXPECT_LE(t.wMonth, 12);
    EXPECT_GE(t.wDay, 1);
    EXPECT_LE(t.wDay, 31);
    EXPECT_LE(t.wDayOfWeek, 6);
    EXPECT_LE(t.wHour, 23);
    EXPECT_LE(t.wMinute, 59);
    EXPECT_LE(t.wMilliseconds, 999);
}

TEST(LocalTime, TestValueReplacesTheHostClockUntilCleared) {
    SYSTEMTIME fixed{2030, 4, 2, 16, 9, 5, 7, 123};
    platform::SetTestLocalTime(&fixed);
    SYSTEMTIME t{};
    GetLocalTime(&t);
    EXPECT_EQ(t.wYear, 2030);
    EXPECT_EQ(t.wMinute, 5);
    EXPECT_EQ(t.wMilliseconds, 123);
    platform::SetTestLocalTime(nullptr);
    GetLocalTime(&t);
    EXPECT_NE(t.wYear, 2030);
}
