#include "gamedata/story/story_save.h"

#include <gtest/gtest.h>

#include "gamedata/fixtures/story_fixture.h"
#include "gamedata/global_data.h"
#include "support/temp_dir.h"

namespace {

class StorySave : public ::testing::Test {
protected:
    void TearDown() override {
        SystemData.SetDefaults();
        WorldMap.m_vChip.clear();
        WorldMap.SetDefaults();
    }
    int LoadFixture(cStorySave& s, const StoryFileFixture& f) {
        dir.WriteHostFile("story.dat", f.Bytes().Str());
        return s.LoadFile("story.dat");
    }
    TempDir dir;
};

}  // namespace

TEST_F(StorySave, ResetGivesTheStartOfANewGame) {
    cStorySave s;
    s.m_nLives = 5;
    s.m_nAfterClearOld = 3;
    s.m_vCleared.emplace_back("a", "a.", 0, 0, 0, 10);
    s.m_vStageStartVar.assign(7, 1);
    s.m_SaveTime.wYear = 2020;
    s.Reset(40);
    EXPECT_EQ(s.m_nLives, 0);
    EXPECT_EQ(s.m_nAfterClearOld, 0);
    EXPECT_EQ(s.m_vChallenge.Count(), 40);
    EXPECT_EQ(s.m_nChallengeOpened, 1);
    EXPECT_EQ(s.m_nSlot, -1);
    EXPECT_EQ(s.m_strRankingName, "aaa");
    EXPECT_EQ(s.m_vCarry, cVector<int>(25, 0));
    EXPECT_EQ(s.m_vKept.Count(), 1);
    ASSERT_EQ(s.m_vMapPoint.Count(), 1000);
    EXPECT_EQ(s.m_vMapPoint[0], 1);
    EXPECT_EQ(std::count(s.m_vMapPoint.begin(), s.m_vMapPoint.end(), 0), 999);
    EXPECT_EQ(s.m_vVar, cVector<int>(1001, 0));
    EXPECT_TRUE(s.m_vCleared.empty());
    // The save time and the stage-start snapshot are not part of a new game.
    EXPECT_EQ(s.m_vStageStartVar.Count(), 7);
    EXPECT_EQ(s.m_SaveTime.wYear, 2020);
    s.Reset(-4);
    EXPECT_TRUE(s.m_vChallenge.empty());
}

TEST_F(StorySave, TheRecordRoundTripsThroughItsFile) {
    SystemData.m_nChallengeCount = 3;
    cStorySave s;
    s.Reset(3);
    s.m_nMapX = 4;
    s.m_nMapY = 6;
    s.m_nAfterClear = 2;
    s.m_nLives = 12;
    s.m_nScore = 3456;
    s.m_nStageValue4 = 39;
    s.m_strStage = "data\\stg4\\城.";
    s.m_strNextStage = "next";
    s.m_SaveTime = SYSTEMTIME{2025, 12, 1, 9, 8, 7, 6, 5};
    s.m_vCarry[24] = 1;
    s.m_vKept[0].m_nHp = 77;
    s.m_vKept[0].m_Def.m_nMaxHp = 250;
    s.m_vKept.push_back(cStoryChara());
    s.AddClearedStage("castle.", "data\\stg4\\castle.", 1, 2, 3, 500);
    s.m_vChallenge[2].m_bCleared = 1;
    s.m_vChallenge[2].m_nBest = 900;
    s.m_vMapPoint[999] = 1;
    s.m_vVar[1000] = -8;
    s.BeginStage();
    ASSERT_EQ(s.SaveFile("story.dat"), 1);

    cStorySave back;
    ASSERT_EQ(back.LoadFile("story.dat"), 1);
    EXPECT_EQ(back.m_nMapX, 4);
    EXPECT_EQ(back.m_nMapY, 6);
    EXPECT_EQ(back.m_nAfterClear, 2);
    EXPECT_EQ(back.m_nLives, 12);
    EXPECT_EQ(back.m_nScore, 3456);
    EXPECT_EQ(back.m_nStageValue4, 39);
    EXPECT_EQ(back.m_strStage, "data\\stg4\\城.");
    EXPECT_EQ(back.m_strNextStage, "next");
    EXPECT_EQ(back.m_SaveTime.wMinute, 7);
    EXPECT_EQ(back.m_vCarry, s.m_vCarry);
    ASSERT_EQ(back.m_vKept.Count(), 2);
    EXPECT_EQ(back.m_vKept[0].m_nHp, 77);
    EXPECT_EQ(back.m_vKept[0].m_Def.m_nMaxHp, 250);
    ASSERT_EQ(back.m_vCleared.Count(), 1);
    EXPECT_EQ(back.m_vCleared[0].m_strFile, "data\\stg4\\castle.");
    EXPECT_EQ(back.m_vCleared[0].m_nLinkC, 3);
    EXPECT_EQ(back.m_nClearedScore, 500);
    ASSERT_EQ(back.m_vChallenge.Count(), 3);
    EXPECT_EQ(back.m_vChallenge[2].m_nBest, 900);
    EXPECT_EQ(back.m_vMapPoint, s.m_vMapPoint);
    EXPECT_EQ(back.m_vVar[1000], -8);
    EXPECT_EQ(back.m_vStageStartVar, s.m_vVar);
}

