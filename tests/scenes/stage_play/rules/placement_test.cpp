#include <gtest/gtest.h>

#include "contact_fixture.h"
#include "scenes/stage_play/rules/block_chara_contacts.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "scenes/stage_play/rules/presence.h"
#include "stage/objects/stage_spawning.h"
#include "support/stage/stage_harness.h"

namespace {

class Placement : public ContactRulesTest {};

// Moves a's box onto column `column` of row 0.
void MoveToColumn(cStageChara& a, cStageChara& ref, int column, int refColumn) {
    const double dx = (column - refColumn) * 32.0 + ref.m_dX - a.m_dX;
    a.m_dX += dx;
    a.m_dRight += dx;
    a.m_dY = ref.m_dY;
    a.m_dBottom = ref.m_dBottom;
    a.ClampX(BoundMode::None);
    a.ClampY(BoundMode::None);
}

TEST_F(Placement, SolidBlocksAndLiveBlockCharactersBlockASpot) {
    struct Case {
        const char* name;
        int column;
        bool blockCharaDead, flierThroughBlocks;
        bool blocked;
    };
    // Row 0: the block character k at column 2, a solid block at column 4.
    const std::vector<Case> cases = {
        {"free", 6, false, false, false},
        {"on a solid block", 4, false, false, true},
        {"on a block character", 2, false, false, true},
        {"on a dead block character", 2, true, false, false},
        {"a flier through blocks, on a solid block", 4, false, true, false},
        {"a flier through blocks, on a block character", 2, false, true, false},
    };
    for (const Case& c : cases) {
        StageHarness stage({"a.k.#..", "......."});
        cStageChara& a = stage.Chara('a');
        cStageChara& k = stage.Chara('k');
        k.m_Def.m_bNoBox = 1;
        UpdatePresence(stage.State());
        k.m_bDead = c.blockCharaDead;
        MoveToColumn(a, k, c.column, 2);
        if (c.flierThroughBlocks) a.SetMoveKind(1);
        EXPECT_EQ(IsPlaceBlocked(CharaList, a), c.blocked) << c.name;
        InstallContactRules();
        EXPECT_EQ(IsPlaceBlocked(a), c.blocked) << c.name << ", through the spawning's test";
        SetPlaceBlockedTest(nullptr);
    }
}

}  // namespace
