#pragma once
// A character-effect table made here: entry 0 "none", then the entries a
// test gives (kind and five parameters), copied and prepared as start-up
// does. The table is emptied again at the end.
#include <array>
#include <vector>

#include "gamedata/database/effect_tables.h"
#include "gamedata/global_data.h"
#include "stage/core/chara_effect_run.h"

struct EffectRow {
    int kind;
    std::array<int, 5> p;
};

class CharaEffectTable {
public:
    explicit CharaEffectTable(const std::vector<EffectRow>& rows) {
        Database.CharaEffect.assign(1, cCharaEffect());
        Database.CharaEffect[0].m_nKind = 0;
        for (const EffectRow& row : rows) {
            cCharaEffect& e = Database.CharaEffect.emplace_back();
            e.m_nKind = row.kind;
            for (int i = 0; i < 5; ++i) e.m_nParam[i] = row.p[static_cast<std::size_t>(i)];
        }
        CopyEffectTables();
        BuildCharaEffectTemplates();
    }
    ~CharaEffectTable() {
        CharaEffectTemplates.clear();
        CharaEffectTemplatesRev.clear();
        Database.CharaEffect.clear();
        Database.CharaEffectCopy.clear();
    }
    CharaEffectTable(const CharaEffectTable&) = delete;
    CharaEffectTable& operator=(const CharaEffectTable&) = delete;
};
