#include "gamedata/story/world_map.h"
#include "gamedata/story/story_save.h"

#include <gtest/gtest.h>

#include "foundation/abort.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace {

struct MapHead {
    int version = kDataVersion;
    int width = 20, height = 15, pitch = 32, shift = 5;
    int startX = 9, startY = 7;
};

ByteBuilder Chip(int kind, int blocked, int picture, const std::string& name) {
    ByteBuilder b;
    b.I32(3).I32(kind).I32(blocked).I32(picture).I32(2).Str(name).Str("");
    return b;
}

// A link as a file of the given version stores it.
ByteBuilder Link(int version, int kind, const std::string& stage, int minScore = 0, int a = 0, int b = 1, int c = 0) {
    ByteBuilder out;
    int count = 10 + (version >= 209 ? 1 : 0) + (version >= 758 ? 3 : 0);
    out.I32(count).I32(kind);
    for (int i = 1; i < 10; ++i) out.I32(i == 5 ? 2 : 0);  // m_nAfterClear 2
    if (version >= 209) out.I32(minScore);
    if (version >= 758) out.I32(a).I32(b).I32(c);
    out.I32(2).Str("title").Str(stage);
    return out;
}

ByteBuilder Point(int x, int y, const std::string& name, const std::vector<ByteBuilder>& links) {
    ByteBuilder b;
    b.I32(2).I32(x).I32(y).I32(1).Str(name).I32(static_cast<int>(links.size()));
    for (const auto& l : links) b.Append(l);
    return b;
}

ByteBuilder MapFile(const MapHead& h, const std::vector<ByteBuilder>& chips, const std::vector<int>& cells,
                    const std::vector<ByteBuilder>& points, const std::vector<ByteBuilder>& points2 = {}) {
    ByteBuilder b;
    b.I32(h.version).I32(8).I32(h.width).I32(h.height).I32(h.pitch).I32(h.shift);
    b.I32(h.startX).I32(h.startY).I32(16).I32(0).I32(2).Str("map").Str("");
    b.I32(static_cast<int>(chips.size()));
    for (const auto& c : chips) b.Append(c);
    b.I32(static_cast<int>(cells.size()));
    for (int c : cells) b.I32(c);
    b.I32(static_cast<int>(points.size()));
    for (const auto& p : points) b.Append(p);
    b.I32(static_cast<int>(points2.size()));
    for (const auto& p : points2) b.Append(p);
    return b;
}

std::vector<ByteBuilder> Chips(int n) {
    std::vector<ByteBuilder> out;
    for (int i = 0; i < n; ++i) out.push_back(Chip(i + 100, 0, 50 + i, "c" + std::to_string(i)));
    return out;
}

int LoadMap(TempDir& dir, cWorldMapData& map, const ByteBuilder& bytes) {
    dir.WriteHostFile("map.dat", bytes.Str());
    return map.LoadFile("map.dat");
}

}  // namespace

TEST(WorldMap, NewMapHasTheDefaultGridStartAndSecondPointList) {
    cWorldMapData map;
    EXPECT_EQ(map.m_nWidth, 20);
    EXPECT_EQ(map.m_nHeight, 15);
    EXPECT_EQ(map.m_nPitch, 32);
    EXPECT_EQ(map.m_nPitchShift, 5);
    ASSERT_EQ(map.m_vCell.Count(), 480);
    EXPECT_EQ(std::count(map.m_vCell.begin(), map.m_vCell.end(), 0), 480);
    EXPECT_TRUE(map.m_vChip.empty());
    EXPECT_TRUE(map.m_vPoint.empty());
    ASSERT_EQ(map.m_vPoint2.Count(), 1);
    EXPECT_EQ(map.m_vPoint2[0].m_strName, "デフォルト");
    ASSERT_EQ(map.m_vPoint2[0].m_vLink.Count(), 1);
    EXPECT_EQ(map.m_vPoint2[0].m_vLink[0].m_nLinkB, 1);
    EXPECT_EQ(map.m_nStartX, 9);
    EXPECT_EQ(map.m_nStartY, 7);
    EXPECT_EQ(map.m_nBackColor, 16);
    EXPECT_EQ(map.m_bBackPicture, 0);
    EXPECT_EQ(map.m_strName, "ワールド");
}

