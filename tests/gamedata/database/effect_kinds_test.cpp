#include "gamedata/database/effect_kinds.h"

#include <gtest/gtest.h>

#include <string>

#include "gamedata/database/database_entries.h"

namespace {

bool StartsWith(const char* text, const std::string& prefix) { return text && std::string(text).rfind(prefix, 0) == 0; }

// The kinds whose start and end a reversed run exchanges are exactly the
// kinds whose vocabulary names a start and an end in parameters 2 and 3.
template <class Entry>
void CheckSwapAgainstLabels(const EffectKindInfo* (*info)(int), int kinds) {
    for (int kind = 1; kind <= kinds; ++kind) {
        SCOPED_TRACE(kind);
        const EffectKindInfo* k = info(kind);
        ASSERT_NE(k, nullptr);
        EXPECT_STREQ(k->params[0].label, "実行時間(1/10s)");
        EXPECT_GE(k->params[0].initial, 1);
        Entry e;
        e.m_nKind = kind;
        for (int p = 0; p < 5; ++p) e.m_nParam[p] = p;
        e.SwapEnds();
        bool swapsStartEnd = e.m_nParam[1] == 2 && e.m_nParam[2] == 1;
        bool swapsPoints = e.m_nParam[1] == 3 && e.m_nParam[3] == 1;
        bool namesStartEnd = StartsWith(k->params[1].label, "開始") && StartsWith(k->params[2].label, "終了");
        bool namesPoints = StartsWith(k->params[1].label, "開始座標") && StartsWith(k->params[3].label, "終了座標");
        EXPECT_EQ(swapsPoints, namesPoints);
        EXPECT_EQ(swapsStartEnd, namesStartEnd && !namesPoints);
        for (const auto& p : k->params) {
            if (p.label) { EXPECT_TRUE(p.lowest <= p.initial && p.initial <= p.highest) << p.label; }
        }
    }
    EXPECT_EQ(info(0), nullptr);
    EXPECT_EQ(info(kinds + 1), nullptr);
    EXPECT_EQ(info(-1), nullptr);
}

TEST(EffectKinds, VocabularyAgreesWithTheReversal) {
    CheckSwapAgainstLabels<cCharaEffect>(CharaEffectKind, cCharaEffect::kKindCount);
    CheckSwapAgainstLabels<cScrEffect>(ScrEffectKind, cScrEffect::kKindCount);
}

TEST(EffectKinds, NamesAndDefaults) {
    EXPECT_STREQ(CharaEffectKind(1)->name, "破裂");
    EXPECT_STREQ(CharaEffectKind(14)->name, "半透明");
    EXPECT_EQ(CharaEffectKind(14)->params[1].initial, 9999);
    EXPECT_EQ(CharaEffectKind(6)->params[0].initial, 10);
    EXPECT_EQ(CharaEffectKind(12)->params[3].lowest, -16);
    EXPECT_EQ(CharaEffectKind(13)->params[3].highest, 207);
    EXPECT_EQ(CharaEffectKind(1)->params[3].label, nullptr);
    EXPECT_STREQ(ScrEffectKind(13)->name, "モザイク");
    EXPECT_EQ(ScrEffectKind(11)->params[2].initial, 1280);
    EXPECT_EQ(ScrEffectKind(7)->params[4].initial, 10);
    EXPECT_EQ(ScrEffectKind(1)->params[3].initial, 640);
}

}  // namespace
