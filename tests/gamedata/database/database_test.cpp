#include "gamedata/database/database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "foundation/report.h"
#include "gamedata/fixtures/database_fixtures.h"
#include "platform/message_box.h"
#include "support/temp_dir.h"

using namespace fixtures;

namespace {

// One file of each table at the current data version with a value in every member that differs
// from its default, so a member out of place cannot pass.
std::map<std::string, ByteBuilder> CurrentTables() {
    std::map<std::string, ByteBuilder> t;
    ByteBuilder motion = Anime("歩き", {AnimeFrame(3, 2, 0), AnimeFrame(4, 5, 1)}, 7, 0, -3);
    ByteBuilder set = IntRecord({5, 9, 2}, {"主人公"});
    set.Append(List({motion, Anime("m1", {})}));
    t["AnimeSet.dat"] = Table(kDataVersion, {set});
    t["Anime.dat"] =
        Table(kDataVersion, {Anime("なし", {AnimeFrame(0, 1, 0)}), Anime("攻撃", {AnimeFrame(8, 3, 1)}, 2, 0, 4)});
    t["Bmp_CharaExc.dat"] =
        Table(kDataVersion, {IntRecord({0, 0, 2}, {"", ""}), IntRecord({6, 1, 3}, {"敵", "bmp\\e.bmp"})});
    ByteBuilder sword = IntRecord({4}, {"剣", "l.bmp", "r.bmp"});
    sword.Append(
        List({IntRecord({1, 2, 0, 1, 3, 4, 5, 6, 7, 8}, {}), IntRecord({-1, -2, 1, 0, 2, 9, 9, 9, 9, 2}, {})}));
    t["SwordType.dat"] = Table(kDataVersion, {sword});
    ByteBuilder effect = IntRecord({3, 48, 16, 1}, {"爆発", "bmp\\x.bmp"});
    effect.Append(List({EffectFrame(0, 2), EffectFrame(1, 3)}));
    ByteBuilder none = IntRecord({0, 32, 32, 0}, {"", ""});
    none.Append(List({EffectFrame(0, 1)}));
    t["Effect.dat"] = Table(kDataVersion, {none, effect});
    t["CharaEffect.dat"] =
        Table(kDataVersion, {KindEntry(0, {0, 0, 0, 0, 0}, ""), KindEntry(4, {5, 0, 32, 2, 3}, "波")});
    t["ScrEffect.dat"] =
        Table(kDataVersion, {KindEntry(0, {0, 0, 0, 0, 0}, ""), KindEntry(1, {10, -5, 6, 640, -7}, "移動")});
    t["Picture.dat"] = Table(kDataVersion, {IntRecord({0}, {"", ""}), IntRecord({7}, {"絵", "p.bmp"})});
    t["Sound.dat"] = Table(kDataVersion, {IntRecord({0}, {"", ""}), IntRecord({2}, {"音", "s.wav"})});
    t["Bgm.dat"] = Table(kDataVersion, {IntRecord({0, 100}, {"", ""}), IntRecord({1, 80}, {"曲", "b.ogg"})});
    return t;
}

std::string DbFile(const std::string& name) { return "data/database/" + name; }

class DatabaseFiles : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ClearMessageBoxes();
        CreateReport("Report_Game.txt");
        std::filesystem::create_directories("data/database");
        for (auto& [name, bytes] : CurrentTables()) dir.WriteHostFile(DbFile(name), bytes.Str());
    }
    void TearDown() override { NewerFileFlag = 0; }

    std::string OnlyBoxText() {
        auto boxes = platform::RecordedMessageBoxes();
        return boxes.size() == 1 ? boxes[0].text : std::string("boxes: ") + std::to_string(boxes.size());
    }

    TempDir dir;
    cDatabase db;
};

TEST_F(DatabaseFiles, TenFilesRoundTripByteExactly) {
    ASSERT_EQ(db.LoadAll(), 1) << OnlyBoxText() << dir.ReadHostFile("Report_Game.txt");
    std::filesystem::create_directories("out");
    ASSERT_EQ(db.SaveAll("out"), 1);
    for (auto& [name, bytes] : CurrentTables()) { EXPECT_EQ(dir.ReadHostFile("out/" + name), bytes.Str()) << name; }
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
}