TEST(WorldMap, SetSizeRecomputesTheStrideAndKeepsOverlappingCells) {
    cWorldMapData map;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) map.m_vCell[x + (y << 5)] = 1 + x + 100 * y;
    ASSERT_EQ(map.SetSize(33, 2), 1);
    EXPECT_EQ(map.m_nPitchShift, 6);
    EXPECT_EQ(map.m_nPitch, 64);
    ASSERT_EQ(map.m_vCell.Count(), 128);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 33; ++x) {
            EXPECT_EQ(map.m_vCell[x + (y << 6)], x < 20 ? 1 + x + 100 * y : 0) << x << "," << y;
        }
    }
    ASSERT_EQ(map.SetSize(1, 1), 1);
    EXPECT_EQ(map.m_nPitchShift, 0);
    EXPECT_EQ(map.m_nPitch, 1);
    ASSERT_EQ(map.m_vCell.Count(), 1);
    EXPECT_EQ(map.m_vCell[0], 1);
}

TEST(WorldMap, SetSizeRefusesSizesThatAreNotPositive) {
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-3, 5}, {5, -1}}) {
        cWorldMapData map;
        map.m_vCell[3] = 7;
        EXPECT_EQ(map.SetSize(w, h), 0);
        EXPECT_EQ(map.m_nWidth, 20);
        EXPECT_EQ(map.m_vCell.Count(), 480);
        EXPECT_EQ(map.m_vCell[3], 7);
    }
}

TEST(WorldMap, ValidateClampsTheStartAndDropsBadCellsAndPointsOutsideTheGrid) {
    cWorldMapData map;
    map.m_vChip.resize(2);
    map.m_nStartX = 25;
    map.m_nStartY = 3;
    map.m_vCell[0] = 1;
    map.m_vCell[1] = 2;
    map.m_vCell[2] = -1;
    map.m_vCell[25] = 9;  // beyond the width: never shown, left alone
    for (auto [x, y] : {std::pair{3, 3}, {20, 0}, {0, 15}, {-1, 2}}) {
        cWorldPoint p;
        p.m_nX = x;
        p.m_nY = y;
        map.m_vPoint.push_back(p);
        map.m_vPoint2.push_back(p);
    }
    map.Validate();
    EXPECT_EQ(map.m_nStartX, 19);
    EXPECT_EQ(map.m_nStartY, 3);
    EXPECT_EQ(map.m_vCell[0], 1);
    EXPECT_EQ(map.m_vCell[1], 0);
    EXPECT_EQ(map.m_vCell[2], 0);
    EXPECT_EQ(map.m_vCell[25], 9);
    ASSERT_EQ(map.m_vPoint.Count(), 2);
    EXPECT_EQ(map.m_vPoint[0].m_nX, 3);
    EXPECT_EQ(map.m_vPoint[1].m_nX, -1);
    EXPECT_EQ(map.m_vPoint2.Count(), 5);
}

