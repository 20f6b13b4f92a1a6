#include "gamedata/database/effect_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace {

using Triple = std::tuple<int, int, int>;

std::vector<Triple> Triples(const AnimSequence& seq) {
    std::vector<Triple> out;
    for (const auto& e : seq) out.emplace_back(e.frame, e.duration, e.lock);
    return out;
}

void SetFrames(cAnime& a, std::vector<Triple> frames) {
    a.m_vFrames.clear();
    for (auto [cell, time, lock] : frames) {
        cAnimeFrame f;
        f.m_nCell = cell;
        f.m_nTime = time;
        f.m_nLock = lock;
        a.m_vFrames.push_back(f);
    }
}

TEST(AnimeSequences, MatchTheirFrames) {
    struct Case {
        const char* what;
        int index;
        std::vector<Triple> frames;    // cell, time, lock request
        std::vector<Triple> expected;  // frame, duration, lock
    };
    const Case cases[] = {
        {"entry 0 loops without time, locked",
         0,
         {{5, 2, 0}, {6, 3, 0}, {7, 1, 0}},
         {{5, 0, 1}, {6, 0, 1}, {7, 0, 1}, {-2, 0, 1}}},
        {"the lock holds from the first frame that asks",
         1,
         {{5, 2, 0}, {6, 3, 1}, {7, 1, 0}},
         {{5, 12, 0}, {6, 18, 1}, {7, 6, 1}, {-4, 0, 0}}},
        {"no frames, entry 0", 0, {}, {{-2, 0, 1}}},
        {"no frames", 1, {}, {{-4, 0, 0}}},
        {"a huge time does not wrap", 1, {{1, INT_MAX / 2, 0}}, {{1, INT_MAX, 0}, {-4, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cDatabase db;
        SetFrames(db.Anime[c.index], c.frames);
        cVector<AnimSequence> table;
        BuildAnimeSequences(table, db);
        ASSERT_EQ(table.Count(), db.Anime.Count());
        EXPECT_EQ(Triples(table[c.index]), c.expected);
    }
}

TEST(EffectSequences, MatchTheirFramesWithoutLocks) {
    cDatabase db;
    db.Effect[1].m_vFrames.resize(2);
    db.Effect[1].m_vFrames[0].m_nCell = 3;
    db.Effect[1].m_vFrames[0].m_nTime = 2;
    db.Effect[1].m_vFrames[1].m_nCell = 4;
    db.Effect[1].m_vFrames[1].m_nTime = 1;
    db.Effect[0].m_vFrames[0].m_nCell = 9;
    db.Effect.push_back(cEffect());
    db.Effect[2].m_vFrames.clear();
    cVector<AnimSequence> table(5);  // stale sequences beyond the table go away
    BuildEffectSequences(table, db);
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(Triples(table[0]), (std::vector<Triple>{{9, 0, 1}, {-2, 0, 1}}));
    EXPECT_EQ(Triples(table[1]), (std::vector<Triple>{{3, 12, 0}, {4, 6, 0}, {-4, 0, 0}}));
    EXPECT_EQ(Triples(table[2]), (std::vector<Triple>{{-4, 0, 0}}));
}

// A run record as the stage code will have one: what a preparation took.
struct TestRun {
    int index = 0;
    int direction = 0;
    int start = 0;
    int end = 0;
    const cDataRecord* source = nullptr;
};

TEST(EffectTemplates, ReversedTemplatesComeFromSwappedCopies) {
    cDatabase db;
    db.CharaEffect.resize(3);
    db.CharaEffect[1].m_nKind = 1;
    db.CharaEffect[1].m_nParam[1] = 0;
    db.CharaEffect[1].m_nParam[2] = 32;
    db.CharaEffect[2].m_nKind = 6;  // blink: nothing to swap
    db.CharaEffect[2].m_nParam[1] = 4;
    db.CharaEffect[2].m_strName = "点滅";
    CopyEffectTables(db);
    ASSERT_EQ(db.CharaEffectCopy.Count(), 3);
    EXPECT_EQ(db.CharaEffectCopy[2].m_strName, "点滅");

    cVector<TestRun> forward, reversed;
    BuildEffectTemplates(forward, reversed, db.CharaEffect.Count(), [&](TestRun& run, int i, int dir) {
        cCharaEffect& src = PrepareCharaEffectSource(i, dir, db);
        run = {i, dir, src.m_nParam[1], src.m_nParam[2], &src};
    });
    ASSERT_EQ(forward.Count(), 3);
    ASSERT_EQ(reversed.Count(), 3);
    // The database keeps the file's values; each copy entry is swapped once.
    EXPECT_EQ(db.CharaEffect[1].m_nParam[1], 0);
    EXPECT_EQ(db.CharaEffect[1].m_nParam[2], 32);
    EXPECT_EQ(db.CharaEffectCopy[1].m_nParam[1], 32);
    EXPECT_EQ(db.CharaEffectCopy[1].m_nParam[2], 0);
    EXPECT_EQ(forward[1].start, 0);
    EXPECT_EQ(reversed[1].start, 32);
    EXPECT_EQ(reversed[1].end, 0);
    EXPECT_EQ(forward[1].source, &db.CharaEffect[1]);
    EXPECT_EQ(reversed[1].source, &db.CharaEffectCopy[1]);
    EXPECT_EQ(reversed[2].start, 4);
    EXPECT_EQ(reversed[0].direction, 1);
}

TEST(EffectTemplates, ScreenMoveSwapsItsPoints) {
    cDatabase db;
    cScrEffect& move = db.ScrEffect[1];
    move.m_nKind = 1;
    move.m_nParam[1] = 1;
    move.m_nParam[2] = 2;
    move.m_nParam[3] = 640;
    move.m_nParam[4] = 4;
    CopyEffectTables(db);
    cScrEffect& rev = PrepareScrEffectSource(1, 1, db);
    EXPECT_EQ(&rev, &db.ScrEffectCopy[1]);
    EXPECT_EQ(rev.m_nParam[1], 640);
    EXPECT_EQ(rev.m_nParam[2], 4);
    EXPECT_EQ(rev.m_nParam[3], 1);
    EXPECT_EQ(rev.m_nParam[4], 2);
    EXPECT_EQ(PrepareScrEffectSource(1, 0, db).m_nParam[1], 1);
}

}  // namespace
