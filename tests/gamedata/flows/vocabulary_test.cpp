#include <gtest/gtest.h>

#include <cstring>

#include "gamedata/flows/param_value_names.h"
#include "gamedata/flows/vocabulary.h"

namespace {

TEST(Vocabulary, EveryNameListEndsWithAnEmptyRowAndHasNoOtherEmptyRow) {
    struct Case {
        const char* what;
        NameList list;
        std::size_t rows;  // without the empty last row
    } cases[] = {
        {"condition kinds", CondKindNames, 8},  // its row 0 is empty too
        {"comparison", CompareOpNames, 8},
        {"triggers", FlowTriggerNames, 27},
        {"flow ids", FlowIdNames, 27},
        {"flow groups", FlowGroupNames, 27},
        {"warp directions", WarpDirectionNames, 13},
        {"warp modes", WarpModeNames, 6},
        {"formations", ShotFormationNames, 6},
        {"shot moves", ShotMoveKindNames, 10},
        {"facings", ChangeDirectionNames, 12},
        {"message positions", MessagePositionNames, 11},
        {"target whom", TargetWhomNames, 11},
        {"flow change ids", FlowChangeIdNames, 27},
        {"owners", OwnerNames, 6},
        {"jump units", JumpUnitNames, 2},
        {"hero or target", HeroOrTargetNames, 5},
        {"key states", KeyStateNames, 3},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.list.size(), c.rows + 1) << c.what;
        EXPECT_STREQ(c.list.back(), "") << c.what;
        for (std::size_t i = 1; i + 1 < c.list.size(); ++i) EXPECT_STRNE(c.list[i], "") << c.what << " row " << i;
    }
    EXPECT_STREQ(FlowIdNames[26], "Z");
    EXPECT_STREQ(FlowIdSelectorNames[0], "全て");
    EXPECT_EQ(CharaStatusNames.size(), 18u);
    EXPECT_EQ(CharaStatusNames[16].lowest, -999999);
}

TEST(Vocabulary, ShotParameterLabelsGiveTheRanges) {
    ASSERT_EQ(ShotFormationParams.size(), static_cast<std::size_t>(kShotFormationCount) * 3);
    ASSERT_EQ(ShotMoveParams.size(), static_cast<std::size_t>(kShotMoveKindCount) * 3);
    struct Case {
        bool formation;
        int kind, i;
        const char* text;
        int lowest, highest, def;
    } cases[] = {
        {true, 2, 0, "角度", 0, 180, 30},     {true, 3, 1, "列の数", 1, 50, 1},
        {true, 5, 0, "距離(hbl)", 0, 40, 6},  {true, 4, 2, "", 0, 0, 0},
        {false, 5, 2, "対象勢力", 0, 7, 0},   {false, 6, 1, "誘導終了(hbl)", 0, 999, 999},
        {false, 8, 2, "開始角度", 0, 359, 0}, {false, 9, 0, "軌道変更(hbl)", 0, 40, 0},
    };
    for (const auto& c : cases) {
        const ParamLabel* p = c.formation ? FormationParam(c.kind, c.i) : ShotMoveParam(c.kind, c.i);
        ASSERT_NE(p, nullptr);
        EXPECT_STREQ(p->text, c.text);
        EXPECT_EQ(p->lowest, c.lowest);
        EXPECT_EQ(p->highest, c.highest);
        EXPECT_EQ(p->def, c.def);
    }
    EXPECT_EQ(FormationParam(6, 0), nullptr);
    EXPECT_EQ(ShotMoveParam(-1, 0), nullptr);
    EXPECT_EQ(ShotMoveParam(0, 3), nullptr);
}

TEST(Vocabulary, CharacterStatesCarryTheirValueNames) {
    ASSERT_EQ(CharaStateNames.size(), 8u);
    EXPECT_EQ(CharaStateNames[5].lowest, 1);
    EXPECT_EQ(CharaStateNames[5].def, 1);
    EXPECT_EQ(CharaStateNames[5].values.size(), 11u);
    EXPECT_STREQ(CharaStateNames[3].values[3], "ON (ブロックに当たると即死)");
}

}  // namespace
