// The seed corpora of the record-file fuzz targets: every seed is a file its
// reader accepts, so fuzzing starts deep inside the format, and the files in
// the corpus folders are exactly what these builders make (regenerated with
// PLAYER_WRITE_GOLDEN set).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/record_load_shapes.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_io.h"
#include "gamedata/fixtures/stage_fixtures.h"
#include "gamedata/fixtures/story_fixture.h"
#include "gamedata/project/option_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"
#include "scenes/corpus_loaders.h"
#include "scenes/rankings/ranking_set.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Seed {
    std::string corpus;
    std::string name;
    Bytes bytes;
    std::function<int(Bytes)> load;
};

// A stage with both palettes' least entries, a placed block, hero and item,
// and the names list.
StageFixture SeedStage(int version) {
    StageFixture s;
    s.settings = {{"m_nWidth", 20}, {"m_nHeight", 15}, {"m_nHitCheckLevel", 10}, {"m_nFps", 60}, {"m_nBgm", 1}};
    s.title = "seed stage";
    s.ranking = {1, 0, 1, 0, 1};
    s.paletteBlocks = s.paletteCharas = s.paletteItems = {DefFixture{}, DefFixture{}};
    DefFixture block;
    block.cellX = 2;
    block.cellY = 13;
    block.fields = {{"m_sCell", 3}};
    DefFixture item;
    item.cellX = 5;
    item.cellY = 12;
    s.placedBlocks = {block};
    s.placedCharas = {HeroFixture()};
    s.placedItems = {item};
    s.names = {"first", "second"};
    s.endCode = version >= 173;
    return s;
}

Bytes WorldMapSeed() {
    cWorldMapData map;
    map.SetDefaults();
    map.m_vChip.resize(3);
    for (int x = 0; x < 4; ++x) map.m_vCell[x] = x % 3;
    cWorldPoint point;
    point.m_nX = 9;
    point.m_nY = 7;
    point.m_strName = "start";
    point.m_vLink.resize(2);
    point.m_vLink[0].m_strStage = "data\\stg4\\first.";
    point.m_vLink[1].m_nKind = 1;
    map.m_vPoint.push_back(point);
    return SavedFileBytes(map);
}

Bytes StorySeed(int version) {
    StoryFileFixture story;
    story.version = version;
    story.members = {{2, 3}, {3, 4}, {13, 5}, {15, 1200}};
    story.carry = {1, 0, 2};
    story.cleared = {{"first", "data\\stg4\\first.", 0, 1, 0, 800}};
    story.challenges = 2;
    story.mapPoints = {1, 1, 0};
    story.vars = {7, -3};
    story.stageStart = {7};
    return story.Bytes().Data();
}

Bytes PaletteSeed() {
    cCommonPalette palette;
    palette.Validate();
    palette.m_vPaletteCharas.push_back(palette.m_vPaletteCharas[1]);
    return SavedFileBytes(palette);
}

Bytes OptionSeed() {
    cOptionData options;
    options.m_nPalette = 5;
    options.m_nVolume = 3;
    options.m_nRankingMode = 2;
    options.m_strRankingName = "abc";
    return SavedFileBytes(options);
}

Bytes RankingSeed() {
    cRankingSet set;
    set.ResetTables();
    set.m_vTables[0].Insert("abc", 1234);
    set.m_vTables[2].Insert("xyz", 55);
    return SavedFileBytes(set);
}

void AddGameDataSeeds(std::vector<Seed>& seeds) {
    cDatabase db;
    // An animation with a second motion of three frames, so the seed goes
    // past the defaults' single frame.
    db.AnimeSet[0].m_vMotions.resize(2);
    db.AnimeSet[0].m_vMotions[1].m_vFrames.resize(3);
    std::uint8_t pick = 0;
    db.ForEachTable([&](auto& table, const char* file) {
        cDataFile f("seed", cDataFile::Mode::Write);
        f.Write(&pick, 1);
        f.WriteInt(DataVersion);
        WriteTable(table, f);
        std::string name = file;
        seeds.push_back({"gamedata_load", name.substr(0, name.find('.')), f.Bytes(), LoadPickedGameData});
        ++pick;
        return true;
    });
    cSystemData sys;
    Bytes system = SavedFileBytes(sys);
    system.insert(system.begin(), kSystemDataPick);
    seeds.push_back({"gamedata_load", "System", system, LoadPickedGameData});
}

// The record target's root with two leaves at the current version, and the
// same shape as a version-250 file stores it: no late member, no second
// string, and each leaf with the 16-bit member old files had.
void AddRecordSeeds(std::vector<Seed>& seeds) {
    using fuzz_records::Root;
    Root root;
    root.a = 7;
    root.d = 2.5;
    root.flags[2] = 1;
    root.late = 9;
    root.s1 = "first";
    root.s2 = "second";
    root.leaves.resize(2);
    root.leaves[0].small = 3;
    root.leaves[0].name = "leaf";
    root.leaves[1].values = {1, -2, 3};
    seeds.push_back({"record_load", "root_920", SavedFileBytes(root), LoaderOf<Root>()});
    ByteBuilder old;
    old.I32(250).I32(3).I32(7).F64(2.5).I8(0).I8(0).I8(1).I8(0).I8(0).I32(1).Str("first");
    old.I32(2);
    old.I32(2).I16(0).I16(3).I32(1).Str("leaf").I32(0);
    old.I32(2).I16(0).I16(0).I32(1).Str("").I32(3).I32(1).I32(-2).I32(3);
    seeds.push_back({"record_load", "root_250", old.Data(), LoaderOf<Root>()});
}

std::vector<Seed> Seeds() {
    std::vector<Seed> seeds;
    for (int version : {kDataVersion, 700, 150}) {
        seeds.push_back({"stage_read", "stage_" + std::to_string(version),
                         StageFileBytes(version, SeedStage(version)).Data(), LoaderOf<cStageData>()});
    }
    seeds.push_back({"world_map_read", "map_920", WorldMapSeed(), LoaderOf<cWorldMapData>()});
    for (int version : {kDataVersion, 758, 180}) {
        seeds.push_back(
            {"story_slot_read", "story_" + std::to_string(version), StorySeed(version), LoaderOf<cStorySave>()});
    }
    seeds.push_back({"common_palette_read", "palette_920", PaletteSeed(), LoaderOf<cCommonPalette>()});
    seeds.push_back({"option_read", "option_920", OptionSeed(), LoaderOf<cOptionData>()});
    seeds.push_back({"ranking_read", "ranking_920", RankingSeed(), LoaderOf<cRankingSet>()});
    AddGameDataSeeds(seeds);
    AddRecordSeeds(seeds);
    return seeds;
}

TEST(FuzzSeeds, EverySeedLoadsAndIsTheCommittedCorpusFile) {
    for (const Seed& seed : Seeds()) {
        SCOPED_TRACE(seed.corpus + "/" + seed.name);
        EXPECT_EQ(seed.load(seed.bytes), 1);
        const std::string path = std::string(FUZZ_CORPUS_DIR) + "/" + seed.corpus + "/" + seed.name;
        const std::string made(seed.bytes.begin(), seed.bytes.end());
        if (std::getenv("PLAYER_WRITE_GOLDEN")) std::ofstream(path, std::ios::binary) << made;
        std::ifstream committed(path, std::ios::binary);
        ASSERT_TRUE(committed) << path;
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(committed), {}), made);
    }
}

}  // namespace