TEST_F(DatabaseFiles, LoadedValuesLandInTheirMembers) {
    ASSERT_EQ(db.LoadAll(), 1);
    const cAnimeSet& set = db.AnimeSet[0];
    EXPECT_EQ(set.m_nCellOffset3, 2);
    ASSERT_EQ(set.m_vMotions.Count(), 2);
    EXPECT_EQ(set.m_vMotions[0].m_sValue2, -3);
    EXPECT_EQ(set.m_vMotions[0].m_cFlag, 0);
    EXPECT_EQ(set.m_vMotions[0].m_vFrames[1].m_nLock, 1);
    EXPECT_TRUE(set.m_vMotions[1].m_vFrames.empty());
    const cSwordFrame& frame = db.SwordType[0].m_vFrames[1];
    EXPECT_EQ(frame.m_nMirrorX, 1);
    EXPECT_EQ(frame.m_nPlacement, kSwordAbove);
    EXPECT_EQ(frame.m_nTime, 2);
    EXPECT_EQ(db.ScrEffect[1].m_nParam[4], -7);
    EXPECT_EQ(db.Bgm[1].m_nVolume, 80);
    EXPECT_EQ(db.BmpCharaExc[1].m_strFile, "bmp\\e.bmp");
}

struct FailureCase {
    const char* what;
    const char* file;
    std::string bytes;  // empty: the file is removed
    const char* message;
};

TEST_F(DatabaseFiles, LoadStopsAtTheFirstBadFileWithItsPath) {
    const FailureCase cases[] = {
        {"missing", "Picture.dat", "", "data\\database\\Picture.dat の読み込みに失敗しました！"},
        {"newer", "Bgm.dat", Table(921, {}).Str(),
         "data\\database\\Bgm.dat "
         "の読み込みに失敗しました！\n実行ファイル(.exe)より上位のバージョンのファイルは使用できません。"},
        {"all bits set counts as newer", "Anime.dat", Table(-1, {}).Str(),
         "data\\database\\Anime.dat "
         "の読み込みに失敗しました！\n実行ファイル(.exe)より上位のバージョンのファイルは使用できません。"},
        {"absurd count", "Effect.dat", ByteBuilder().I32(kDataVersion).I32(1000000).Str(),
         "data\\database\\Effect.dat の読み込みに失敗しました！"},
        {"ends inside an entry", "SwordType.dat", CurrentTables()["SwordType.dat"].Truncated(40),
         "data\\database\\SwordType.dat の読み込みに失敗しました！"},
        {"negative frame count", "Anime.dat",
         ByteBuilder().I32(kDataVersion).I32(1).I32(0).I32(1).Str("a").I32(-1).Str(),
         "data\\database\\Anime.dat の読み込みに失敗しました！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        if (c.bytes.empty()) {
            std::filesystem::remove(DbFile(c.file));
        } else {
            dir.WriteHostFile(DbFile(c.file), c.bytes);
        }
        cDatabase fresh;
        EXPECT_EQ(fresh.LoadAll(), 0);
        EXPECT_EQ(OnlyBoxText(), c.message);
        EXPECT_NE(dir.ReadHostFile("Report_Game.txt").find(std::string(c.message).substr(0, 20)), std::string::npos);
        // Tables after the failing one were never read: the last keeps its defaults.
        EXPECT_EQ(fresh.Bgm[1].m_strName, "");
    }
}

TEST_F(DatabaseFiles, TablesBeforeTheMissingFileAreLoaded) {
    std::filesystem::remove(DbFile("Picture.dat"));
    ASSERT_EQ(db.LoadAll(), 0);
    EXPECT_EQ(db.ScrEffect[1].m_strName, "移動");
    EXPECT_EQ(db.Sound[1].m_strName, "");
    EXPECT_EQ(db.Sound.Count(), 2);
}

TEST_F(DatabaseFiles, CountOfZeroOrLessKeepsTheDefaults) {
    for (int count : {0, -5}) {
        dir.WriteHostFile(DbFile("Sound.dat"), ByteBuilder().I32(kDataVersion).I32(count).Str());
        dir.WriteHostFile(DbFile("Anime.dat"), ByteBuilder().I32(kDataVersion).I32(count).Str());
        cDatabase fresh;
        ASSERT_EQ(fresh.LoadAll(), 1) << count;
        EXPECT_EQ(fresh.Sound.Count(), 2);
        EXPECT_EQ(fresh.Sound[1].m_strFile, "");
        ASSERT_EQ(fresh.Anime.Count(), 2);
        EXPECT_EQ(fresh.Anime[1].m_strName, "アクションA");
    }
}

