#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"
#include "gamedata/flows/flow_cmd.h"

TEST(AnimeSelector, MapsSelectorsToSlots) {
    struct Case {
        int selector, flag, right, replay, slot;
    } cases[] = {
        {9, 1, 1, kNoReplay, 0}, {9, 0, 1, kNoReplay, 3},  {0, 1, 0, kNoReplay, 2},  {0, 0, 1, kNoReplay, 3},
        {9, 0, 0, kNoReplay, 2}, {1, 0, 1, kNoReplay, 2},  {4, 1, 0, kNoReplay, 7},  {8, 1, 0, kNoReplay, 11},
        {9, 0, 1, 777, 0},       {9, 1, 1, 778, 3},        {9, 1, 0, 779, 2},        {9, 1, 1, 780, 0},
        {9, 0, 1, 780, 3},       {12, 1, 1, kNoReplay, 3}, {-3, 1, 0, kNoReplay, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnimeSelectorMap(c.selector, c.flag, c.right, c.replay), c.slot)
            << c.selector << " " << c.flag << " " << c.right << " " << c.replay;
    }
}
