#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "foundation/data_record.h"
#include "gamedata/project/player_files.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/rankings/ranking_texts.h"
#include "support/byte_builder.h"
#include "support/test_env.h"

namespace {

// One stored entry and one stored table of n entries, as a file holds them.
ByteBuilder EntryBytes(int shown, int score, const std::string& name) {
    ByteBuilder b;
    b.I32(2).I32(shown).I32(score).I32(1).Str(name);
    return b;
}

ByteBuilder TableBytes(int order, int entries, int firstScore = 0) {
    ByteBuilder b;
    b.I32(1).I32(order).I32(0).I32(entries);
    for (int i = 0; i < entries; ++i) b.Append(EntryBytes(i == 0 && firstScore ? 1 : 0, i == 0 ? firstScore : 0, ""));
    return b;
}

ByteBuilder SetBytes(int version, const std::vector<ByteBuilder>& tables) {
    ByteBuilder b;
    b.I32(version).I32(0).I32(0).I32(static_cast<int>(tables.size()));
    for (const ByteBuilder& t : tables) b.Append(t);
    return b;
}

std::vector<int> Scores(const cRanking& t) {
    std::vector<int> s;
    for (const cRankEntry& e : t.m_vEntries) s.push_back(e.m_bShown ? e.m_nScore : -1);
    return s;
}

cRanking TableOf(int order, std::vector<int> scores) {
    cRanking t;
    t.m_nOrder = order;
    for (int s : scores) t.Insert("p", s);
    return t;
}

TEST(Ranking, FindSlotAndInsertKeepOrderAndLength) {
    cRanking higher = TableOf(1, {900, 500, 300});
    EXPECT_EQ(higher.FindSlot(500), 2) << "an equal score ranks after the older one";
    EXPECT_EQ(higher.FindSlot(901), 0);
    EXPECT_EQ(higher.FindSlot(0), 3) << "the first empty entry";
    higher.Insert("new", 500);
    ASSERT_EQ(higher.m_vEntries.Count(), kRankEntries);
    EXPECT_EQ(higher.m_vEntries[2].m_strName, "new");
    EXPECT_EQ(Scores(higher)[1], 500);
    EXPECT_EQ(Scores(higher)[3], 300);
    EXPECT_EQ(Scores(higher)[4], -1);
    EXPECT_EQ(higher.m_vEntries[19].m_bShown, 0) << "one empty entry fewer";

    cRanking full = TableOf(1, std::vector<int>(20, 100));
    const std::vector<int> before = Scores(full);
    EXPECT_EQ(full.FindSlot(50), -1);
    full.Insert("low", 50);
    EXPECT_EQ(Scores(full), before) << "a score that ranks nowhere changes nothing";

    cRanking times = TableOf(0, {4500});
    times.Insert("fast", 4000);
    EXPECT_EQ(Scores(times)[0], 4000) << "lower first";
    EXPECT_EQ(Scores(times)[1], 4500);
    EXPECT_EQ(times.FindSlot(4500), 2) << "an equal time ranks after the older one";
}

TEST(RankingFile, IsWrittenByteForByteAndReadBack) {
    TestEnv env;
    CreateWorkingFolders();
    ResetRankingSet();
    RankingSet.m_vTables[0].Insert("abc", 1234);
    ASSERT_TRUE(SaveRankingFile(RankingSet, 1, "data\\stg4\\c01.", 0, 0, 0));
    ByteBuilder want;
    want.I32(kDataVersion).I32(0).I32(0).I32(5);
    const int orders[] = {1, 1, 0, 1, 1};
    for (int t = 0; t < 5; ++t) {
        want.I32(1).I32(orders[t]).I32(0).I32(20);
        for (int e = 0; e < 20; ++e) {
            want.Append(t == 0 && e == 0 ? EntryBytes(1, 1234, "abc") : EntryBytes(0, 0, ""));
        }
    }
    EXPECT_EQ(env.Dir().ReadHostFile("user_data/challenge/c01.rkg"), want.Str());

    ResetRankingSet();
    ASSERT_TRUE(LoadRankingFile(RankingSet, 1, "data\\stg4\\c01.", 0, 0, 0));
    EXPECT_EQ(RankingSet.m_vTables[0].m_vEntries[0].m_strName, "abc");
    EXPECT_EQ(RankingSet.m_vTables[0].m_vEntries[0].m_nScore, 1234);
}

TEST(RankingFile, NamesFollowTheKindAndTheStoryKey) {
    struct Case {
        int kind;
        const char* base;
        int keyOn, key, sub;
        const char* path;  // empty: none
    };
    const Case cases[] = {
        {0, "data\\stg4\\w1.", 5, 2, 0, "user_data\\story\\w1_c002_0.rkg"},
        {0, "data\\stg4\\w1.", 0, 2, 0, "user_data\\story\\w1.rkg"},
        {1, "data\\stg4\\c01.", 5, 2, 0, "user_data\\challenge\\c01.rkg"},
        {2, "my\\stage.", 0, 0, 0, "user_data\\free\\stage.rkg"},
        {3, "stage.", 0, 0, 0, ""},
        {-1, "stage.", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        std::string path = "unchanged";
        const bool has = RankingFilePath(path, c.kind, c.base, c.keyOn, c.key, c.sub);
        EXPECT_EQ(has, *c.path != 0) << c.kind << " " << c.base;
        if (has) { EXPECT_EQ(path, c.path); }
    }
    EXPECT_EQ(AbortFlag.load(), 0);
    TestEnv env;
    EXPECT_FALSE(SaveRankingFile(RankingSet, 3, "stage.", 0, 0, 0)) << "replays have no ranking file";
}

TEST(RankingFile, OldFilesAndLongTablesLoadAsTheyAre) {
    TestEnv env;
    CreateWorkingFolders();
    // Version 150: three tables, all ordered lower-first by their file.
    env.Dir().WriteHostFile("user_data/free/old.rkg",
                            SetBytes(150, {TableBytes(1, 20, 77), TableBytes(1, 20), TableBytes(0, 20)}).Str());
    ASSERT_TRUE(LoadRankingFile(RankingSet, 2, "old.", 0, 0, 0));
    ASSERT_EQ(RankingSet.m_vTables.Count(), 5);
    EXPECT_EQ(RankingSet.m_vTables[0].m_vEntries[0].m_nScore, 77);
    for (int t : {3, 4}) {
        EXPECT_EQ(RankingSet.m_vTables[t].m_nOrder, 1) << t;
        EXPECT_EQ(RankingSet.m_vTables[t].m_vEntries.Count(), 20) << t;
        EXPECT_EQ(RankingSet.m_vTables[t].FindSlot(0), 0) << "blank";
    }

    std::vector<ByteBuilder> tables;
    for (int t = 0; t < 5; ++t) tables.push_back(TableBytes(1, t == 1 ? 25 : 20));
    env.Dir().WriteHostFile("user_data/free/long.rkg", SetBytes(kDataVersion, tables).Str());
    ASSERT_TRUE(LoadRankingFile(RankingSet, 2, "long.", 0, 0, 0));
    EXPECT_EQ(RankingSet.m_vTables[1].m_vEntries.Count(), 25);
    RankingSet.m_vTables[1].Insert("x", 5);
    EXPECT_EQ(RankingSet.m_vTables[1].m_vEntries.Count(), 25) << "an insertion keeps the file's length";
    ASSERT_TRUE(SaveRankingFile(RankingSet, 2, "long.", 0, 0, 0));
    ResetRankingSet();
    ASSERT_TRUE(LoadRankingFile(RankingSet, 2, "long.", 0, 0, 0));
    EXPECT_EQ(RankingSet.m_vTables[1].m_vEntries.Count(), 25);
    EXPECT_EQ(RankingSet.m_vTables[1].m_vEntries[0].m_strName, "x");
}

TEST(RankingFile, ADamagedFileGivesBlankTablesAndAReportLine) {
    std::vector<ByteBuilder> five;
    for (int t = 0; t < 5; ++t) five.push_back(TableBytes(1, 20, t == 0 ? 9 : 0));
    const std::string good = SetBytes(kDataVersion, five).Str();
    ByteBuilder hugeEntries;
    hugeEntries.I32(kDataVersion).I32(0).I32(0).I32(5).I32(1).I32(1).I32(0).I32(0x7fffffff);
    ByteBuilder hugeTables;
    hugeTables.I32(kDataVersion).I32(0).I32(0).I32(0x40000000);
    struct Case {
        const char* what;
        std::string bytes;
        bool reported;
    };
    const Case cases[] = {
        {"an entry count beyond the bytes left", hugeEntries.Str(), true},
        {"a table count beyond the bytes left", hugeTables.Str(), true},
        {"a file cut in the middle", good.substr(0, good.size() / 2), true},
        {"fewer than five tables", SetBytes(kDataVersion, {TableBytes(1, 20, 9)}).Str(), true},
        {"a newer file", SetBytes(kDataVersion + 1, five).Str(), true},
    };
    for (const Case& c : cases) {
        TestEnv env;
        CreateWorkingFolders();
        RankingSet.m_vTables[0].Insert("stale", 5);
        env.Dir().WriteHostFile("user_data/free/s.rkg", c.bytes);
        EXPECT_FALSE(LoadRankingFile(RankingSet, 2, "s.", 0, 0, 0)) << c.what;
        ASSERT_EQ(RankingSet.m_vTables.Count(), 5) << c.what;
        const int orders[] = {1, 1, 0, 1, 1};
        int t = 0;
        for (const cRanking& table : RankingSet.m_vTables) {
            EXPECT_EQ(table.m_nOrder, orders[t]) << c.what;
            EXPECT_EQ(table.m_vEntries.Count(), 20) << c.what;
            EXPECT_EQ(table.FindSlot(0), 0) << c.what << ": table " << t << " is blank";
            ++t;
        }
        EXPECT_EQ(env.Report().find("s.rkg") != std::string::npos, c.reported) << c.what << "\n" << env.Report();
        EXPECT_EQ(AbortFlag.load(), 0) << c.what;
    }
    TestEnv env;
    EXPECT_FALSE(LoadRankingFile(RankingSet, 2, "missing.", 0, 0, 0));
    EXPECT_EQ(env.Report().find("missing"), std::string::npos) << "a missing file is an empty ranking";
}

TEST(RankingTexts, TimesAndPaddedNumbers) {
    struct TimeCase {
        int t;
        const char* text;
    };
    for (const TimeCase& c : {TimeCase{0, "00:00.00"}, TimeCase{8345, "01:23.45"}, TimeCase{360000, "60:00.00"},
                              TimeCase{599999, "99:59.99"}}) {
        std::string s;
        TimeToText(s, c.t);
        EXPECT_EQ(s, c.text) << c.t;
    }
    struct IntCase {
        int v, digits, zero, plus;
        const char* text;
    };
    const IntCase cases[] = {
        {42, 5, 0, 0, "   42"}, {42, 5, 1, 0, "00042"}, {0, 3, 0, 0, "  0"}, {42, 1, 0, 0, "42"},
        {-7, 3, 1, 0, "-007"},  {7, 0, 0, 1, "+7"},     {0, 2, 1, 1, "+00"}, {-2147483647 - 1, 0, 0, 0, "-2147483648"},
    };
    for (const IntCase& c : cases) {
        std::string s;
        IntToText(s, c.v, c.digits, c.zero, c.plus);
        EXPECT_EQ(s, c.text) << c.v << " in " << c.digits;
    }
    EXPECT_EQ(DigitCount(0), 1);
    EXPECT_EQ(DigitCount(999999), 6);
    EXPECT_EQ(DigitCount(-2147483647 - 1), 10);
}

}  // namespace
