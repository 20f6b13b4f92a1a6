#include "gamedata/database/database.h"

#include <type_traits>

#include "foundation/report.h"
#include "gamedata/base/load_failure_report.h"

namespace {

template <class T>
void MakeDefaultTable(cVector<T>& table, int count) {
    table.clear();
    table.resize(static_cast<std::size_t>(count));
}

std::string TablePath(const std::string& folder, const char* file) { return folder + "\\" + file; }

// Old editors wrote at most 128 sword types; anything behind them in an old
// file is not part of the table.
void CutOldSwordTable(cVector<cSwordType>& table) {
    if (FileVersion < kSwordTableUnlimitedFrom && table.Count() > kOldSwordTableLimit) {
        table.resize(kOldSwordTableLimit);
    }
}

// Loads one table file. A damaged file is refused like a missing one, and
// its table goes back to the defaults rather than stay half read.
template <class T>
bool LoadTableFile(cVector<T>& table, const std::string& path, const cVector<T>& defaults) {
    DataFilePtr f = OpenDataFileRead(path);
    if (!f) return false;
    if (!ReadTable(table, *f)) {
        LogPrintf("%s : 読み込みを中止しました (%s)", f->Path().c_str(), f->FailReason().c_str());
        table = defaults;
        CloseDataFile(f);
        return false;
    }
    CloseDataFile(f);
    if constexpr (std::is_same_v<T, cSwordType>) CutOldSwordTable(table);
    return true;
}

}  // namespace

cDatabase::cDatabase() { SetDefaults(); }

void cDatabase::RegisterFields(int) { ClearFieldLists(); }

void cDatabase::SetDefaults() {
    Reset();
    MakeDefaultTable(AnimeSet, 1);
    MakeDefaultTable(Anime, 2);
    Anime[0].m_strName = "なし";
    Anime[1].m_strName = "アクションA";
    MakeDefaultTable(BmpCharaExc, 2);
    MakeDefaultTable(SwordType, 1);
    MakeDefaultTable(Effect, 2);
    MakeDefaultTable(CharaEffect, 2);
    MakeDefaultTable(ScrEffect, 2);
    MakeDefaultTable(Picture, 2);
    MakeDefaultTable(Sound, 2);
    MakeDefaultTable(Bgm, 2);
}

int cDatabase::LoadAll() {
    cDatabase defaults;
    bool ok = ForEachTableWith(defaults, [](auto& table, auto& defaultTable, const char* file) {
        std::string path = TablePath(kDatabaseFolder, file);
        if (LoadTableFile(table, path, defaultTable)) return true;
        ReportLoadFailure(path);
        return false;
    });
    if (!ok) return 0;
    // Entry 0 stands for "no effect" whatever the file says.
    CharaEffect[0].m_nKind = 0;
    ScrEffect[0].m_nKind = 0;
    return 1;
}

int cDatabase::SaveAll(const std::string& folder) {
    int written = 0;
    ForEachTable([&](auto& table, const char* file) {
        written += SaveTableFile(table, TablePath(folder, file));
        return true;
    });
    return written == 10 ? 1 : 0;
}
