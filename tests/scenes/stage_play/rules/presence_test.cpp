#include <gtest/gtest.h>

#include "contact_fixture.h"
#include "scenes/stage_play/rules/presence.h"
#include "stage/objects/item.h"
#include "support/stage/stage_harness.h"

namespace {

// Stage variable 0 equals 1.
cCond StageVarIsOne() {
    cCond c;
    c.m_cKind = CondKind::StageVar;
    c.m_sIndex = 0;
    c.m_nValue = 1;
    return c;
}

class Presence : public ContactRulesTest {};

// Columns 0 to 19 are in the view; column 25 is not.
const std::vector<std::string> kWide = {"H.a......................b..", "............................"};

TEST_F(Presence, ObjectsOnAndOffScreen) {
    StageHarness stage(kWide);
    cStageChara& a = stage.Chara('a');
    cStageChara& b = stage.Chara('b');
    cShot& far = AddShotOver(stage.State(), b, 1, nullptr);
    cItem& near = ItemList.emplace_back();
    near.CopyFromEntry(0, cItemDef(), 0);
    near.m_dX = a.m_dX;
    near.m_dRight = a.m_dRight;
    near.m_dY = a.m_dY;
    near.m_dBottom = a.m_dBottom;
    stage.Hero().m_bExists = stage.Hero().m_bOnScreen = 0;
    UpdatePresence(stage.State());
    EXPECT_EQ(stage.Hero().m_bExists, 1);
    EXPECT_EQ(stage.Hero().m_bOnScreen, 1);
    EXPECT_EQ(a.m_bExists, 1);
    EXPECT_EQ(a.m_bOnScreen, 1);
    EXPECT_EQ(b.m_bExists, 1);
    EXPECT_EQ(b.m_bOnScreen, 0);
    EXPECT_EQ(near.m_bExists, 1);
    EXPECT_EQ(near.m_bOnScreen, 1);
    EXPECT_EQ(far.m_bExists, 1);
    EXPECT_EQ(far.m_bOnScreen, 0);
}

TEST_F(Presence, ExistenceConditionsAndTheirOnceOnlyLatch) {
    for (int once : {0, 1}) {
        cCharaDef def;
        def.m_vCond.push_back(StageVarIsOne());
        def.m_bCondLatch = static_cast<std::int8_t>(once);
        StageOptions options;
        options.charas['a'] = def;
        StageHarness stage({"Ha"}, options);
        cStageChara& a = stage.Chara('a');
        cItem& item = ItemList.emplace_back();
        cItemDef itemDef;
        itemDef.m_vCond.push_back(StageVarIsOne());
        itemDef.m_bCondLatch = static_cast<std::int8_t>(once);
        item.CopyFromEntry(0, itemDef, 0);
        std::vector<int> exists;
        for (int var : {0, 1, 0}) {
            stage.State().m_vecStageVar[0] = var;
            UpdatePresence(stage.State());
            exists.push_back(a.m_bExists);
            EXPECT_EQ(item.m_bExists, a.m_bExists) << "the item's conditions are the hero's";
            if (!a.m_bExists) {
                EXPECT_EQ(a.m_bOnScreen, 0);
                EXPECT_EQ(a.m_bAwake, 0);
            }
        }
        EXPECT_EQ(exists, (std::vector<int>{0, 1, once})) << "once " << once;
    }
}

TEST_F(Presence, ACharacterWakesByTheAreaOfOneLaterInTheList) {
    cCharaDef sleeper;
    sleeper.m_bGroupOnActive = 1;
    sleeper.m_sActiveGroup = 3;
    StageOptions options;
    options.charas['a'] = sleeper;
    options.charas['b'] = sleeper;
    StageHarness stage({"H........................a..", "b..........................."}, options);
    UpdatePresence(stage.State());
    EXPECT_EQ(stage.Chara('b').m_bAwake, 1);
    EXPECT_EQ(stage.Chara('a').m_bOnScreen, 0);
    EXPECT_EQ(stage.Chara('a').m_bAwake, 1) << "woken by b's area, b being later in the list";
}

}  // namespace
