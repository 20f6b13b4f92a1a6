// The ten databases: animation sets and animations of the character sheets,
// the sword, the effects, and the pictures, sounds and music by file name.
#include <string>

#include "content_ids.h"
#include "gamedata/database/database.h"
#include "gamedata/database/effect_kinds.h"
#include "gamedata/global_data.h"
#include "project_content.h"
#include "sound_files.h"

namespace {

template <class Entry>
void NameFiles(cVector<Entry>& table, const std::vector<std::string>& files, const char* prefix) {
    table.resize(files.size() + 1);
    int n = 1;
    for (const std::string& file : files) {
        table[n].m_strName = std::string(prefix) + std::to_string(n);
        table[n].m_strFile = file;
        ++n;
    }
}

cAnime Motion(const std::string& name, std::initializer_list<std::pair<int, int>> frames) {
    cAnime anime(name);
    anime.m_vFrames.clear();
    for (const auto& [cell, time] : frames) {
        cAnimeFrame f;
        f.m_nCell = cell;
        f.m_nTime = time;
        anime.m_vFrames.push_back(f);
    }
    return anime;
}

cAnimeSet AnimeSet(const std::string& name, int walkTime) {
    cAnimeSet set;
    set.m_strName = name;
    set.m_vMotions = {Motion("立ち", {{0, 5}, {1, 5}}), Motion("立ち移動", {{2, walkTime}, {3, walkTime}}),
                      Motion("飛行", {{4, 3}, {5, 3}}), Motion("飛行移動", {{6, 2}, {7, 2}})};
    return set;
}

void FillAnimations(cDatabase& db) {
    db.AnimeSet = {AnimeSet("主人公", 1), AnimeSet("歩く敵", 2), AnimeSet("飛ぶ敵", 1)};
    db.Anime.resize(AnimeId::Count);
    db.Anime[AnimeId::Cheer] = Motion("よろこび", {{8, 2}, {10, 2}, {8, 2}, {10, 4}});
}

void FillSword(cDatabase& db) {
    cSwordType& blade = db.SwordType[SwordId::Blade];
    blade.m_strName = "ブレード";
    blade.m_strLeftFile = "bmp\\sword\\BladeL.bmp";
    blade.m_strRightFile = "bmp\\sword\\BladeR.bmp";
    blade.m_vFrames.clear();
    for (int i = 0; i < 2; ++i) {
        cSwordFrame f;
        f.m_nOffsetX = 20;
        f.m_nOffsetY = i == 0 ? -12 : 0;
        f.m_nSrcX = i * 32;
        f.m_nWidth = 32;
        f.m_nHeight = 32;
        f.m_nTime = 1;
        blade.m_vFrames.push_back(f);
    }
}

void FillEffects(cDatabase& db) {
    db.Effect.resize(EffectId::Count);
    cEffect& spark = db.Effect[EffectId::Spark];
    spark.m_strName = "火花";
    spark.m_strFile = "bmp\\effect\\Spark.bmp";
    spark.m_vFrames.clear();
    for (int cell = 0; cell < 4; ++cell) {
        cEffectFrame f;
        f.m_nCell = cell;
        f.m_nTime = 1;
        spark.m_vFrames.push_back(f);
    }
    // Kinds 6 (blinking) and 2 (a horizontal quake) with the values a new
    // entry of the kind starts with.
    auto start = [](cEffectKindEntry& e, const EffectKindInfo* info, int kind, const char* name) {
        e.m_nKind = kind;
        e.m_strName = name;
        for (int p = 0; p < cEffectKindEntry::kParamCount; ++p) e.m_nParam[p] = info->params[p].initial;
    };
    db.CharaEffect.resize(CharaEffectId::Count);
    start(db.CharaEffect[CharaEffectId::Flash], CharaEffectKind(6), 6, "点滅");
    db.ScrEffect.resize(ScrEffectId::Count);
    start(db.ScrEffect[ScrEffectId::Quake], ScrEffectKind(2), 2, "地震");
}

void FillFiles(cDatabase& db) {
    NameFiles(db.Picture, {"bmp\\picture\\BossFace.bmp", "bmp\\picture\\Warning.bmp"}, "ピクチャー");
    NameFiles(db.Sound, DatabaseSoundPaths(), "効果音");
    NameFiles(db.Bgm, DatabaseMusicPaths(), "BGM");
    NameFiles(db.BmpCharaExc, {"bmp\\chara_sp\\Boss.bmp"}, "専用");
}

}  // namespace

void BuildDatabases() {
    Database.SetDefaults();
    FillAnimations(Database);
    FillSword(Database);
    FillEffects(Database);
    FillFiles(Database);
}
