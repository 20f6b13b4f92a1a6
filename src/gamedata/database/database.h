#pragma once
// The ten database tables of a project, read once at start-up from
// "data\database", and the table files' reader and writer.
//
// A table file is the version header, a signed entry count and the entries.
// A count of 0 or less keeps the table's defaults; a count larger than the
// bytes left, or an entry that cannot be read, refuses the file.
#include <string>

#include "foundation/data_record.h"
#include "gamedata/database/database_entries.h"

class cDatabase : public cDataRecord {
public:
    cDatabase();
    void RegisterFields(int version) override;

    // Every table back to its default entries; the two copies stay.
    void SetDefaults();
    // Loads the ten files in their fixed order from "data\database". 1 on
    // success; 0 after the first file that is missing, newer or damaged,
    // which is reported with its path; later tables keep their defaults.
    int LoadAll();
    // Writes the ten table files into a folder (internal path, without the
    // trailing backslash). 1 when every file was written.
    int SaveAll(const std::string& folder);

    // Calls f(table, file name) for the ten tables in file order while f
    // returns true; true when all ten were visited.
    template <class F>
    bool ForEachTable(F&& f) {
        return ForEachTableWith(*this, [&](auto& table, auto&, const char* file) { return f(table, file); });
    }
    // The same, handing f the table of the same kind of another database too.
    template <class F>
    bool ForEachTableWith(cDatabase& other, F&& f) {
        return f(AnimeSet, other.AnimeSet, "AnimeSet.dat") && f(Anime, other.Anime, "Anime.dat") &&
               f(BmpCharaExc, other.BmpCharaExc, "Bmp_CharaExc.dat") &&
               f(SwordType, other.SwordType, "SwordType.dat") && f(Effect, other.Effect, "Effect.dat") &&
               f(CharaEffect, other.CharaEffect, "CharaEffect.dat") && f(ScrEffect, other.ScrEffect, "ScrEffect.dat") &&
               f(Picture, other.Picture, "Picture.dat") && f(Sound, other.Sound, "Sound.dat") &&
               f(Bgm, other.Bgm, "Bgm.dat");
    }

    cVector<cAnimeSet> AnimeSet;
    cVector<cAnime> Anime;
    cVector<cBmpCharaExc> BmpCharaExc;
    cVector<cSwordType> SwordType;
    cVector<cEffect> Effect;
    cVector<cCharaEffect> CharaEffect;
    cVector<cScrEffect> ScrEffect;
    cVector<cPicture> Picture;
    cVector<cSound> Sound;
    cVector<cBgm> Bgm;
    // Working copies that the reversed effect templates are prepared from, so
    // that the tables above keep the values of their files.
    cVector<cCharaEffect> CharaEffectCopy;
    cVector<cScrEffect> ScrEffectCopy;
};

// Built with the other global objects (gamedata/global_data.h).
extern cDatabase& Database;

// Folder of the project's database files, as the player reads them.
inline constexpr const char* kDatabaseFolder = "data\\database";

// Sword files before this version could hold at most this many entries.
constexpr int kOldSwordTableLimit = 128;
constexpr int kSwordTableUnlimitedFrom = 828;

// Reads a table from an open file (count, then entries). false when the file
// failed; the table then holds what was read up to the failure.
template <class T>
bool ReadTable(cVector<T>& table, cDataFile& file) {
    // Each entry holds at least its two counts; the stored entries are read
    // over the table's first ones.
    if (!ReadRecordList(file, table, {8, StoredCount::NoneKeeps})) return false;
    if (StripCRFlag) {
        for (auto& entry : table) entry.StripCR();
    }
    return true;
}

// Writes a table (count, then entries) into a file opened for writing.
template <class T>
void WriteTable(cVector<T>& table, cDataFile& file) {
    file.WriteInt(table.Count());
    for (auto& entry : table) entry.Save(file);
}

// Writes a table file: header, count, entries. 1 when it was written.
template <class T>
int SaveTableFile(cVector<T>& table, const std::string& path) {
    DataFilePtr f = OpenDataFileWrite(path);
    if (!f) return 0;
    WriteTable(table, *f);
    return CloseDataFile(f) ? 1 : 0;
}
