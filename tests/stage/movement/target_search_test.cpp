#include "stage/movement/target_search.h"

#include <gtest/gtest.h>

#include <array>

#include "stage/objects/stage_chara.h"

namespace {

// Five characters with 32 x 32 graphics; their aim centres are at the
// given screen points.
class TargetSearch : public ::testing::Test {
protected:
    void SetUp() override {
        const std::array<std::array<int, 2>, 5> centres = {{{100, 100}, {200, 100}, {100, 160}, {500, 400}, {40, 40}}};
        int id = 0;
        for (const auto& c : centres) {
            cStageChara& chara = m_Charas[static_cast<std::size_t>(id)];
            chara.m_nId = id++;
            chara.m_rcGraphic = {0, 0, 32, 32};
            chara.m_rcScreen = {c[0] - 16, c[1] - 16, c[0] + 15, c[1] + 15};
            chara.m_bExists = 1;
            chara.m_bOnScreen = 1;
            m_List.push_back(&chara);
        }
    }
    cChara& C(int i) { return m_Charas[static_cast<std::size_t>(i)]; }

    std::array<cStageChara, 5> m_Charas;
    cList<cChara*> m_List;
};

TEST_F(TargetSearch, FiltersOfTheFirstMatch) {
    C(0).m_bDead = 1;
    C(1).m_Def.m_cInvincible = 1;
    C(2).m_Def.m_cInvincible = 2;
    C(3).m_Def.m_cCharaId = 7;
    C(3).m_vecVar[2] = -9;
    C(1).m_vecVar[2] = 1;
    C(2).m_vecVar[2] = 2;
    C(4).m_vecVar[2] = 5;
    C(1).m_Def.m_bNoBox = 1;
    struct Case {
        const char* name;
        CharaFilter filter;
        int expected;  // -1 none
    };
    const std::vector<Case> cases = {
        {"dead characters are skipped", {}, 1},
        {"invulnerable excluded", {.excludeInvulnerable = true}, 2},
        {"invulnerable and shot-proof excluded", {.excludeInvulnerable = true, .excludeShotProof = true}, 3},
        {"block characters excluded", {.excludeBlock = true}, 2},
        {"block and shot-proof excluded", {.excludeShotProof = true, .excludeBlock = true}, 3},
        {"by character ID", {.useId = true, .id = 7}, 3},
        {"no such ID", {.useId = true, .id = 8}, -1},
        {"self excluded", {.excludeSelf = true, .selfId = 1}, 2},
        {"variable divisible by 3 (|-9|)", {.varTest = true, .varIndex = 2, .value = 3, .op = 6}, 3},
        {"divisible by 0 always holds", {.varTest = true, .varIndex = 2, .value = 0, .op = 6}, 1},
        {"not divisible by 0 never holds", {.varTest = true, .varIndex = 2, .value = 0, .op = 7}, -1},
        {"variable < 0", {.varTest = true, .varIndex = 2, .value = 0, .op = 5}, 3},
        {"variable > 1", {.varTest = true, .varIndex = 2, .value = 1, .op = 4}, 2},
        {"unknown operator fails", {.varTest = true, .varIndex = 2, .value = 0, .op = 8}, -1},
        {"variable index out of range fails", {.varTest = true, .varIndex = 9, .value = 0, .op = 0}, -1},
    };
    for (const Case& c : cases) {
        cChara* found = FindChara(m_List, c.filter);
        EXPECT_EQ(found, c.expected < 0 ? nullptr : &C(c.expected)) << c.name;
    }
}

TEST_F(TargetSearch, LinkedSearchWalksFromTheLastPair) {
    C(1).m_nBlockGroup = 2;
    C(2).m_nBlockGroup = 3;
    C(3).m_nBlockGroup = 3;
    cVector<CharaLink> pairs = {{&C(1), 0}, {&C(2), 0}, {nullptr, 0}, {&C(3), 4}};
    EXPECT_EQ(FindLinkedChara(pairs, 0, 3, false, {}), &C(2));
    EXPECT_EQ(FindLinkedChara(pairs, 0, 2, false, {}), &C(1));
    EXPECT_EQ(FindLinkedChara(pairs, 0, 0, true, {}), &C(2));
    EXPECT_EQ(FindLinkedChara(pairs, 4, 0, true, {}), &C(3));
    EXPECT_EQ(FindLinkedChara(pairs, 0, 3, false, {.excludeSelf = true, .selfId = 2}), nullptr);
}

TEST_F(TargetSearch, NearestByScreenDistance) {
    struct Case {
        const char* name;
        int x, y, mode;
        std::vector<int> offScreen;
        int expected;
    };
    const std::vector<Case> cases = {
        // From (150, 100): characters 0 and 1 are both 50 away; the earlier wins.
        {"a tie goes to the earlier", 150, 100, NearestMode::Anywhere, {}, 0},
        {"strictly nearer", 150, 101, NearestMode::Anywhere, {}, 0},
        {"nearest of all", 480, 390, NearestMode::Anywhere, {}, 3},
        {"on screen first", 480, 390, NearestMode::OnScreenFirst, {3}, 1},
        {"off screen when none is on", 480, 390, NearestMode::OnScreenFirst, {0, 1, 2, 3, 4}, 3},
        {"on screen only", 480, 390, NearestMode::OnScreenOnly, {0, 1, 2, 3, 4}, -1},
        {"unknown mode", 480, 390, 3, {}, -1},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 5; ++i) C(i).m_bOnScreen = 1;
        for (int i : c.offScreen) C(i).m_bOnScreen = 0;
        cChara* found = FindNearestCharaEx(c.x, c.y, m_List, c.mode, {});
        EXPECT_EQ(found, c.expected < 0 ? nullptr : &C(c.expected)) << c.name;
    }
    // Characters that do not exist or cannot be hit by shots are not aimed at.
    for (int i = 0; i < 5; ++i) C(i).m_bOnScreen = 1;
    C(3).m_bExists = 0;
    C(1).m_Def.m_cInvincible = 2;
    EXPECT_EQ(FindNearestChara(480, 390, m_List, false), &C(2));
    C(2).m_bOnScreen = 0;
    EXPECT_EQ(FindNearestChara(480, 390, m_List, false), &C(0));
    C(0).m_bOnScreen = C(4).m_bOnScreen = 0;
    EXPECT_EQ(FindNearestChara(480, 390, m_List, false), &C(2)) << "the off-screen pass";
    EXPECT_EQ(FindNearestChara(480, 390, m_List, true), nullptr);
}

}  // namespace
