#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "foundation/checked_containers.h"
#include "platform/main_window_post.h"
#include "support/test_env.h"

namespace {

bool CloseWasPosted() {
    for (const auto& m : platform::RecordedMainWindowPosts()) {
        if (m.msg == WM_CLOSE) return true;
    }
    return false;
}

}  // namespace

TEST(CheckedVector, BadIndexReportsClosesAndYieldsElementZero) {
    struct Case {
        int index;
        const char* line;
    };
    for (Case c :
         {Case{5, "err V[5] ( 3 , 4 )\r\n"}, Case{-1, "err V[-1] ( 3 , 4 )\r\n"}, Case{3, "err V[3] ( 3 , 4 )\r\n"}}) {
        TestEnv env;
        cVector<int> v = {10, 20, 30};
        int& got = v[c.index];
        EXPECT_EQ(&got, &v.front()) << c.index;
        EXPECT_EQ(env.Report(), c.line);
        EXPECT_EQ(AbortFlag.load(), 1);
        EXPECT_TRUE(CloseWasPosted());
    }
}

TEST(CheckedVector, GoodIndexTouchesNothing) {
    TestEnv env;
    cVector<int> v = {10, 20, 30};
    EXPECT_EQ(v[2], 30);
    EXPECT_EQ(AbortFlag.load(), 0);
    EXPECT_EQ(env.Report(), "");
    EXPECT_TRUE(platform::RecordedMainWindowPosts().empty());
}

TEST(CheckedVector, EmptyVectorYieldsAZeroElementInsteadOfThrowing) {
    TestEnv env;
    cVector<double> v;
    double got = -1;
    EXPECT_NO_THROW(got = v[0]);
    EXPECT_EQ(got, 0.0);
    EXPECT_EQ(env.Report(), "err V[0] ( 0 , 8 )\r\n");
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_TRUE(CloseWasPosted());
}

TEST(CheckedVector, FillOnEmptyReportsNothing) {
    TestEnv env;
    cVector<int> empty;
    empty.Fill(3);
    cVector<int> three(3);
    three.Fill(7);
    EXPECT_EQ(three, (cVector<int>{7, 7, 7}));
    EXPECT_EQ(env.Report(), "");
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(CheckedList, BadIndexYieldsTheSharedZeroElement) {
    TestEnv env;
    cList<int> l = {4, 5};
    EXPECT_EQ(l[1], 5);
    int& first = l[2];
    EXPECT_EQ(first, 0);
    int& second = l[-1];
    EXPECT_EQ(&first, &second) << "every failure of a list type shares one element";
    EXPECT_EQ(env.Report(), "err L[2] ( 2 , 4 )\r\nerr L[-1] ( 2 , 4 )\r\n");
    EXPECT_EQ(AbortFlag.load(), 1);
    EXPECT_TRUE(CloseWasPosted());
}
