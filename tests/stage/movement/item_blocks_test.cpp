#include <gtest/gtest.h>

#include <vector>

#include "gamedata/definitions/definition_base.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/ground_effects.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/item.h"
#include "support/stage/stage_harness.h"

namespace {

// The pick-ups the item blocks asked for, and the result they give.
struct Pickups {
    int result = 0;
    std::vector<int> graphics;
    std::vector<int> existed;
};
Pickups g_pickups;

int RecordPickup(cItem& item, cPlayer&) {
    g_pickups.graphics.push_back(item.m_Def.m_sCell);
    g_pickups.existed.push_back(item.m_bExists);
    return g_pickups.result;
}

constexpr int kItemGraphic = 5;

class ItemBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        g_pickups = {};
        m_Before = Hooks().touchEvent;
        Hooks().touchEvent = RecordPickup;
    }
    void TearDown() override { Hooks().touchEvent = m_Before; }

    // Stage palette item 0 in the given cells of the stage's map.
    static void MakeItemBlocks(StageHarness& stage, const std::vector<std::pair<int, int>>& cells) {
        cItemDef item;
        item.m_sCell = kItemGraphic;
        LoadedStage.m_vPaletteItems.assign(1, item);
        for (const auto& [column, row] : cells) {
            cBlockDef& block = stage.Cell(column, row).m_Def;
            block.m_cItemSource = BaseSource::Stage;
            block.m_sItemIndex = 0;
        }
    }

    static void StandOn(cPlayer& hero, cTileCell& ground) {
        hero.m_lpGroundBlock = hero.m_lpLastGroundBlock = &ground;
        hero.m_bAirLock = 0;
    }

    // One sub-step on the block: the pose is saved as play saves it.
    static int Step(cPlayer& hero) {
        hero.SavePose();
        return TouchItemBlock(hero);
    }

    int (*m_Before)(cItem&, cPlayer&) = nullptr;
};

// Standing still, the item acts once every 60 frames: 120 sub-steps at 2
// a frame.
TEST_F(ItemBlocks, ActOnceEverySixtyFramesWhileTheHeroStays) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 2});
    cPlayer& hero = stage.Hero();
    MakeItemBlocks(stage, {{0, 1}});
    StandOn(hero, stage.Cell(0, 1));
    std::vector<int> acted;
    for (int subStep = 1; subStep <= 250; ++subStep) {
        const std::size_t before = g_pickups.graphics.size();
        EXPECT_EQ(Step(hero), 0);
        if (g_pickups.graphics.size() > before) acted.push_back(subStep);
    }
    EXPECT_EQ(acted, (std::vector<int>{1, 121, 241}));
    EXPECT_EQ(g_pickups.graphics.front(), kItemGraphic);
    EXPECT_EQ(g_pickups.existed.front(), 1) << "the block's item exists, so that it acts";
}

// The hero runs right over two item blocks, landing on the first on
// sub-step 2 and, having crossed into the second, on sub-step 5: the
// second acts on the next sub-step, though the first one's wait has not
// run out.
TEST_F(ItemBlocks, LandingOnAnotherBlockLetsItActAtOnce) {
    StageHarness stage({"H..", "###"}, {.hitCheckLevel = 1, .gravity = 0.5});
    cPlayer& hero = stage.Hero();
    MakeItemBlocks(stage, {{0, 1}, {1, 1}});
    hero.m_dSpeedX = 4.0;
    std::vector<int> acted;
    for (int subStep = 1; subStep <= 12; ++subStep) {
        hero.SavePose();
        stage.MoveOneSubStep();
        const std::size_t before = g_pickups.graphics.size();
        EXPECT_EQ(TouchItemBlock(hero), 0);
        if (g_pickups.graphics.size() > before) acted.push_back(subStep);
    }
    EXPECT_EQ(acted, (std::vector<int>{2, 6}));
}

TEST_F(ItemBlocks, ALongFallEndsTheWait) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    MakeItemBlocks(stage, {{0, 1}});
    StandOn(hero, stage.Cell(0, 1));
    Step(hero);
    EXPECT_EQ(hero.m_nItemBlockWait, 59);
    hero.m_lpGroundBlock = nullptr;
    Step(hero);
    EXPECT_EQ(hero.m_nItemBlockWait, 58) << "counting in the air";
    hero.m_bAirLock = 1;
    Step(hero);
    EXPECT_EQ(hero.m_nItemBlockWait, 0);
}

TEST_F(ItemBlocks, ANonZeroResultEndsTheRuleAtOnce) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    MakeItemBlocks(stage, {{0, 1}});
    StandOn(hero, stage.Cell(0, 1));
    g_pickups.result = 1;
    EXPECT_EQ(Step(hero), 1);
    EXPECT_EQ(hero.m_nItemBlockWait, 0);
}

TEST_F(ItemBlocks, BlocksThatGiveNothing) {
    struct Case {
        const char* name;
        void (*set)(cPlayer& hero, cBlockDef& block);
    };
    const std::vector<Case> cases = {
        {"a flying hero", [](cPlayer& hero, cBlockDef&) { hero.m_bFly = 1; }},
        {"a block the hero's group passes",
         [](cPlayer& hero, cBlockDef& block) { block.m_cPassGroup = static_cast<std::int8_t>(hero.m_nBlockGroup); }},
        {"no item", [](cPlayer&, cBlockDef& block) { block.m_cItemSource = 0; }},
        {"an item the palette lacks", [](cPlayer&, cBlockDef& block) { block.m_sItemIndex = 1; }},
        {"an unknown palette", [](cPlayer&, cBlockDef& block) { block.m_cItemSource = 3; }},
    };
    for (const Case& c : cases) {
        StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
        cPlayer& hero = stage.Hero();
        MakeItemBlocks(stage, {{0, 1}});
        StandOn(hero, stage.Cell(0, 1));
        c.set(hero, stage.Cell(0, 1).m_Def);
        EXPECT_EQ(Step(hero), 0) << c.name;
        EXPECT_TRUE(g_pickups.graphics.empty()) << c.name;
        EXPECT_EQ(hero.m_nItemBlockWait, 0) << c.name;
    }
}

TEST_F(ItemBlocks, AJumpPadsItemGivesTheGroundEffectsResult) {
    StageHarness stage({"H", "#"}, {.hitCheckLevel = 1});
    cPlayer& hero = stage.Hero();
    MakeItemBlocks(stage, {{0, 1}});
    cBlockDef& pad = stage.Cell(0, 1).m_Def;
    pad.m_cFootEffect = GroundKind::JumpPad;
    pad.m_nFootValue = 4;
    StandOn(hero, stage.Cell(0, 1));
    g_pickups.result = 2;
    EXPECT_EQ(ApplyGroundEffect(hero), 2);
    EXPECT_EQ(g_pickups.graphics.size(), 1u);
    EXPECT_LT(hero.m_dSpeedY, 0.0) << "launched all the same";
}

}  // namespace
