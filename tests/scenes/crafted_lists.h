#pragma once
// Record files of every kind the player reads, with one of their lists given
// a count chosen by the test: the crafted-file tests write counts that no
// editor writes, or that the bytes behind them can only just hold.
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "gamedata/database/database.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/world_map.h"

using Bytes = std::vector<std::uint8_t>;

// A list of a record's file: the record as saved, and a change that makes
// the list one element longer. The first byte where the two files differ is
// the low byte of the list's count.
struct StoredList {
    const char* what;
    std::function<std::unique_ptr<cDataRecord>()> make;
    std::function<void(cDataRecord&)> lengthen;
    // The entries the program uses (a longer list is kept as it is).
    std::size_t used;
};

template <class Record>
StoredList ListOf(const char* what, std::function<void(Record&)> lengthen, std::size_t used) {
    return {what, [] { return std::make_unique<Record>(); },
            [lengthen](cDataRecord& r) { lengthen(static_cast<Record&>(r)); }, used};
}

// The record's file cut just before the list's count, with `count` written
// in its place and no element after it.
Bytes FileWithCount(const StoredList& list, std::int32_t count);

// A stage with a list at every level the stage format has, and a world map
// with chips and a point with a stage link.
cStageData RichStage();
cWorldMapData RichWorldMap();

// A database table as its file holds it: the count and the entries.
template <class Entry>
struct TableFile : cDataRecord {
    cVector<Entry> table = cVector<Entry>(1);
    bool Load(cDataFile& f) override { return ReadTable(table, f); }
    void Save(cDataFile& f) override { WriteTable(table, f); }
};

struct AnimeSetFile : TableFile<cAnimeSet> {
    AnimeSetFile() {
        table[0].m_vMotions.resize(1);
        table[0].m_vMotions[0].m_vFrames.resize(1);
    }
};

struct AnimeFile : TableFile<cAnime> {
    AnimeFile() { table[0].m_vFrames.resize(1); }
};

template <class Record>
StoredList RichListOf(const char* what, std::function<Record()> make,
                      std::type_identity_t<std::function<void(Record&)>> lengthen) {
    return {what, [make] { return std::make_unique<Record>(make()); },
            [lengthen](cDataRecord& r) { lengthen(static_cast<Record&>(r)); }, 0};
}

// Every list of every file kind, each in a file that already holds one
// element at every level above it.
std::vector<StoredList> ListsAtEveryLevel();
