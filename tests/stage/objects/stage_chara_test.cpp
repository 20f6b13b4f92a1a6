#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "support/stage/stage_harness.h"

namespace {

// 40 x 30 blocks; the view starts at the stage's top-left corner, so it
// shows columns 0..19 and rows 0..14.
std::vector<std::string> TallStage() {
    std::vector<std::string> rows(30, std::string(40, '.'));
    rows[1][1] = 'a';
    rows[1][2] = 'b';
    return rows;
}

cCharaDef CharaDef(int activityKind = 0) {
    cCharaDef def;
    def.m_cActiveRange = static_cast<std::int8_t>(activityKind);
    return def;
}

// Re-initialises the character from `def` and places it on its block.
cStageChara& Place(StageHarness& stage, char letter, cCharaDef def, int column, int row) {
    cStageChara& c = stage.Chara(letter);
    c.InitFromDef(c.m_nId, def, nullptr, {0, 0, 0, 0}, 0);
    c.PlaceAtCell(column, row);
    return c;
}

TEST(StageChara, ActivityKindsAndWaking) {
    struct Case {
        const char* name;
        int kind, column, row;
        bool awake;
    };
    const std::vector<Case> cases = {
        {"both axes, in view", 0, 5, 5, true},
        {"both axes, right of the view", 0, 30, 5, false},
        {"both axes, below the view", 0, 5, 20, false},
        {"x only, below the view", 1, 5, 20, true},
        {"x only, right of the view", 1, 30, 5, false},
        {"y only, right of the view", 2, 30, 5, true},
        {"y only, below the view", 2, 5, 20, false},
        {"everywhere", 3, 35, 25, true},
        {"an unknown kind tests both axes", 7, 30, 5, false},
    };
    for (const Case& c : cases) {
        StageHarness stage(TallStage());
        cStageChara& a = Place(stage, 'a', CharaDef(c.kind), c.column, c.row);
        cVector<std::uint8_t>& flags = stage.State().m_vecAreaFlag;
        EXPECT_EQ(a.UpdateActive(flags), c.awake) << c.name;
        EXPECT_EQ(a.IsAwake(flags), c.awake) << c.name;
        EXPECT_EQ(a.m_bWokenOnce, c.awake ? 1 : 0) << c.name;
    }
}

TEST(StageChara, AWakeGroupWakesItsMembersOutOfView) {
    for (bool grouped : {false, true}) {
        StageHarness stage(TallStage());
        cCharaDef def = CharaDef();
        def.m_bGroupOnActive = grouped ? 1 : 0;
        def.m_sActiveGroup = 12;
        cStageChara& a = Place(stage, 'a', def, 5, 5);
        cStageChara& b = Place(stage, 'b', def, 35, 25);
        cVector<std::uint8_t>& flags = stage.State().m_vecAreaFlag;
        EXPECT_FALSE(b.UpdateActive(flags));
        EXPECT_FALSE(b.IsAwake(flags)) << "nobody of the group is in view yet";
        EXPECT_TRUE(a.UpdateActive(flags));
        EXPECT_EQ(flags[12], grouped ? 1 : 0);
        EXPECT_EQ(b.IsAwake(flags), grouped);
    }
    // A group number without an area flag belongs to no group.
    StageHarness stage(TallStage());
    cCharaDef def = CharaDef();
    def.m_bGroupOnActive = 1;
    def.m_sActiveGroup = 300;
    cStageChara& a = Place(stage, 'a', def, 5, 5);
    const cVector<std::uint8_t> before = stage.State().m_vecAreaFlag;
    EXPECT_TRUE(a.UpdateActive(stage.State().m_vecAreaFlag));
    EXPECT_TRUE(a.IsAwake(stage.State().m_vecAreaFlag));
    EXPECT_EQ(stage.State().m_vecAreaFlag, before);
}

TEST(StageChara, FallingAfterWakingKeepsItAwake) {
    struct Case {
        const char* name;
        int moveKind;
        bool wokeBefore;
        int airLock, jumping;
        bool awake;
    };
    const std::vector<Case> cases = {
        {"walking, woke, falling", 0, true, 1, 0, true},
        {"walking, never woke, in the air", 0, false, 1, 0, false},
        {"walking, never woke, jumping", 0, false, 0, 1, true},
        {"walking, woke, on the ground", 0, true, 0, 0, false},
        {"flying, woke, air lock", 2, true, 1, 1, false},
    };
    for (const Case& c : cases) {
        StageHarness stage(TallStage());
        cCharaDef def = CharaDef();
        def.m_cFlying = static_cast<std::int8_t>(c.moveKind);
        cStageChara& a = Place(stage, 'a', def, 35, 25);
        cVector<std::uint8_t>& flags = stage.State().m_vecAreaFlag;
        a.m_bWokenOnce = c.wokeBefore;
        a.m_bAirLock = c.airLock;
        a.m_bJumping = c.jumping;
        a.UpdateActive(flags);
        EXPECT_EQ(a.IsAwake(flags), c.awake) << c.name;
    }
}

TEST(StageChara, StayingAwakeOnceWoken) {
    StageHarness stage(TallStage());
    cCharaDef def = CharaDef();
    def.m_cActiveRule = 1;
    cStageChara& a = Place(stage, 'a', def, 5, 5);
    cVector<std::uint8_t>& flags = stage.State().m_vecAreaFlag;
    a.UpdateActive(flags);
    ASSERT_TRUE(a.IsAwake(flags));
    a.PlaceAtCell(35, 25);
    EXPECT_TRUE(a.UpdateActive(flags)) << "in view for good";
    // Without the rule the same character falls asleep out of view.
    def.m_cActiveRule = 0;
    cStageChara& b = Place(stage, 'b', def, 5, 5);
    b.UpdateActive(flags);
    ASSERT_TRUE(b.IsAwake(flags));
    b.PlaceAtCell(35, 25);
    b.m_bAirLock = 0;
    EXPECT_FALSE(b.UpdateActive(flags));
    EXPECT_FALSE(b.IsAwake(flags));
}

TEST(StageChara, BoxesOfPlainAndBlockCharacters) {
    StageHarness stage(TallStage());
    cStageData& s = LoadedStage;
    s.m_nCharaW = 12, s.m_nCharaH = 24, s.m_bCharaBottom = 1;  // gx 10, gy 8
    s.m_nCharaHitW = 10, s.m_nCharaHitH = 20, s.m_bCharaHitBottom = 0;
    s.m_nCharaBox1W = 30, s.m_nCharaBox1H = 30;
    s.m_nShotBox[4] = 8, s.m_nShotBox[5] = 6;
    cCharaDef def = CharaDef();
    cStageChara& a = Place(stage, 'a', def, 5, 5);
    EXPECT_EQ(a.m_nWidth, 12);
    EXPECT_EQ(a.m_rcGraphic.y, 8);
    EXPECT_EQ(a.m_rcBodyBox.rc.x, 16 - 10 - 5);
    EXPECT_EQ(a.m_rcBodyBox.rc.y, 16 - 8 - 10);
    EXPECT_EQ(a.m_rcShotBox.rc.x, 16 - 10 - 15);
    def.m_cHitKind = 2;
    a.InitFromDef(a.m_nId, def, nullptr, {0, 0, 0, 0}, 0);
    EXPECT_EQ(a.m_rcBodyBox.rc.w, 8) << "the second body box";
    EXPECT_EQ(a.m_rcBodyBox.rc.y, 16 - 8 - 3);

    // A block character scaled by 2 is solid all over: both boxes are its
    // doubled hit box, whatever the stage's sizes.
    cCharaDef block = CharaDef();
    block.m_bNoBox = 1;
    block.m_cScale = 2;
    cStageChara& b = Place(stage, 'b', block, 8, 5);
    EXPECT_EQ(b.m_nWidth, 64);
    for (const CharaBox* box : {&b.m_rcBodyBox, &b.m_rcShotBox}) {
        EXPECT_EQ(box->rc.x, 0);
        EXPECT_EQ(box->rc.y, 0);
        EXPECT_EQ(box->rc.w, 64);
        EXPECT_EQ(box->rc.h, 64);
        EXPECT_EQ(box->dLeft, static_cast<int>(b.m_dX));
        EXPECT_EQ(box->dBottom, static_cast<int>(b.m_dY) + 63);
    }
}

TEST(StageChara, ShowsThePictureCellOfItsDefinitionNotItsAnimationSet) {
    StageHarness stage(TallStage());
    Database.AnimeSet.resize(3);
    cCharaDef def = CharaDef();
    def.m_sCell = 31;
    def.m_sAnimeSet = 2;
    cStageChara& a = Place(stage, 'a', def, 5, 5);
    EXPECT_EQ(a.m_nGraphic, 31) << "the drawing reads its sheet and row from this number";
    EXPECT_EQ(a.m_Def.m_sAnimeSet, 2);
}

TEST(StageChara, CarriedItemAndOverlap) {
    StageHarness stage(TallStage());
    cStageChara& a = Place(stage, 'a', CharaDef(), 5, 5);
    cItem* none = a.GetHeldItem();
    ASSERT_NE(none, nullptr) << "an empty item, never none";
    EXPECT_EQ(none->m_Def.m_sCell, 0);
    EXPECT_EQ(none->m_bHeld, 0);

    cItem key;
    key.m_Def.m_sCell = 9;
    key.m_bHeld = 1;
    key.m_rcGraphic = {0, 0, 32, 32};
    cCharaDef def = CharaDef();
    cStageChara& b = stage.Chara('b');
    b.InitFromDef(b.m_nId, def, &key, {0, 0, 0, 0}, 0);
    b.PlaceAtCell(8, 5);
    EXPECT_EQ(b.GetHeldItem()->m_Def.m_sCell, 9);
    // The icon shows during frames 64 to 95 of every 96, while on screen.
    b.m_bOnScreen = 1;
    int x = 0, y = 0, shown = 0, firstShown = 0;
    for (int frame = 1; frame <= 192; ++frame) {
        if (b.HeldItemIconAt(x, y)) {
            if (!firstShown) firstShown = frame;
            ++shown;
        }
    }
    EXPECT_EQ(shown, 64);
    EXPECT_EQ(firstShown, 64);
    EXPECT_EQ(x, b.m_rcScreen.left + 16 - 8);
    EXPECT_EQ(y, b.m_rcScreen.top - 16);
    b.m_bOnScreen = 0;
    EXPECT_FALSE(b.HeldItemIconAt(x, y));

    // Edges count: a rectangle sharing only the bottom pixel row overlaps.
    const double bottom = b.m_dBottom;
    EXPECT_TRUE(b.Overlaps(b.m_dX, bottom, b.m_dRight, bottom + 40));
    EXPECT_FALSE(b.Overlaps(b.m_dX, bottom + 1, b.m_dRight, bottom + 40));
    EXPECT_TRUE(b.Overlaps(b.m_dRight, b.m_dY, b.m_dRight + 5, bottom));
    EXPECT_FALSE(b.Overlaps(b.m_dRight + 0.5, b.m_dY, b.m_dRight + 5, bottom));
}

}  // namespace
