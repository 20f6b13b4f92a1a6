// Start-up cost of the project databases: reading the ten table files of a
// large project and deriving the run-time sequences and effect copies.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "run_folder.h"

namespace {

// A large project: 2,000 animations and 500 animation sets of 8 frames each,
// 1,000 effects, 1,000 character and screen effects, 2,000 pictures, sounds
// and pieces of music.
std::int64_t WriteLargeProject() {
    std::filesystem::create_directories("data/database");
    cDatabase db;
    cAnime anime("アニメーション");
    anime.m_vFrames.resize(8);
    db.Anime.assign(2000, anime);
    cAnimeSet set;
    for (auto& m : set.m_vMotions) m.m_vFrames.resize(8);
    db.AnimeSet.assign(500, set);
    cEffect effect;
    effect.m_strFile = "bmp\\effect\\explosion.bmp";
    effect.m_vFrames.resize(8);
    db.Effect.assign(1000, effect);
    db.CharaEffect.assign(1000, cCharaEffect());
    db.ScrEffect.assign(1000, cScrEffect());
    cPicture picture;
    picture.m_strFile = "bmp\\picture\\picture.bmp";
    db.Picture.assign(2000, picture);
    db.Sound.assign(2000, cSound());
    db.Bgm.assign(2000, cBgm());
    db.SaveAll("data\\database");
    std::int64_t bytes = 0;
    for (const auto& e : std::filesystem::directory_iterator("data/database")) bytes += e.file_size();
    return bytes;
}

void BM_LoadDatabases(benchmark::State& state) {
    RunFolder folder("bench_database_load");
    const std::int64_t bytes = WriteLargeProject();
    for (auto _ : state) {
        cDatabase db;
        if (db.LoadAll() != 1) state.SkipWithError("load failed");
        CopyEffectTables(db);
        cVector<AnimSequence> anime, effects;
        BuildAnimeSequences(anime, db);
        BuildEffectSequences(effects, db);
        benchmark::DoNotOptimize(anime.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_LoadDatabases)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
