#include "gamedata/database/database_entries.h"

#include <gtest/gtest.h>

#include <array>

#include "gamedata/fixtures/database_fixtures.h"

using namespace fixtures;

namespace {

// An animation as files before 55 hold it: the name only.
ByteBuilder AnimeV54(const std::string& name, std::initializer_list<ByteBuilder> frames) {
    ByteBuilder b = IntRecord({}, {name});
    b.Append(List(frames));
    return b;
}

// An animation set of a version before 119: two cell offsets.
ByteBuilder AnimeSetV118(int motions, int version) {
    ByteBuilder set = version >= 119 ? IntRecord({4, 8, 5}, {"set"}) : IntRecord({4, 8}, {"set"});
    set.I32(motions);
    for (int i = 0; i < motions; ++i) set.Append(Anime("m" + std::to_string(i), {AnimeFrame(i, 1, 0)}));
    return Table(version, {set});
}

TEST(AnimeSetVersions, OldSetsGetExactlyFourNamedMotions) {
    struct Case {
        int version;
        int stored;
        std::vector<std::string> names;
        int offset3;
    };
    const Case cases[] = {
        {118, 2, {"m0", "m1", "飛行", "飛行移動"}, 0},
        {127, 6, {"m0", "m1", "飛行", "飛行移動"}, 5},
        {128, 6, {"m0", "m1", "m2", "m3", "m4", "m5"}, 5},
        {128, 1, {"m0"}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        cVector<cAnimeSet> table;
        ASSERT_TRUE(ReadTableBytes(table, AnimeSetV118(c.stored, c.version)));
        const cAnimeSet& set = table[0];
        ASSERT_EQ(set.m_vMotions.Count(), static_cast<int>(c.names.size()));
        for (int i = 0; i < set.m_vMotions.Count(); ++i) EXPECT_EQ(set.m_vMotions[i].m_strName, c.names[i]);
        EXPECT_EQ(set.m_nCellOffset3, c.offset3);
        // A padded motion is a default animation with one frame.
        EXPECT_EQ(set.m_vMotions.back().m_vFrames.Count(), 1);
    }
}

template <class T>
int LoadedAttribute(int version, const ByteBuilder& entry) {
    cVector<T> table;
    if (!ReadTableBytes(table, Table(version, {entry}))) return -1;
    return table[0].m_nAttribute;
}

TEST(EntryVersions, AttributesOfFilesBefore153AreCleared) {
    ByteBuilder effect = IntRecord({9, 32, 32, 0}, {"e", "f"});
    effect.Append(List({EffectFrame(0, 1)}));
    ByteBuilder sword = IntRecord({9}, {"s", "", ""});
    sword.Append(List({}));
    const ByteBuilder named = IntRecord({9}, {"n", ""});
    for (auto [version, expected] : {std::pair{152, 0}, std::pair{153, 9}}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(LoadedAttribute<cEffect>(version, effect), expected);
        EXPECT_EQ(LoadedAttribute<cSwordType>(version, sword), expected);
        EXPECT_EQ(LoadedAttribute<cPicture>(version, named), expected);
        EXPECT_EQ(LoadedAttribute<cSound>(version, named), expected);
        EXPECT_EQ(LoadedAttribute<cBmpCharaExc>(version, named), expected);
        EXPECT_EQ(LoadedAttribute<cBgm>(version, named), expected);
    }
}

TEST(EntryVersions, MembersAFileLacksKeepTheTemplate) {
    cVector<cBgm> bgm;
    ASSERT_TRUE(ReadTableBytes(bgm, Table(813, {IntRecord({5}, {"曲", "a.mid"}), IntRecord({6}, {"b", ""})})));
    EXPECT_EQ(bgm[0].m_nVolume, 100);
    EXPECT_EQ(bgm[1].m_nVolume, 100);
    EXPECT_EQ(bgm[0].m_nAttribute, 5);

    cVector<cBmpCharaExc> sheets;
    ASSERT_TRUE(ReadTableBytes(sheets, Table(171, {IntRecord({3}, {"b", "b.bmp"})})));
    EXPECT_EQ(sheets[0].m_nSizeFlag, 0);
    EXPECT_EQ(sheets[0].m_nCellSize, 2);

    cVector<cAnime> anime;
    ASSERT_TRUE(ReadTableBytes(anime, Table(54, {AnimeV54("a", {AnimeFrame(2, 3, 1)})})));
    EXPECT_EQ(anime[0].m_sValue1, 0);
    EXPECT_EQ(anime[0].m_cFlag, 1);
    EXPECT_EQ(anime[0].m_sValue2, 0);
    EXPECT_EQ(anime[0].m_vFrames[0].m_nLock, 1);
}

TEST(EntryVersions, SwordFramesBefore138HaveNoMirrorFlags) {
    ByteBuilder sword = IntRecord({}, {"s", "l", "r"});
    sword.Append(List({IntRecord({1, 2, 3, 4, 5, 6, 7, 8}, {})}));
    cVector<cSwordType> swords;
    ASSERT_TRUE(ReadTableBytes(swords, Table(137, {sword})));
    const cSwordFrame& f = swords[0].m_vFrames[0];
    EXPECT_EQ(f.m_nMirrorX, 1);
    EXPECT_EQ(f.m_nMirrorY, 0);
    EXPECT_EQ(f.m_nOffsetX, 1);
    EXPECT_EQ(f.m_nOffsetY, 2);
    EXPECT_EQ(f.m_nPlacement, 3);
    EXPECT_EQ(f.m_nTime, 8);
}

TEST(EntryVersions, EmptyFrameListsLoadEmpty) {
    ByteBuilder effect = IntRecord({0, 32, 32, 0}, {"e", ""});
    effect.Append(List({}));
    cVector<cEffect> effects;
    ASSERT_TRUE(ReadTableBytes(effects, Table(kDataVersion, {effect})));
    EXPECT_TRUE(effects[0].m_vFrames.empty());
    cVector<cAnime> anime;
    ASSERT_TRUE(ReadTableBytes(anime, Table(kDataVersion, {Anime("a", {})})));
    EXPECT_TRUE(anime[0].m_vFrames.empty());
}

TEST(EntryVersions, FrameCountsBeyondTheFileAreRefused) {
    ByteBuilder b = ByteBuilder().I32(kDataVersion).I32(1).Append(IntRecord({0, 1, 0}, {"a"})).I32(0x10000000);
    cVector<cAnime> anime;
    EXPECT_FALSE(ReadTableBytes(anime, b));
}

struct RoughnessCase {
    bool screen;
    int kind;
    int version;
    int param;  // 0-based
    int expected;
};

TEST(EffectKindEntries, RoughnessOfFilesBefore511GetsItsDefault) {
    const RoughnessCase cases[] = {
        {false, 4, 510, 4, 2},  {false, 5, 300, 4, 2}, {false, 10, 300, 3, 2}, {false, 11, 300, 3, 77},
        {false, 4, 511, 4, 77}, {true, 6, 510, 4, 8},  {true, 7, 510, 4, 10},  {true, 7, 511, 4, 77},
        {true, 10, 510, 3, 8},  {true, 4, 510, 4, 77}, {true, 99, 300, 4, 77}, {false, -3, 300, 4, 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "screen " << c.screen << " kind " << c.kind << " v" << c.version);
        ByteBuilder file = Table(c.version, {KindEntry(c.kind, {10, 0, 32, 77, 77}, "e")});
        int got = -1;
        int kind = -1;
        if (c.screen) {
            cVector<cScrEffect> t;
            ASSERT_TRUE(ReadTableBytes(t, file));
            got = t[0].m_nParam[c.param];
            kind = t[0].m_nKind;
        } else {
            cVector<cCharaEffect> t;
            ASSERT_TRUE(ReadTableBytes(t, file));
            got = t[0].m_nParam[c.param];
            kind = t[0].m_nKind;
        }
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(kind, c.kind);  // a kind outside the range is kept as stored
    }
}

TEST(EffectKindEntries, NewEntryIsKindOneWithZeroParameters) {
    cCharaEffect c;
    cScrEffect s;
    EXPECT_EQ(c.m_nKind, 1);
    EXPECT_EQ(s.m_nKind, 1);
    for (int i = 0; i < cEffectKindEntry::kParamCount; ++i) {
        EXPECT_EQ(c.m_nParam[i], 0);
        EXPECT_EQ(s.m_nParam[i], 0);
    }
    EXPECT_EQ(c.FieldCount(), 2);
    EXPECT_EQ(c.StringCount(), 1);
}

TEST(EffectKindEntries, SwapEndsFollowsTheKind) {
    struct Case {
        bool screen;
        int kind;
        std::array<int, 5> after;
    };
    const std::array<int, 5> before = {10, 1, 2, 3, 4};
    const Case cases[] = {
        {false, 1, {10, 2, 1, 3, 4}},  {false, 6, {10, 1, 2, 3, 4}},  {false, 14, {10, 1, 2, 3, 4}},
        {false, 16, {10, 2, 1, 3, 4}}, {false, 17, {10, 1, 2, 3, 4}}, {false, 0, {10, 1, 2, 3, 4}},
        {true, 1, {10, 3, 4, 1, 2}},   {true, 2, {10, 1, 2, 3, 4}},   {true, 8, {10, 1, 2, 3, 4}},
        {true, 13, {10, 2, 1, 3, 4}},  {true, 14, {10, 1, 2, 3, 4}},  {true, -1, {10, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "screen " << c.screen << " kind " << c.kind);
        std::array<int, 5> got{};
        if (c.screen) {
            cScrEffect e;
            e.m_nKind = c.kind;
            std::copy(before.begin(), before.end(), e.m_nParam);
            e.SwapEnds();
            std::copy(e.m_nParam, e.m_nParam + 5, got.begin());
        } else {
            cCharaEffect e;
            e.m_nKind = c.kind;
            std::copy(before.begin(), before.end(), e.m_nParam);
            e.SwapEnds();
            std::copy(e.m_nParam, e.m_nParam + 5, got.begin());
        }
        EXPECT_EQ(got, c.after);
    }
}

}  // namespace