TEST_F(DatabaseFiles, OldSwordFilesAreCutTo128Entries) {
    for (auto [version, expected] : {std::pair{827, 128}, std::pair{828, 130}}) {
        ByteBuilder b;
        b.I32(version).I32(130);
        for (int i = 0; i < 130; ++i) b.Append(IntRecord({0}, {"s", "", ""})).Append(List({}));
        dir.WriteHostFile(DbFile("SwordType.dat"), b.Str());
        cDatabase fresh;
        ASSERT_EQ(fresh.LoadAll(), 1);
        EXPECT_EQ(fresh.SwordType.Count(), expected) << version;
    }
}

TEST_F(DatabaseFiles, EntryZeroOfBothEffectTablesNeverRuns) {
    dir.WriteHostFile(DbFile("CharaEffect.dat"), Table(kDataVersion, {KindEntry(6, {1, 2, 3, 4, 5}, "x")}).Str());
    dir.WriteHostFile(DbFile("ScrEffect.dat"), Table(kDataVersion, {KindEntry(9, {1, 2, 3, 4, 5}, "y")}).Str());
    ASSERT_EQ(db.LoadAll(), 1);
    EXPECT_EQ(db.CharaEffect[0].m_nKind, 0);
    EXPECT_EQ(db.CharaEffect[0].m_nParam[4], 5);
    EXPECT_EQ(db.ScrEffect[0].m_nKind, 0);
}

TEST_F(DatabaseFiles, CarriageReturnsAreStrippedFromNames) {
    dir.WriteHostFile(DbFile("Picture.dat"), Table(kDataVersion, {IntRecord({0}, {"a\r\nb", "c\r"})}).Str());
    ASSERT_EQ(db.LoadAll(), 1);
    EXPECT_EQ(db.Picture[0].m_strName, "a\nb");
    EXPECT_EQ(db.Picture[0].m_strFile, "c");
}

TEST(DatabaseDefaults, TablesHoldTheirDefaultEntries) {
    cDatabase db;
    const std::pair<const char*, int> counts[] = {
        {"AnimeSet", db.AnimeSet.Count()},
        {"Anime", db.Anime.Count()},
        {"BmpCharaExc", db.BmpCharaExc.Count()},
        {"SwordType", db.SwordType.Count()},
        {"Effect", db.Effect.Count()},
        {"CharaEffect", db.CharaEffect.Count()},
        {"ScrEffect", db.ScrEffect.Count()},
        {"Picture", db.Picture.Count()},
        {"Sound", db.Sound.Count()},
        {"Bgm", db.Bgm.Count()},
    };
    const int expected[] = {1, 2, 2, 1, 2, 2, 2, 2, 2, 2};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(counts[i].second, expected[i]) << counts[i].first;
    EXPECT_EQ(db.Anime[0].m_strName, "なし");
    EXPECT_EQ(db.Anime[1].m_strName, "アクションA");
    EXPECT_TRUE(db.CharaEffectCopy.empty());
    const cAnimeSet& set = db.AnimeSet[0];
    EXPECT_EQ(set.m_nCellOffset1, 4);
    EXPECT_EQ(set.m_nCellOffset2, 8);
    ASSERT_EQ(set.m_vMotions.Count(), 4);
    EXPECT_EQ(set.m_vMotions[3].m_strName, "飛行移動");
    EXPECT_EQ(set.m_vMotions[3].m_cFlag, 1);
    EXPECT_EQ(set.m_vMotions[3].m_vFrames[0].m_nTime, 1);
    EXPECT_EQ(db.SwordType[0].m_vFrames[0].m_nTime, 1);
    EXPECT_EQ(db.SwordType[0].m_vFrames[0].m_nMirrorX, 1);
    EXPECT_EQ(db.Effect[0].m_nCellWidth, 32);
    EXPECT_EQ(db.CharaEffect[1].m_nKind, 1);
    EXPECT_EQ(db.BmpCharaExc[0].m_nCellSize, 2);
    EXPECT_EQ(db.Bgm[0].m_nVolume, 100);
}

TEST(DatabaseDefaults, CopiesAreDeep) {
    cDatabase db;
    cAnimeSet copy = db.AnimeSet[0];
    copy.m_vMotions[0].m_vFrames[0].m_nCell = 9;
    copy.m_strName = "x";
    EXPECT_EQ(db.AnimeSet[0].m_vMotions[0].m_vFrames[0].m_nCell, 0);
    cAnimeSet assigned;
    assigned = copy;
    EXPECT_EQ(assigned.m_vMotions[0].m_vFrames[0].m_nCell, 9);
    EXPECT_EQ(assigned.m_strName, "x");
    EXPECT_EQ(assigned.FieldCount(), 3);
}

}  // namespace
