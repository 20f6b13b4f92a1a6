#include <gtest/gtest.h>

#include <thread>

#include "platform/random.h"

TEST(CrtRandom, SeedOneGivesTheClassicSequence) {
    platform::srand(1);
    EXPECT_EQ(platform::rand(), 41);
    EXPECT_EQ(platform::rand(), 18467);
    EXPECT_EQ(platform::rand(), 6334);
}

TEST(CrtRandom, StateIsPerThread) {
    platform::srand(1);
    int other = -1;
    std::thread t([&] {
        platform::srand(12345);
        platform::rand();
        other = platform::rand();
    });
    t.join();
    EXPECT_EQ(platform::rand(), 41) << "another thread's seed must not move this thread's state";
    EXPECT_NE(other, -1);
}
