#include <gtest/gtest.h>

#include "gamedata/base/data_limits.h"
#include "gamedata/fixtures/field_access.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/flows/flow.h"
#include "gamedata/flows/flow_cmd.h"

TEST(CommandKinds, ItemKindsFromTwoAreFlowKindsPlus15) {
    EXPECT_EQ(FlowCommandKinds.size(), 40u);
    EXPECT_EQ(ItemCommandKinds.size(), 25u);
    EXPECT_EQ(ItemCommandKinds[1].paramCount, 2);
    for (int k = 2; k < kItemCommandKindCount; ++k) {
        EXPECT_STREQ(ItemCommandKinds[k].name, FlowCommandKinds[k + 15].name);
        EXPECT_EQ(KindParamCount(1, k), KindParamCount(0, k + 15));
        EXPECT_EQ(FlowNumbering(1, k), k + 15);
    }
    EXPECT_EQ(FlowNumbering(1, 1), -1);
    EXPECT_EQ(KindParamCount(0, FlowKind::StatusOperation), 22);
    EXPECT_EQ(KindParamCount(0, 99), 0);
    EXPECT_STREQ(FlowCommandKinds[FlowKind::Loop].name, "ループ");
}