TEST(WorldMap, RecordRoundTripsThroughItsFile) {
    TempDir dir;
    cWorldMapData map;
    map.m_vChip.resize(3);
    map.m_vChip[2].m_bBlocked = 1;
    map.m_vChip[2].m_strName = "岩";
    map.SetSize(40, 10);
    map.m_vCell[39 + (9 << 6)] = 2;
    cWorldPoint point;
    point.m_nX = 4;
    point.m_nY = 5;
    point.m_strName = "城";
    cStageLink link;
    link.m_strStage = "castle-1.stg4";
    link.m_nMinScore = 300;
    link.m_nLinkA = 2;
    link.m_nLinkC = 7;
    point.m_vLink.assign(2, link);
    map.m_vPoint.push_back(point);
    map.m_nStartX = 30;
    map.m_strNote = "note";
    ASSERT_EQ(map.SaveFile("WorldMap.dat"), 1);

    cWorldMapData back;
    ASSERT_EQ(back.LoadFile("WorldMap.dat"), 1);
    EXPECT_EQ(back.m_nWidth, 40);
    EXPECT_EQ(back.m_nPitch, 64);
    EXPECT_EQ(back.m_vCell, map.m_vCell);
    ASSERT_EQ(back.m_vChip.Count(), 3);
    EXPECT_EQ(back.m_vChip[2].m_strName, "岩");
    EXPECT_EQ(back.m_vChip[2].m_bBlocked, 1);
    ASSERT_EQ(back.m_vPoint.Count(), 1);
    ASSERT_EQ(back.m_vPoint[0].m_vLink.Count(), 2);
    const cStageLink& l = back.m_vPoint[0].m_vLink[1];
    EXPECT_EQ(l.m_strStage, "castle-1.stg4");
    EXPECT_EQ(l.m_nMinScore, 300);
    EXPECT_EQ(l.m_nLinkA, 2);
    EXPECT_EQ(l.m_nLinkC, 7);
    EXPECT_EQ(back.m_vPoint[0].m_strName, "城");
    EXPECT_EQ(back.m_vPoint2.Count(), 1);
    EXPECT_EQ(back.m_nStartX, 30);
    EXPECT_EQ(back.m_strNote, "note");
    // The copy of the record is its own: changing it leaves the source.
    cWorldMapData copy = back;
    copy.m_vPoint[0].m_vLink[0].m_nLinkA = 99;
    EXPECT_EQ(back.m_vPoint[0].m_vLink[0].m_nLinkA, 2);
}

TEST(WorldMap, FilesBefore812GetTheTenStandardChips) {
    TempDir dir;
    for (int stored : {3, 12}) {
        cWorldMapData map;
        MapHead h;
        h.version = 811;
        ASSERT_EQ(LoadMap(dir, map, MapFile(h, Chips(stored), std::vector<int>(480, 2), {})), 1);
        ASSERT_EQ(map.m_vChip.Count(), 10) << stored;
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(map.m_vChip[i].m_nPicture, i);
            EXPECT_EQ(map.m_vChip[i].m_bBlocked, i < 5 ? 1 : 0);
            EXPECT_EQ(map.m_vChip[i].m_strName, i < 5 ? "移動不可" : "移動可");
        }
        EXPECT_EQ(map.m_vChip[1].m_nKind, 101);  // the stored chips stay otherwise
        EXPECT_EQ(map.m_vCell[0], 2);            // chip 2 exists after the upgrade
    }
    cWorldMapData current;
    ASSERT_EQ(LoadMap(dir, current, MapFile(MapHead{}, Chips(3), {}, {})), 1);
    EXPECT_EQ(current.m_vChip.Count(), 3);
    EXPECT_EQ(current.m_vChip[2].m_strName, "c2");
}

TEST(WorldMap, StageLinksOfOldVersionsGetTheirLaterMembersDefaults) {
    TempDir dir;
    struct Case {
        int version;
        int minScore, a, b, c;
    };
    for (Case k : {Case{208, 0, 0, 1, 0}, Case{209, 55, 0, 1, 0}, Case{758, 55, 3, 4, 5}}) {
        cWorldMapData map;
        MapHead h;
        h.version = k.version;
        auto file = MapFile(h, Chips(10), {}, {Point(1, 1, "p", {Link(k.version, 0, "s.stg4", 55, 3, 4, 5)})});
        ASSERT_EQ(LoadMap(dir, map, file), 1) << k.version;
        const cStageLink& l = map.m_vPoint[0].m_vLink[0];
        EXPECT_EQ(l.m_nMinScore, k.minScore) << k.version;
        EXPECT_EQ(l.m_nLinkA, k.a) << k.version;
        EXPECT_EQ(l.m_nLinkB, k.b) << k.version;
        EXPECT_EQ(l.m_nLinkC, k.c) << k.version;
        EXPECT_EQ(l.m_nAfterClear, 2);
        EXPECT_EQ(l.m_strStage, "s.stg4");
    }
}

