#include "stage/objects/stage_spawning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "gamedata/global_data.h"
#include "support/stage/stage_harness.h"

namespace {

const std::vector<std::string> kOpenStage = {
    "..........", "..........", "..........", "....H.....", "##########",
};

}  // namespace

TEST(ShotPasses, SpreadTheTestedSubStepsEvenly) {
    struct Case {
        int subSteps, passes;
        std::vector<int> table;
    };
    const Case cases[] = {
        {4, 3, {1, 1, 1, 0}},     // sub-steps 1, 2 and 3 of four
        {3, 4, {1, 1, 1}},        // more passes than sub-steps: all
        {5, 0, {1, 1, 1, 1, 1}},  // no count: every sub-step
        {10, 3, {1, 0, 0, 1, 0, 0, 1, 0, 0, 0}},
        {10, 4, {1, 0, 1, 0, 0, 1, 0, 1, 0, 0}},
        {3, -2, {1, 1, 1}},  // a broken count from a stage file
        {6, 2000000000, {1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShotPassTable(c.subSteps, c.passes), cVector<int>(c.table.begin(), c.table.end()))
            << c.subSteps << " / " << c.passes;
    }
}

TEST(PlacedCharacters, ClonesOutsideTheGridAreDroppedWithoutAnId) {
    StageHarness h(kOpenStage);
    cCharaDef def;
    def.m_cOperation = CharaOperation::Computer;
    def.m_cCloneCount = 2;
    struct Case {
        int offsetStep;
        int kept;
    };
    // Stage column 0 starts 320 pixels into the grid: a clone 400 pixels
    // further left lies outside it.
    for (const Case c : {Case{40, 3}, Case{-400, 1}}) {
        CharaList.clear();
        def.m_sOffsetXStep = static_cast<std::int16_t>(c.offsetStep);
        int id = 7;
        SpawnPlacedChara(CharaList, 0, 1, id, def, nullptr);
        ASSERT_EQ(CharaList.Count(), c.kept) << c.offsetStep;
        EXPECT_EQ(id, 7 + c.kept);
        int n = 0;
        for (const cStageChara& chara : CharaList) {
            EXPECT_EQ(chara.m_nId, 7 + n);
            EXPECT_DOUBLE_EQ(chara.m_dX, CharaList.front().m_dX + c.offsetStep * n);
            ++n;
        }
        double px = 0, py = 0;
        UnpackPlacement(CharaList.front().m_nPlace, px, py);
        EXPECT_EQ(px, 10 * 32 + 16);
        EXPECT_EQ(py, 11 * 32 + 16);
    }
    CharaList.clear();
}

namespace {

std::set<std::pair<int, int>> g_blocked;

bool BlockedSpot(cChara& chara) {
    return g_blocked.count({static_cast<int>(std::floor(chara.m_dX)), static_cast<int>(std::floor(chara.m_dY))}) != 0;
}

}  // namespace

TEST(SummonedCharacters, AreNudgedUpThenLeftThenUpLeft) {
    StageHarness h(kOpenStage);
    SetPlaceBlockedTest(BlockedSpot);
    cCharaDef def;
    def.m_cOperation = CharaOperation::Computer;
    const double x = 14 * 32, y = 11 * 32;
    // Where a character at (x, y) stands: its box's top-left corner.
    int id = 0;
    SpawnChara(h.State(), CharaList, x, y, {}, def, id, nullptr);
    ASSERT_FALSE(CharaList.empty());
    const int bx = static_cast<int>(std::floor(CharaList.back().m_dX));
    const int by = static_cast<int>(std::floor(CharaList.back().m_dY));
    CharaList.clear();

    struct Case {
        std::set<std::pair<int, int>> blocked;
        bool kept;
        int dx, dy;
    };
    // The summon's facing and force replace the definition's.
    SummonRequest request;
    request.nDirection = 1;
    request.nForce = 3;
    const Case cases[] = {
        {{}, true, 0, 0},
        {{{bx, by}}, true, 0, -1},
        {{{bx, by}, {bx, by - 1}}, true, -1, 0},
        {{{bx, by}, {bx, by - 1}, {bx - 1, by}}, true, -1, -1},
        {{{bx, by}, {bx, by - 1}, {bx - 1, by}, {bx - 1, by - 1}}, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.blocked.size());
        g_blocked = c.blocked;
        CharaList.clear();
        for (auto& group : h.State().m_vecForce) group.clear();
        id = 5;
        SpawnChara(h.State(), CharaList, x, y, request, def, id, nullptr);
        ASSERT_EQ(CharaList.Count(), c.kept ? 1 : 0);
        EXPECT_EQ(id, c.kept ? 6 : 5);
        if (!c.kept) continue;
        EXPECT_EQ(static_cast<int>(std::floor(CharaList.back().m_dX)), bx + c.dx);
        EXPECT_EQ(static_cast<int>(std::floor(CharaList.back().m_dY)), by + c.dy);
        EXPECT_EQ(h.State().m_vecForce[3].Count(), 1);
        EXPECT_EQ(CharaList.back().m_nDirection, 1);
    }
    g_blocked.clear();
    SetPlaceBlockedTest(nullptr);
    CharaList.clear();
}

TEST(BlockSummons, ToggleOnceEachCommandAndSparePlacesAsAsked) {
    StageHarness h(kOpenStage);
    LoadedStage.m_vPaletteBlocks.assign(1, cBlockDef());
    LoadedStage.m_vPaletteBlocks[0].m_sCell = 0;
    cBlockDef brick;
    brick.m_sCell = 5;
    brick.m_cContact = 1;
    // The cell of stage block (2, 1) in grid pixels.
    const double x = 12 * 32, y = 11 * 32;
    BlockPlacement toggle{BlockMode::Toggle, 0, 0};
    h.State().m_vecToggledCell.clear();
    SetBlock(h.State(), x, y, toggle, brick);
    SetBlock(h.State(), x + 3, y - 4, toggle, brick);
    EXPECT_EQ(h.Cell(2, 1).m_Def.m_sCell, 5) << "the second toggle of one command leaves the cell";
    h.State().m_vecToggledCell.clear();
    SetBlock(h.State(), x, y, toggle, brick);
    EXPECT_EQ(h.Cell(2, 1).m_Def.m_sCell, 0) << "the next command toggles it back";

    // A protected block stays; an unprotected one is erased.
    h.Cell(2, 1).m_Def = brick;
    h.Cell(2, 1).m_Def.m_bNoReplace = 1;
    SetBlock(h.State(), x, y, {BlockMode::Erase, 0, 0}, brick);
    EXPECT_EQ(h.Cell(2, 1).m_Def.m_sCell, 5);

    // Over the hero (stage block (4, 3)) a placement that spares him is
    // undone; he is marked either way.
    const double hx = 14 * 32, hy = 13 * 32;
    h.Hero().m_nGraphicChange = 0;
    SetBlock(h.State(), hx, hy, {BlockMode::Place, 1, 0}, brick);
    EXPECT_EQ(h.Cell(4, 3).m_Def.m_sCell, 0);
    EXPECT_EQ(h.Hero().m_nGraphicChange, 2);
    SetBlock(h.State(), hx, hy, {BlockMode::Place, 0, 1}, brick);
    EXPECT_EQ(h.Cell(4, 3).m_Def.m_sCell, 5);

    // Past the last column nothing wraps into the next row.
    const int before = h.Cell(0, 2).m_Def.m_sCell;
    SetBlock(h.State(), (10 + 20) * 32 + 100 * 32, y, {BlockMode::Place, 0, 0}, brick);
    EXPECT_EQ(h.Cell(0, 2).m_Def.m_sCell, before);
}
