#include "stage/objects/item.h"

#include <gtest/gtest.h>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(Item, ANewItemAndItsDefaults) {
    const cItem item;
    EXPECT_EQ(item.m_Def.m_cSheet, 2);
    EXPECT_EQ(item.m_Def.m_sCell, 0);
    EXPECT_EQ(item.m_Def.m_cScale, 1);
    EXPECT_EQ(item.m_bHeld, 0);
}

TEST(Item, CreationFromAnEntry) {
    StageHarness stage({"....", "...."});
    LoadedStage.m_nItemW = 20, LoadedStage.m_nItemH = 12;
    cItemDef entry;
    entry.m_sCell = 5;
    entry.m_cScale = 2;
    // A loop of 3 rounds over one command, then one more command.
    entry.m_vCmd = {ItemCommandOf(24, {3, 1}), ItemCommandOf(3), ItemCommandOf(18)};
    const cItemDef kept = entry;

    cItem placed;
    placed.CopyFromEntry(7, entry, 0);
    EXPECT_EQ(placed.m_nId, 7);
    EXPECT_EQ(placed.m_nGraphic, 5);
    EXPECT_EQ(placed.m_rcGraphicBase.x, 6) << "16 - 20 / 2";
    EXPECT_EQ(placed.m_rcGraphicBase.y, 10) << "16 - 12 / 2";
    EXPECT_EQ(placed.m_nWidth, 40) << "scaled by its entry";
    EXPECT_EQ(placed.m_nDirection, 0);
    EXPECT_EQ(placed.m_bFly, 1) << "no gravity";
    EXPECT_EQ(placed.m_bExists, 0) << "its conditions decide";
    ASSERT_EQ(placed.m_Def.m_vCmd.Count(), 4);
    EXPECT_EQ(placed.m_Def.m_vCmd[2].m_cKind, 3);
    EXPECT_EQ(placed.m_Def.m_vCmd[3].m_cKind, 18);
    EXPECT_EQ(entry.m_vCmd.Count(), kept.m_vCmd.Count()) << "the entry keeps its loop";
    // The built-in animation: frame 0 for 15 ticks, then frame 1.
    EXPECT_EQ(placed.m_Anim.GetFrame(), 0);
    for (int t = 0; t < 15; ++t) placed.m_Anim.Advance();
    EXPECT_EQ(placed.m_Anim.GetFrame(), 1);

    cItem carried;
    carried.CopyFromEntry(8, entry, 1);
    EXPECT_EQ(carried.m_nWidth, 20) << "a carried item keeps scale 1";
    EXPECT_EQ(carried.m_bExists, 1) << "and exists without a condition check";
    EXPECT_EQ(carried.m_bHeld, 1);

    // A scale of 0 counts as 1 for the item; the entry is not changed.
    entry.m_cScale = 0;
    cItem zero;
    zero.CopyFromEntry(9, entry, 0);
    EXPECT_EQ(zero.m_Def.m_cScale, 1);
    EXPECT_EQ(zero.m_nWidth, 20);
    EXPECT_EQ(entry.m_cScale, 0);
}

TEST(Item, PlacedOnItsCellKeepsItsBottom) {
    StageHarness stage({"....", "...."});
    cItemDef entry;
    entry.m_cScale = 2;
    cItem item;
    item.CopyFromEntry(1, entry, 0);  // 28 x 28, graphic offsets (2, 2)
    item.PlaceAtCell(1, 1, 1);
    // x = (1 + 10) x 32 + 2 + 0.5, then left by 14 (half the base width)
    // for the doubled width; the bottom of the doubled graphic stays on the
    // block's bottom: y = 11 x 32 + 2 - (28 + 2).
    EXPECT_EQ(item.m_dX, 352.0 + 2.5 - 14.0);
    EXPECT_EQ(item.m_dY, 352.0 + 2.0 - 30.0);
    EXPECT_EQ(item.m_dRight, item.m_dX + 55);
}

}  // namespace