TEST(WorldMap, GridIsReconciledWithTheStoredCells) {
    TempDir dir;
    MapHead h;
    h.pitch = 16;  // a stride that does not fit the width
    h.shift = 4;
    cWorldMapData map;
    ASSERT_EQ(LoadMap(dir, map, MapFile(h, Chips(2), std::vector<int>(10, 1), {})), 1);
    EXPECT_EQ(map.m_nPitch, 32);
    EXPECT_EQ(map.m_nPitchShift, 5);
    ASSERT_EQ(map.m_vCell.Count(), 480);
    EXPECT_EQ(map.m_vCell[9], 1);
    EXPECT_EQ(map.m_vCell[10], 0);
    // Every visible cell can be read without leaving the list.
    EXPECT_EQ(map.CellAt(19, 14), 0);
    EXPECT_EQ(map.CellAt(-1, 0), 0);
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(WorldMap, ImpossibleGridSizesAreRefusedWithoutAllocating) {
    TempDir dir;
    for (auto [w, hgt] : {std::pair{0, 15}, {20, -2}, {1 << 30, 1 << 30}, {4096, 4096}}) {
        MapHead h;
        h.width = w;
        h.height = hgt;
        cWorldMapData map;
        EXPECT_EQ(LoadMap(dir, map, MapFile(h, {}, {}, {})), 0) << w << "x" << hgt;
        EXPECT_EQ(map.m_nWidth, 20);
        EXPECT_EQ(map.m_vCell.Count(), 480);
    }
}

TEST(WorldMap, TruncatedFilesAreRefusedAndLeaveTheDefaults) {
    TempDir dir;
    auto full =
        MapFile(MapHead{}, Chips(2), std::vector<int>(480, 1), {Point(2, 2, "p", {Link(kDataVersion, 0, "a")})});
    for (std::size_t cut : {std::size_t(6), full.Size() / 3, full.Size() / 2, full.Size() - 1}) {
        cWorldMapData map;
        dir.WriteHostFile("map.dat", full.Truncated(cut));
        EXPECT_EQ(map.LoadFile("map.dat"), 0) << cut;
        EXPECT_TRUE(map.m_vChip.empty());
        EXPECT_TRUE(map.m_vPoint.empty());
        EXPECT_EQ(map.m_vPoint2.Count(), 1);
        EXPECT_EQ(map.m_vCell.Count(), 480);
    }
}

TEST(WorldMap, PointAtFindsTheFirstPointOfACell) {
    cWorldMapData map;
    for (auto [x, y, name] : {std::tuple{1, 2, "a"}, {3, 4, "b"}, {3, 4, "c"}}) {
        cWorldPoint p;
        p.m_nX = x;
        p.m_nY = y;
        p.m_strName = name;
        map.m_vPoint.push_back(p);
    }
    ASSERT_NE(map.PointAt(3, 4), nullptr);
    EXPECT_EQ(map.PointAt(WorldCell{3, 4})->m_strName, "b");
    EXPECT_EQ(map.PointAt(4, 3), nullptr);
}

TEST(WorldMap, LinksStageMatchesTheStageTextOfStageLinksOnly) {
    struct Case {
        const char* linkStage;
        int kind, linkA, linkB, linkC;
        const char* text;
        int withValues, b, c;
        int expected;
    };
    const Case cases[] = {
        {"castle-1.stg4", 0, 0, 1, 0, "castle.", 0, 0, 0, 1},   {"castle-1", 0, 0, 1, 0, "castle.", 0, 0, 0, 1},
        {"castle-2.stg4", 0, 0, 1, 0, "castle-2.", 0, 0, 0, 1}, {"castle-2.stg4", 0, 0, 1, 0, "castle.", 0, 0, 0, 0},
        {"castle-1.stg4", 1, 0, 1, 0, "castle.", 0, 0, 0, 0},   {"castle.stg4", 0, 0, 1, 0, "castle.", 0, 0, 0, 1},
        {"castle.stg4", 0, 5, 1, 0, "castle.", 0, 0, 0, 0},     {"castle.stg4", 0, 5, 2, 3, "castle.", 1, 2, 3, 1},
        {"castle.stg4", 0, 5, 2, 3, "castle.", 1, 2, 4, 0},     {"castle.stg4", 0, 0, 2, 3, "castle.", 1, 2, 3, 0},
    };
    for (const Case& k : cases) {
        cWorldMapData map;
        cWorldPoint p;
        cStageLink l;
        l.m_strStage = k.linkStage;
        l.m_nKind = k.kind;
        l.m_nLinkA = k.linkA;
        l.m_nLinkB = k.linkB;
        l.m_nLinkC = k.linkC;
        p.m_vLink.push_back(l);
        map.m_vPoint.push_back(p);
        EXPECT_EQ(map.LinksStage(k.text, k.withValues, k.b, k.c), k.expected) << k.linkStage << " " << k.text;
    }
}

TEST(WorldMap, LinksAreActiveWhileTheirFlagVariableAndScoreHold) {
    struct Case {
        int needFlag, variable, compare, op, minScore;
        bool active;
    };
    // The progress below: map point 3 set, 4 clear; variable 10 = 7; 50
    // points over the cleared stages.
    const Case cases[] = {
        {0, 0, 0, 0, 0, true},     {3, 0, 0, 0, 0, true},   {4, 0, 0, 0, 0, false},  {-2, 0, 0, 0, 0, true},
        {1000, 0, 0, 0, 0, false}, {0, 10, 7, 0, 0, true},  {0, 10, 7, 1, 0, false}, {0, 10, 8, 5, 0, true},
        {0, 1001, 0, 0, 0, false}, {0, -1, 0, 0, 0, false}, {0, 0, 0, 0, 50, true},  {0, 0, 0, 0, 51, false},
        {3, 10, 2, 6, 50, false},  {3, 10, 7, 2, 50, true},
    };
    cStorySave progress;
    progress.m_vMapPoint[3] = 1;
    progress.m_vVar[10] = 7;
    progress.m_nClearedScore = 50;
    for (const Case& k : cases) {
        cStageLink link;
        link.m_nNeedFlag = k.needFlag;
        link.m_nVariable = k.variable;
        link.m_nCompare = k.compare;
        link.m_nOp = k.op;
        link.m_nMinScore = k.minScore;
        EXPECT_EQ(link.IsActive(progress), k.active)
            << k.needFlag << " " << k.variable << " " << k.op << " " << k.minScore;
    }
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST(WorldMap, APointUsesItsFirstActiveLinkAndItsClearFlag) {
    cStorySave progress;
    progress.m_vMapPoint[5] = 1;
    cWorldPoint point;
    EXPECT_EQ(point.ActiveLink(progress), nullptr);
    cStageLink link;
    link.m_nNeedFlag = 6;
    link.m_strStage = "locked";
    point.m_vLink.push_back(link);
    link.m_nNeedFlag = 0;
    link.m_nClearFlag = 5;
    link.m_strStage = "open";
    point.m_vLink.push_back(link);
    link.m_strStage = "later";
    point.m_vLink.push_back(link);
    const cStageLink* active = point.ActiveLink(progress);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->m_strStage, "open");
    EXPECT_TRUE(active->IsCleared(progress));
    point.m_vLink[0].m_nClearFlag = 6;
    EXPECT_FALSE(point.m_vLink[0].IsCleared(progress));
    point.m_vLink[0].m_nClearFlag = 1000;  // names no flag
    EXPECT_FALSE(point.m_vLink[0].IsCleared(progress));
}
