#include "stage/objects/block_map.h"

#include <gtest/gtest.h>

#include "stage/objects/item.h"
#include "support/stage/stage_harness.h"

namespace {

TEST(BlockMap, ColumnAndRowAreCheckedApart) {
    // 3 blocks wide: 23 grid columns in rows of 32 cells.
    StageHarness stage({"#.#", "..."});
    ASSERT_EQ(stage.State().m_ScrollX.m_nPitch, 32);
    EXPECT_EQ(BlockCellIndex(10, 10), 10 * 32 + 10);
    EXPECT_EQ(BlockCellIndex(22, 21), 21 * 32 + 22);
    EXPECT_EQ(BlockCellIndex(23, 0), -1) << "past the grid's last column";
    EXPECT_EQ(BlockCellIndex(42, 0), -1) << "would be cell 10 of the next row";
    EXPECT_EQ(BlockCellIndex(-1, 1), -1);
    EXPECT_EQ(BlockCellIndex(0, 22), -1);
    EXPECT_EQ(BlockCellIndex(0, -1), -1);
    EXPECT_EQ(BlockCellAt(42, 0), nullptr);
    EXPECT_EQ(stage.Cell(0, 0).m_Def.m_cContact, 1);
    EXPECT_EQ(stage.Cell(1, 0).m_Def.m_cContact, 0);
    EXPECT_EQ(stage.Cell(1, 0).m_Def.m_sCell, 0) << "an empty cell has no block";
    EXPECT_EQ(stage.Cell(-10, -10).m_Def.m_cContact, 0) << "the margin is empty";
}

bool g_conditionsHold = true;
bool TestConditions(cTileCell&) { return g_conditionsHold; }

struct SolidCase {
    const char* what;
    int solidity;
    int passGroup;
    bool hasConditions;
    bool conditionsHold;
    int group;
    int want;
};

TEST(BlockMap, SolidityForAGroup) {
    const SolidCase cases[] = {
        {"solid", 1, -1, false, true, 1, 1},
        {"deadly", 2, -1, false, true, 1, 2},
        {"passable", 0, -1, false, true, 1, 0},
        {"passable for its group", 1, 3, false, true, 3, 0},
        {"solid for another group", 1, 3, false, true, 2, 1},
        {"conditions hold", 1, -1, true, true, 1, 1},
        {"conditions fail: passable for every group", 2, -1, true, false, 5, 0},
    };
    SetBlockConditionTest(TestConditions);
    for (const SolidCase& c : cases) {
        cTileCell cell;
        cell.m_Def.m_cContact = static_cast<std::int8_t>(c.solidity);
        cell.m_Def.m_cPassGroup = static_cast<std::int8_t>(c.passGroup);
        if (c.hasConditions) cell.m_Def.m_vCond.resize(1);
        g_conditionsHold = c.conditionsHold;
        EXPECT_EQ(SolidityFor(cell, c.group), c.want) << c.what;
    }
    SetBlockConditionTest(nullptr);
}

TEST(BlockMap, AnyCornerOfTheBoxTouchesABlock) {
    // One solid block at stage (2, 2), pixels 384 .. 415 both ways.
    StageHarness stage({".....", ".....", "..#..", ".....", "....."});
    struct Corner {
        double x, y;
        bool want;
    };
    const Corner corners[] = {
        {353.0, 353.0, true},   // bottom-right corner inside
        {414.0, 353.0, true},   // bottom-left
        {353.0, 414.0, true},   // top-right
        {414.0, 414.0, true},   // top-left
        {352.0, 400.0, false},  // right edge at 383: just left of it
        {416.0, 400.0, false},
    };
    for (const Corner& c : corners) {
        cItem o;
        o.m_nWidth = o.m_nHeight = 32;
        o.m_nBlockGroup = 1;
        o.m_dX = c.x;
        o.m_dY = c.y;
        o.ClampX(-1);
        o.ClampY(-1);
        EXPECT_EQ(o.TouchesSolidTile(), c.want) << c.x << ", " << c.y;
    }
}

}  // namespace
