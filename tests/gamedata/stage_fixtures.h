#pragma once
// Stage files as each version stores them, written out from the stored form
// independently of the stage record's own registration.
#include <string>
#include <vector>

#include "definition_fixtures.h"

inline Layout StageLayout() {
    Layout l;
    auto add = [&](const char* name, int width = 4, int from = 0) { l.push_back({name, width, from}); };
    for (const char* n : {"m_nWidth",       "m_nSpare1",      "m_nSpare2",      "m_nHeight",       "m_bLimitLeft",
                          "m_bLimitRight",  "m_bLimitTop",    "m_bLimitBottom", "m_nLimitLeft",    "m_nLimitRight",
                          "m_nLimitTop",    "m_nLimitBottom", "m_nFps",         "m_bTimeLimit",    "m_nTimeLimit",
                          "m_nTimeWarning", "m_nScrollKindX", "m_nScrollKindY", "m_nScrollSpeedX", "m_nScrollSpeedY"}) {
        add(n);
    }
    add("m_dGravity", 8);
    add("m_nHitCheckLevel");
    add("m_nContactLevel");
    add("m_nBgm");
    add("m_bBgmKeep", 4, 166);
    add("m_bBgmContinue", 4, 199);
    add("m_bLayeredDraw");
    add("m_bCarryStatus");
    add("m_bEndKeep");
    add("m_bShowStatus", 4, 183);
    add("m_bSkipResult", 4, 184);
    add("m_bStartBanner1");
    add("m_bStartBanner2", 4, 225);
    add("m_bClearBanner");
    add("m_bGameOverBanner");
    for (const char* n : {"m_nHeroW", "m_nHeroH", "m_nHeroW2", "m_nHeroH2"}) add(n, 4, 200);
    add("m_nHeroHitW");
    add("m_nHeroHitH");
    add("m_nHeroHitW2", 4, 155);
    add("m_nHeroHitH2", 4, 155);
    for (const char* n : {"m_nHeroBox1W", "m_nHeroBox1H", "m_nHeroBox2W", "m_nHeroBox2H"}) add(n);
    add("m_bHeroBottom", 4, 200);
    add("m_bHeroBottom2", 4, 200);
    add("m_bHeroHitBottom", 4, 155);
    add("m_bHeroHitBottom2", 4, 155);
    add("order0", 4, 200);
    for (const char* n : {"order1", "order2", "order3"}) add(n);
    add("kind0", 4, 200);
    for (const char* n : {"kind1", "kind2", "kind3"}) add(n);
    for (const char* n : {"m_nCharaW", "m_nCharaH", "m_nCharaW2", "m_nCharaH2"}) add(n, 4, 200);
    add("m_nCharaHitW");
    add("m_nCharaHitH");
    add("m_nCharaHitW2", 4, 155);
    add("m_nCharaHitH2", 4, 155);
    add("m_nCharaBox1W");
    add("m_nCharaBox1H");
    add("m_bCharaBottom", 4, 200);
    add("m_bCharaBottom2", 4, 200);
    add("m_bCharaHitBottom", 4, 155);
    add("m_bCharaHitBottom2", 4, 155);
    add("m_nItemW");
    add("m_nItemH");
    for (int i = 0; i < 8; ++i) l.push_back({"shot" + std::to_string(i), 4, 0});
    for (const char* n : {"m_nSpare3", "m_nViewExtraX", "m_nViewExtraY", "m_nSubSteps"}) add(n);
    for (const char* n : {"m_dSubSteps", "m_dSubStepsSq", "m_dMaxSpeed", "m_dGravityStep", "m_dMaxSpeedStep"}) {
        add(n, 8);
    }
    for (const char* n : {"m_nSubStepsX8", "m_bTargetFilter", "m_nCooldownOther", "m_nInvincibleOther",
                          "m_nCooldownHero", "m_nInvincibleHero"}) {
        add(n);
    }
    return l;
}

struct StageFixture {
    Values settings;
    std::string title;
    std::vector<std::int32_t> ranking;
    std::vector<ByteBuilder> rules;  // five; empty gives zero rules
    std::vector<DefFixture> paletteBlocks, paletteCharas, paletteItems;
    std::vector<DefFixture> placedBlocks, placedCharas, placedItems;
    std::int32_t placedPrefix = 0;
    std::vector<ByteBuilder> layers;
    std::vector<std::string> names;
    bool endCode = true;
    std::int32_t endValue = 123456789;
};

inline ByteBuilder StageFileBytes(int version, const StageFixture& s) {
    ByteBuilder b;
    b.I32(version).Append(RecordBytes(StageLayout(), version, s.settings, {s.title}));
    b.I32(static_cast<std::int32_t>(s.ranking.size()));
    for (auto r : s.ranking) b.I32(r);
    for (int i = 0; i < 5; ++i) {
        if (static_cast<std::size_t>(i) < s.rules.size()) {
            b.Append(s.rules[static_cast<std::size_t>(i)]);
        } else if (version >= 125) {
            b.I32(8).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
        } else {
            b.I32(5).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
        }
    }
    struct List {
        DefKind kind;
        const std::vector<DefFixture>* defs;
        bool placed;
    };
    for (auto l : {List{DefKind::Block, &s.paletteBlocks, false}, List{DefKind::Chara, &s.paletteCharas, false},
                   List{DefKind::Item, &s.paletteItems, false}, List{DefKind::Block, &s.placedBlocks, true},
                   List{DefKind::Chara, &s.placedCharas, true}, List{DefKind::Item, &s.placedItems, true}}) {
        b.I32(static_cast<std::int32_t>(l.defs->size()));
        for (const auto& d : *l.defs) {
            if (l.placed) b.I32(s.placedPrefix);
            b.Append(DefBytes(l.kind, version, d));
        }
    }
    b.I32(static_cast<std::int32_t>(s.layers.size()));
    for (const auto& l : s.layers) b.Append(l);
    b.I32(static_cast<std::int32_t>(s.names.size()));
    for (const auto& n : s.names) b.I32(0).I32(1).Str(n);
    if (s.endCode) b.I32(s.endValue);
    return b;
}

// A placed hero: player-operated, with a picture.
inline DefFixture HeroFixture() {
    DefFixture d;
    d.name = "hero";
    d.fields = {{"m_cOperation", 0}, {"m_sCell", 1}, {"m_cSheet", 1}, {"m_cScale", 1}, {"m_nMaxHp", 12}};
    return d;
}