TEST_F(StorySave, Version700KeepsMember4AndFillsItsOldTwin) {
    StoryFileFixture f;
    f.version = 700;
    f.members = {{2, 3}, {4, 2}, {13, 9}, {39, 77}};
    f.cleared = {{"data\\stg4\\a.", "", 0, 0, 0, 40}};
    f.vars.assign(1000, 0);
    f.vars[999] = 5;
    cStorySave s;
    s.m_nAfterClear = 1;
    ASSERT_EQ(LoadFixture(s, f), 1);
    EXPECT_EQ(s.m_nAfterClear, 1);
    EXPECT_EQ(s.m_nAfterClearOld, 2);
    EXPECT_EQ(s.m_nMapX, 3);
    EXPECT_EQ(s.m_nLives, 9);
    EXPECT_EQ(s.m_nStageValue4, 77);
    // Before 759 a cleared stage had no file text of its own.
    ASSERT_EQ(s.m_vCleared.Count(), 1);
    EXPECT_EQ(s.m_vCleared[0].m_strFile, "data\\stg4\\a.");
    EXPECT_EQ(s.m_vCleared[0].m_nScore, 40);
    // Before 754: variables grow (to 1,001, so variable 1000 is valid) and the
    // stage-start snapshot starts empty of values.
    ASSERT_EQ(s.m_vVar.Count(), 1001);
    EXPECT_EQ(s.m_vVar[999], 5);
    EXPECT_EQ(s.m_vStageStartVar, cVector<int>(1001, 0));
    EXPECT_EQ(s.m_vKept.Count(), 1);

    // A current file never carries the twin's value on.
    f.version = 916;
    ASSERT_EQ(LoadFixture(s, f), 1);
    EXPECT_EQ(s.m_nAfterClear, 2);
    EXPECT_EQ(s.m_nAfterClearOld, 0);
}

TEST_F(StorySave, VeryOldFilesGetTheValuesOfTheOldBehaviour) {
    StoryFileFixture f;
    f.version = 150;
    f.members = {{5, 2}};
    f.mapPoints.assign(1000, 0);
    cStorySave s;
    s.m_bBgmLoop = 0;
    s.m_bAutoSave = s.m_nHpTotal = s.m_nSpTotal = 1;
    s.m_nMapValue1 = s.m_nMapValue2 = s.m_nMapValue3 = s.m_nMapValue4 = 1;
    s.m_vCarry.assign(3, 0);
    ASSERT_EQ(LoadFixture(s, f), 1);
    EXPECT_EQ(s.m_nRounds, 2);
    EXPECT_EQ(s.m_bBgmLoop, 1);
    for (int v :
         {s.m_bAutoSave, s.m_nHpTotal, s.m_nSpTotal, s.m_nMapValue1, s.m_nMapValue2, s.m_nMapValue3, s.m_nMapValue4}) {
        EXPECT_EQ(v, 0);
    }
    EXPECT_EQ(s.m_vCarry, cVector<int>(25, 1));
    EXPECT_EQ(s.m_vMapPoint[0], 1);
}

TEST_F(StorySave, LoadValidatesAgainstTheWorldMapAndTheChallengeCount) {
    SystemData.m_nChallengeCount = 5;
    StoryFileFixture f;
    f.members = {{2, 20}, {3, 14}, {29, 9}};
    f.challenges = 8;
    f.carry = {1, 1, 1};  // shorter than the carried items
    f.mapPoints = {1, 1};
    f.vars = {4};
    cStorySave s;
    ASSERT_EQ(LoadFixture(s, f), 1);
    EXPECT_EQ(s.m_nMapX, 9);   // not below the width 20: the start cell
    EXPECT_EQ(s.m_nMapY, 14);  // below the height 15: kept
    EXPECT_EQ(s.m_vChallenge.Count(), 5);
    EXPECT_EQ(s.m_vChallenge[3].m_nBest, 300);
    EXPECT_EQ(s.m_nChallengeOpened, 5);
    EXPECT_EQ(s.m_vCarry.Count(), 25);
    EXPECT_EQ(s.m_vCarry[2], 1);
    EXPECT_EQ(s.m_vMapPoint.Count(), 1000);
    EXPECT_EQ(s.m_vVar.Count(), 1001);
    EXPECT_EQ(s.m_vVar[0], 4);
}

