#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"
#include "gamedata/flows/flow_cmd.h"

TEST(PauseRequestRecord, InitRequestFillsTheFiveInts) {
    struct Case {
        int kind, value, argument, flag;
        PauseRequest expect;
    } cases[] = {
        {1, 5, 0, 0, {1, 10, 5, 0, 0}},  {1, 0, 0, 0, {1, 0, 0, 0, 0}}, {1, 1, 0, 1, {1, 0, 1, 0, 0}},
        {4, 0, 30, 0, {4, 0, 0, 30, 0}}, {3, 1, 0, 0, {3, 0, 1, 0, 0}}, {2, 0, 42, 0, {2, 0, 0, 42, 0}},
    };
    for (const auto& c : cases) {
        PauseRequest r{9, 9, 9, 9, 9};
        InitRequest(r, c.kind, c.value, c.argument, c.flag);
        EXPECT_EQ(r, c.expect) << c.kind << " " << c.value;
    }
}
