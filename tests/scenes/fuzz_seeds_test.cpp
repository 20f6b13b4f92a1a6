// The seed corpora of the record-file fuzz targets: every seed is a file its
// reader accepts, so fuzzing starts deep inside the format, and the files in
// the corpus folders are exactly what these builders make (regenerated with
// PLAYER_WRITE_GOLDENS set). The replay seed is the replay test's golden
// file; the picture, WAV and MIDI seeds come from make_media_seeds.py beside
// them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/flow_record_kinds.h"
#include "fuzz/record_load_shapes.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/fixtures/record_fixtures.h"
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

// The flow-records target reads a pick byte, a version and the record body,
// under the target's own limits.
int LoadFlowRecord(Bytes b) {
    if (b.size() < 5) return 0;
    std::int32_t version = 0;
    std::memcpy(&version, b.data() + 1, 4);
    const DataLimits saved = StoredDataLimits();
    SetDataLimits(fuzz_flows::Limits());
    auto record = fuzz_flows::MakeRecord(b[0]);
    FileVersion = version;
    cDataFile in("seed", Bytes(b.begin() + 5, b.end()));
    const bool loaded = record->Load(in);
    FileVersion = DataVersion;
    SetDataLimits(saved);
    return loaded ? 1 : 0;
}

ByteBuilder SeedCondList(int version) {
    return CondListBytes(version, 1, 0, {RecordBytes(kCondLayout, version, {{"m_cKind", 4}, {"m_cStatus", 12}})});
}

ByteBuilder SeedMove(int version) { return RecordBytes(kMoveLayout, version, {{"m_cMode", 2}, {"m_sSpeed", 4}}); }

ByteBuilder SeedShot(int version) {
    return RecordBytes(kShotLayout, version, {{"m_cScale", 1}, {"m_cMoveKind", 1}, {"m_sEffect", 3}});
}

ByteBuilder SeedKeyCond() { return KeyCondBytes({{"m_cMode", 1}}, std::vector<std::int8_t>(19, 1)); }

// A flow with a condition, a key condition and three commands: one with a
// movement, a shot, a condition list and parameters, one with parameters
// alone and one with a shot alone.
ByteBuilder SeedFlow(int version) {
    const ByteBuilder move = SeedMove(version), shot = SeedShot(version), cond = SeedCondList(version);
    const CmdFixture full{{{"m_cKind", 16}, {"m_sSound", 3}}, "t", &move, &shot, &cond, {}, {1, 2, 3, 4}};
    const CmdFixture params{
        {{"m_cKind", 22}}, "", nullptr, nullptr, nullptr, {}, {0, 0, 0, 0, 11, 0, 2, 0, 0, 0, 0, 0, 0, 12}};
    const CmdFixture shotOnly{{{"m_cKind", 12}}, "", nullptr, &shot, nullptr, {}, {}};
    return FlowBytes(version, {{{"m_cTrigger", 11}, {"m_cKeyWindow", 3}},
                               "n",
                               {RecordBytes(kCondLayout, version, {{"m_cKind", 7}})},
                               {SeedKeyCond()},
                               {CmdBytes(version, full), CmdBytes(version, params), CmdBytes(version, shotOnly)}});
}

// A command that holds the flow above.
ByteBuilder SeedCmd(int version) {
    return CmdBytes(version,
                    {{{"m_cTable", 1}, {"m_cKind", 1}}, "", nullptr, nullptr, nullptr, {SeedFlow(version)}, {1, 2}});
}

// Every record of the flow-records target at versions on both sides of the
// layout changes: the flow name (676), the partner members (762, 767), the
// command's condition part (764) and the conditions of a list (766).
void AddFlowRecordSeeds(std::vector<Seed>& seeds) {
    using namespace fuzz_flows;
    const std::vector<std::pair<const char*, std::function<ByteBuilder(int)>>> kinds = {
        {"flow", SeedFlow}, {"cmd", SeedCmd},   {"condlist", SeedCondList},
        {"shot", SeedShot}, {"move", SeedMove}, {"key", [](int) { return SeedKeyCond(); }},
    };
    std::uint8_t pick = kFlow;
    for (const auto& [name, body] : kinds) {
        for (int version : {100, 200, 700, 763, kDataVersion}) {
            ByteBuilder seed;
            seed.I8(static_cast<std::int8_t>(pick)).I32(version).Append(body(version));
            seeds.push_back(
                {"flow_records", std::string(name) + "_" + std::to_string(version), seed.Data(), LoadFlowRecord});
        }
        ++pick;
    }
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
    AddFlowRecordSeeds(seeds);
    return seeds;
}

TEST(FuzzSeeds, EverySeedLoadsAndIsTheCommittedCorpusFile) {
    for (const Seed& seed : Seeds()) {
        SCOPED_TRACE(seed.corpus + "/" + seed.name);
        EXPECT_EQ(seed.load(seed.bytes), 1);
        const std::string path = std::string(FUZZ_CORPUS_DIR) + "/" + seed.corpus + "/" + seed.name;
        const std::string made(seed.bytes.begin(), seed.bytes.end());
        if (std::getenv("PLAYER_WRITE_GOLDENS")) std::ofstream(path, std::ios::binary) << made;
        std::ifstream committed(path, std::ios::binary);
        ASSERT_TRUE(committed) << path;
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(committed), {}), made);
    }
}

}  // namespace