TEST_F(StorySave, ARefusedFileLeavesTheProgressAsItWas) {
    StoryFileFixture f;
    f.members = {{13, 9}};
    f.vars.assign(1001, 3);
    auto bytes = f.Bytes();
    for (std::size_t cut : {std::size_t(20), bytes.Size() / 2, bytes.Size() - 3}) {
        cStorySave s;
        s.Reset(2);
        s.m_nLives = 4;
        s.m_strStage = "mine.";
        dir.WriteHostFile("story.dat", bytes.Truncated(cut));
        EXPECT_EQ(s.LoadFile("story.dat"), 0) << cut;
        EXPECT_EQ(s.m_nLives, 4);
        EXPECT_EQ(s.m_strStage, "mine.");
        EXPECT_EQ(s.m_vVar, cVector<int>(1001, 0));
        EXPECT_EQ(s.m_vChallenge.Count(), 2);
    }
}

TEST_F(StorySave, SetStageFileNamesTheStageAndItsKey) {
    struct Case {
        const char* file;
        int a, b, c;
        const char* stage;
        const char* key;
        int multiPart;
    };
    const Case cases[] = {
        {"data\\stg4\\c01-1.stg4", 0, 1, 0, "data\\stg4\\c01.", "data\\stg4\\c01.", 1},
        {"data\\stg4\\castle.stg4", 0, 1, 0, "data\\stg4\\castle.", "data\\stg4\\castle.", 0},
        {"data\\stg4\\a-10.stg4", 0, 1, 0, "data\\stg4\\a.", "data\\stg4\\a.", 1},
        {"data\\stg4\\b-2.stg4", 0, 1, 0, "data\\stg4\\b-2.", "data\\stg4\\b-2.", 0},
        {"noextension", 0, 1, 0, "", "", 0},
        {"", 0, 1, 0, "", "", 0},
        {"data\\stg4\\castle.stg4", 1, 5, 2, "data\\stg4\\castle.", "data\\stg4\\castle_c005_2.", 0},
        {"data\\stg4\\castle.stg4", 1, 1000, 12, "data\\stg4\\castle.", "data\\stg4\\castle_c1000_12.", 0},
    };
    for (const Case& k : cases) {
        cStorySave s;
        s.m_bMultiPart = 1;
        s.SetStageFile(k.file, k.a, k.b, k.c);
        EXPECT_EQ(s.m_strStage, k.stage) << k.file;
        EXPECT_EQ(s.m_strStageKey, k.key) << k.file;
        EXPECT_EQ(s.m_bMultiPart, k.multiPart) << k.file;
        EXPECT_EQ(s.m_nLinkA, k.a);
        EXPECT_EQ(s.m_nLinkB, k.b);
        EXPECT_EQ(s.m_nLinkC, k.c);
    }
}

TEST_F(StorySave, StageKeyNameAppendsTheLinkValuesBeforeTheDot) {
    const std::tuple<const char*, int, int, int, const char*> cases[] = {
        {"data\\stg4\\castle.", 1, 5, 2, "data\\stg4\\castle_c005_2."},
        {"castle", 3, 7, 0, "castle_c007_0"},
        {"castle.", 0, 7, 0, "castle."},
        {"", 2, 12, 34, "_c012_34"},
    };
    for (auto [key, flag, a, b, expected] : cases) {
        std::string k = key;
        StageKeyName(k, flag, a, b);
        EXPECT_EQ(k, expected);
    }
}

TEST_F(StorySave, ClearedStagesKeepTheirBestScoreInTheTotal) {
    cStorySave s;
    s.AddClearedStage("castle.", "f1", 1, 2, 3, 100);
    s.AddClearedStage("tower.", "f2", 0, 1, 0, 50);
    EXPECT_EQ(s.m_nClearedScore, 150);
    s.AddClearedStage("other name", "f1", 9, 9, 9, 80);  // lower: nothing changes
    EXPECT_EQ(s.m_nClearedScore, 150);
    EXPECT_EQ(s.StageScore("f1"), 100);
    s.AddClearedStage("other name", "f1", 9, 9, 9, 130);
    EXPECT_EQ(s.m_nClearedScore, 180);
    EXPECT_EQ(s.StageScore("f1"), 130);
    EXPECT_EQ(s.m_vCleared[0].m_strName, "castle.");
    EXPECT_EQ(s.m_vCleared[0].m_nLinkA, 1);
    EXPECT_EQ(s.StageScore("F1"), 0);
    EXPECT_EQ(s.m_vCleared.Count(), 2);
}

