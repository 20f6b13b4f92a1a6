#include <gtest/gtest.h>

#include <algorithm>

#include "contact_fixture.h"
#include "scenes/stage_play/rules/item_touch.h"
#include "stage/objects/item.h"
#include "support/stage/command_fixtures.h"
#include "support/stage/stage_harness.h"

namespace {

constexpr int kPickSound = 3;
constexpr int kPickSoundEffect = kPickSound + 16;

cItemDef ItemOf(int pickKind, int graphic) {
    cItemDef def;
    def.m_sCell = static_cast<std::int16_t>(graphic);
    def.m_cPickRule = static_cast<std::int8_t>(pickKind);
    def.m_sPickSound = kPickSound;
    return def;
}

// An item on the hero's spot, or far from it.
cItem& AddItem(const cItemDef& def, int id) {
    cItem& item = ItemList.emplace_back();
    item.CopyFromEntry(id, def, 0);
    item.m_bExists = 1;
    return item;
}

void PutOnHero(cItem& item, const cPlayer& hero, bool on) {
    const double dx = on ? 0.0 : 200.0;
    item.m_dX = hero.m_dX + dx;
    item.m_dY = hero.m_dY;
    item.m_dRight = hero.m_dRight + dx;
    item.m_dBottom = hero.m_dBottom;
}

int CountOf(const std::vector<int>& v, int x) { return static_cast<int>(std::count(v.begin(), v.end(), x)); }

class ItemTouch : public ContactRulesTest {};

TEST_F(ItemTouch, PickKindsActOnceAtEveryTouchOrNever) {
    struct Case {
        const char* name;
        int kind;
        bool held;
        // Over four sub-steps: on the item, on it, off it, on it again.
        std::vector<int> touches, acts;
        bool remains;
    };
    const std::vector<Case> cases = {
        {"taken once", 0, false, {1, 0, 0, 0}, {1, 0, 0, 0}, false},
        {"taken at every new touch", 1, false, {1, 1, 0, 1}, {1, 0, 0, 1}, true},
        {"cannot be taken", 2, false, {0, 0, 0, 0}, {0, 0, 0, 0}, true},
        {"carried by a character", 0, true, {0, 0, 0, 0}, {0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        StageHarness stage({"H"});
        cPlayer& hero = stage.Hero();
        FitBoxes(hero);
        cItem& item = AddItem(ItemOf(c.kind, 1), 5);
        item.m_bHeld = c.held;
        std::vector<int> touches, acts;
        for (bool on : {true, true, false, true}) {
            if (!ItemList.empty()) PutOnHero(item, hero, on);
            Fired().clear();
            const std::size_t sounds = stage.Sounds().size();
            EXPECT_EQ(TouchItems(hero), 0) << c.name;
            touches.push_back(static_cast<int>(KindsOn(hero).size()));
            acts.push_back(static_cast<int>(stage.Sounds().size() - sounds));
        }
        EXPECT_EQ(touches, c.touches) << c.name << ": trigger 10";
        EXPECT_EQ(acts, c.acts) << c.name << ": pick-ups";
        EXPECT_EQ(ItemList.size(), c.remains ? 1u : 0u) << c.name;
    }
}

TEST_F(ItemTouch, AnItemWithoutAGraphicIsTouchedButDoesNothing) {
    StageHarness stage({"H"});
    cPlayer& hero = stage.Hero();
    FitBoxes(hero);
    PutOnHero(AddItem(ItemOf(0, 0), 1), hero, true);
    EXPECT_EQ(TouchItems(hero), 0);
    EXPECT_EQ(KindsOn(hero), std::vector<int>{10});
    EXPECT_TRUE(stage.Sounds().empty());
    EXPECT_TRUE(stage.Messages().empty());
    EXPECT_TRUE(ItemList.empty()) << "still taken away";
}

TEST_F(ItemTouch, APickUpShowsTheItemsIconOverTheHeroAndPlaysItsSound) {
    StageHarness stage({"H"});
    cPlayer& hero = stage.Hero();
    FitBoxes(hero);
    cItemDef def = ItemOf(0, 12);
    def.m_cSheet = 3;
    def.m_sSheetSub = 4;
    PutOnHero(AddItem(def, 1), hero, true);
    TouchItems(hero);
    EXPECT_EQ(stage.Sounds(), std::vector<int>{kPickSoundEffect});
    ASSERT_EQ(stage.Messages().size(), 1u);
    const MessageRequest& icon = stage.Messages()[0];
    EXPECT_EQ(icon.nOwnerId, hero.m_nId);
    EXPECT_EQ(icon.nGraphicKind, 3);
    EXPECT_EQ(icon.nGraphicNo, 12);
    EXPECT_EQ(icon.nColumn, 4);
}

TEST_F(ItemTouch, AStageClearOfAnItemEndsTheWalk) {
    StageHarness stage({"H"});
    cPlayer& hero = stage.Hero();
    FitBoxes(hero);
    cItemDef clear = ItemOf(1, 1);
    clear.m_vCmd.push_back(ItemCommandOf(2));
    PutOnHero(AddItem(clear, 1), hero, true);
    PutOnHero(AddItem(ItemOf(0, 1), 2), hero, true);
    EXPECT_EQ(TouchItems(hero), 1);
    EXPECT_EQ(CountOf(stage.Sounds(), kPickSoundEffect), 1) << "the second item is not reached";
    EXPECT_EQ(ItemList.size(), 2u);
}

TEST_F(ItemTouch, NothingAtAllForNoItemOrAnAbsentOne) {
    StageHarness stage({"H"});
    EXPECT_EQ(TouchEvent(nullptr, stage.Hero()), 0);
    cItem item;
    item.CopyFromEntry(0, ItemOf(0, 1), 0);
    item.m_bExists = 0;
    EXPECT_EQ(TouchEvent(&item, stage.Hero()), 0);
    EXPECT_TRUE(stage.Sounds().empty());
}

}  // namespace
