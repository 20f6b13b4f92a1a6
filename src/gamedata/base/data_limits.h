#pragma once
// The sizes of the databases and palettes that command normalisation checks
// references against, and the two switches that decide whether test-only
// flows survive a load. Everything the flow and command records know about
// the rest of the project comes through this one accessor, so the data
// globals can be wired in by installing a source, and tests set plain values.
#include <array>
#include <vector>

// Database tables in the order of the project's database files.
enum class DbTable {
    AnimeSet,
    Anime,
    BmpCharaExc,
    SwordType,
    Effect,
    CharaEffect,
    ScrEffect,
    Picture,
    Sound,
    Bgm,
};
constexpr int kDbTableCount = 10;

// Definition lists of a palette.
enum class PaletteList { Block, Chara, Item };

struct PaletteCounts {
    int blocks = 0;
    int charas = 0;
    int items = 0;
};

struct DataLimits {
    std::array<int, kDbTableCount> dbCount{};
    // Frame times (tenths of a second) of each sword type, by index.
    std::vector<std::vector<int>> swordFrameTimes;
    PaletteCounts common;    // the common palette
    PaletteCounts stage;     // the palette of the stage being loaded
    int testPlay = 0;        // a test play started by the editor is running
    int testFlowSwitch = 0;  // the project keeps test-only flows outside a test play

    int Count(DbTable t) const { return dbCount[static_cast<std::size_t>(t)]; }
    // 0 <= index < count; an empty table has no valid index.
    bool IsValid(DbTable t, int index) const { return index >= 0 && index < Count(t); }
    // Count of a palette's list: palette 0 common, 1 stage; -1 for any other.
    int PaletteCount(int palette, PaletteList list) const;
    // Sum of a sword type's frame times, capped at 9999 after every frame.
    int SwordTime(int swordType) const;
};

using DataLimitsSource = const DataLimits& (*)();

// The limits in force. Without an installed source these are the values of
// the last SetDataLimits (all zero at start).
const DataLimits& GetDataLimits();
void SetDataLimits(const DataLimits& limits);
// The values of the last SetDataLimits, whatever source is installed.
const DataLimits& StoredDataLimits();
// Installs a function that yields the limits (nullptr returns to the stored
// values); the owner of the data globals installs one once they exist.
void SetDataLimitsSource(DataLimitsSource source);

// Whether flows marked test-only are removed while loading.
bool ShouldPurgeTestFlows();
