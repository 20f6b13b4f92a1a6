#pragma once
// How the record-file fuzz targets read their input, as functions of a whole
// file's bytes: the seed test checks that every seed loads with them, and
// the crafted-file test damages the seeds and loads them the same way.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gamedata/database/database.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/project/option_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "gamedata/story/world_map.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/stage_play/key_log.h"

using FileBytes = std::vector<std::uint8_t>;
// 1 when the file loaded.
using FileLoader = std::function<int(FileBytes)>;

template <class Record>
FileLoader LoaderOf() {
    return [](FileBytes b) {
        Record r;
        return r.LoadOpenedFile(OpenDataBytesRead("seed", std::move(b)));
    };
}

// The database target reads the table its first byte picks (0 to 9, in file
// order) or, for 10, the system data.
constexpr std::uint8_t kSystemDataPick = 10;

inline int LoadPickedGameData(FileBytes b) {
    if (b.empty()) return 0;
    const std::uint8_t pick = b.front();
    b.erase(b.begin());
    if (pick == kSystemDataPick) {
        cSystemData sys;
        return sys.LoadOpenedFile(OpenDataBytesRead("seed", std::move(b)));
    }
    cDatabase db;
    int table = 0;
    bool read = false;
    db.ForEachTable([&](auto& t, const char*) {
        if (table++ != pick) return true;
        DataFilePtr f = OpenDataBytesRead("seed", std::move(b));
        read = f && ReadTable(t, *f) && CloseDataFile(f);
        return false;
    });
    return read ? 1 : 0;
}

inline int LoadReplayBytes(FileBytes b) {
    cKeyLog log;
    cStageData stage, settings;
    cStorySave progress;
    return log.LoadReplay(OpenDataBytesRead("seed", std::move(b)), stage, settings, progress);
}

// Corpus folder of each target that reads a whole player or project file.
inline std::vector<std::pair<std::string, FileLoader>> PlayerFileCorpora() {
    return {
        {"stage_read", LoaderOf<cStageData>()},
        {"world_map_read", LoaderOf<cWorldMapData>()},
        {"story_slot_read", LoaderOf<cStorySave>()},
        {"common_palette_read", LoaderOf<cCommonPalette>()},
        {"option_read", LoaderOf<cOptionData>()},
        {"ranking_read", LoaderOf<cRankingSet>()},
        {"replay_read", LoadReplayBytes},
        {"gamedata_load", LoadPickedGameData},
    };
}