TEST_F(StorySave, RecalcTotalCountsOnlyStagesTheWorldMapStillLinks) {
    cWorldPoint p;
    cStageLink l;
    l.m_strStage = "castle-1.stg4";
    p.m_vLink.push_back(l);
    l.m_strStage = "tower.stg4";
    l.m_nLinkA = 1;
    l.m_nLinkB = 4;
    l.m_nLinkC = 0;
    p.m_vLink.push_back(l);
    WorldMap.m_vPoint.push_back(p);
    cStorySave s;
    s.AddClearedStage("castle.", "a", 0, 1, 0, 100);
    s.AddClearedStage("tower.", "b", 1, 4, 0, 20);
    s.AddClearedStage("tower.", "c", 1, 5, 0, 3);
    s.AddClearedStage("gone.", "d", 0, 1, 0, 1000);
    s.RecalcTotal();
    EXPECT_EQ(s.m_nClearedScore, 120);
}

TEST_F(StorySave, StageStartSnapshotIsRestoredByFlagAndGameKind) {
    struct Case {
        int flag, kind;
        bool direct;
        int row;  // switch row set to 0 for the case; 0 = none
        bool varsRestored, livesRestored;
    };
    const Case cases[] = {
        {1, kGameStory, false, 21, true, true},   {0, kGameStory, false, 0, true, false},
        {0, kGameStory, false, 21, false, false}, {0, kGameChallenge, false, 25, false, false},
        {0, kGameFree, false, 27, false, false},  {0, kGameFree, false, 0, true, false},
        {0, kGameStory, true, 28, false, false},  {0, kGameStory, true, 0, true, false},
        {0, kGameReplay, false, 21, true, false},
    };
    for (const Case& k : cases) {
        SystemData.SetDefaults();
        SystemData.m_bRestoreVarsDirect = 1;
        if (k.row) SystemData.SetRow(k.row, 0);
        cStorySave s;
        s.m_nLives = 3;
        s.m_nScore = 100;
        s.m_vVar[7] = 1;
        s.BeginStage();
        s.m_nLives = 1;
        s.m_nScore = 250;
        s.m_vVar[7] = 9;
        s.RestoreStageStart(k.flag, k.kind, k.direct);
        EXPECT_EQ(s.m_vVar[7], k.varsRestored ? 1 : 9) << k.flag << " " << k.kind << " " << k.row;
        EXPECT_EQ(s.m_nLives, k.livesRestored ? 3 : 1);
        EXPECT_EQ(s.m_nScore, 100);
    }
    cStorySave fresh;
    fresh.RestoreStageStart(1, kGameStory, false);
    EXPECT_EQ(fresh.m_vVar.Count(), 1001);
}

TEST_F(StorySave, ResetStageCountersStartsANewRound) {
    WorldMap.m_nStartX = 3;
    WorldMap.m_nStartY = 11;
    cStorySave s;
    s.m_vMapPoint.Fill(1);
    s.m_nMapX = 8;
    s.ResetStageCounters();
    s.ResetStageCounters();
    EXPECT_EQ(s.m_nRounds, 2);
    EXPECT_EQ(s.m_vMapPoint[0], 1);
    EXPECT_EQ(std::count(s.m_vMapPoint.begin(), s.m_vMapPoint.end(), 1), 1);
    EXPECT_EQ(s.m_nMapX, 3);
    EXPECT_EQ(s.m_nMapY, 11);
}

TEST_F(StorySave, StepEnabledIndexMovesOverTheEnabledGenres) {
    struct Case {
        std::vector<int> enabled;
        int from, steps, to;
    };
    const Case cases[] = {
        {{0, 2}, 4, 1, 0}, {{2, 3}, 4, 1, 2}, {{0, 2, 3}, 0, 2, 3}, {{0, 2, 3}, 0, -1, 3}, {{1}, 3, 0, 1},
        {{1, 3}, 3, 0, 3}, {{}, 2, 1, 2},     {{}, 2, -3, 2},       {{0, 4}, 4, -1, 0},    {{0, 4}, 0, -1, 4},
    };
    for (const Case& k : cases) {
        SystemData.SetDefaults();
        auto& genres = SystemData.RankingSettings[kGameChallenge].m_vGenres;
        genres.Fill(0);
        for (int g : k.enabled) genres[g] = 1;
        cStorySave s;
        s.m_nRankingGenre = k.from;
        StepEnabledIndex(s, kGameChallenge, k.steps);
        EXPECT_EQ(s.m_nRankingGenre, k.to) << k.from << " " << k.steps;
    }
}
