#include "scenes/rankings/ranking_set.h"

#include "foundation/list_reader.h"
#include "foundation/paths.h"
#include "foundation/player_file.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/story_save.h"

cRankingSet RankingSet;

namespace {

constexpr int kOrders[kRankTables] = {1, 1, 0, 1, 1};
// Files up to this version held three tables.
constexpr int kThreeTableVersion = 180;
// Smallest stored entry: two counts, two fields and an empty name; smallest
// table: two counts, the order and the entry count.
constexpr std::size_t kEntryBytes = 20;
constexpr std::size_t kTableBytes = 16;

}  // namespace

cRankEntry::cRankEntry() { UseFields(kDataVersion); }

cRankEntry::cRankEntry(const std::string& name, int score) : cRankEntry() {
    m_bShown = 1;
    m_nScore = score;
    m_strName = name;
}

void cRankEntry::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bShown);
    AddField(&m_nScore);
    AddString(&m_strName);
}

cRanking::cRanking() {
    UseFields(kDataVersion);
    Clear();
}

void cRanking::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nOrder);
}

bool cRanking::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    return ReadRecordList(file, m_vEntries, ListShape{kEntryBytes});
}

void cRanking::Save(cDataFile& file) {
    cDataRecord::Save(file);
    SaveRecordList(file, m_vEntries);
}

void cRanking::Clear() {
    m_nOrder = 0;
    for (cRankEntry& e : m_vEntries) e = cRankEntry();
    m_vEntries.resize(kRankEntries);
}

int cRanking::FindSlot(int score) const {
    int index = 0;
    for (const cRankEntry& e : m_vEntries) {
        if (!e.m_bShown) return index;
        if (m_nOrder != 0 ? e.m_nScore < score : e.m_nScore > score) return index;
        ++index;
    }
    return -1;
}

void cRanking::Insert(const std::string& name, int score) {
    const int slot = FindSlot(score);
    const cRankEntry entry(name, score);
    if (slot >= 0) m_vEntries.insert(m_vEntries.begin() + slot, entry);
    else m_vEntries.push_back(entry);
    m_vEntries.pop_back();
}

cRankingSet::cRankingSet() {
    UseFields(kDataVersion);
    ResetTables();
}

void cRankingSet::ResetTables() {
    m_vTables.assign(kRankTables, cRanking());
    int i = 0;
    for (cRanking& t : m_vTables) t.m_nOrder = kOrders[i++];
}

bool cRankingSet::Load(cDataFile& file) {
    const int version = FileVersion;
    if (!cDataRecord::Load(file)) return false;
    m_vTables.clear();
    if (!ReadRecordList(file, m_vTables, ListShape{kTableBytes})) return false;
    if (version <= kThreeTableVersion) {
        m_vTables.resize(kRankTables);
        m_vTables[3].m_nOrder = 1;
        m_vTables[4].m_nOrder = 1;
    } else if (m_vTables.Count() < kRankTables) {
        // Every reader of a set asks for all five tables.
        file.Fail("ranking tables " + std::to_string(m_vTables.Count()));
        return false;
    }
    return true;
}

void cRankingSet::Save(cDataFile& file) {
    cDataRecord::Save(file);
    SaveRecordList(file, m_vTables);
}

void cRankingSet::OnLoadRefused() { ResetTables(); }

void ResetRankingSet() { RankingSet.ResetTables(); }

bool RankingFilePath(std::string& out, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub) {
    if (kind < 0 || kind > 2) return false;
    std::string key = stageBaseName;
    if (kind == 0) StageKeyName(key, keyOn, keyNumber, keySub);
    StripFolder(key);
    out = RankingFolder(kind) + key + ExtTable[kExtRanking];
    if (out.size() >= 260) out.resize(259);
    return true;
}

bool LoadRankingFile(cRankingSet& set, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub) {
    std::string path;
    if (RankingFilePath(path, kind, stageBaseName, keyOn, keyNumber, keySub) && LoadPlayerFile(set, path)) return true;
    set.ResetTables();
    return false;
}

bool SaveRankingFile(cRankingSet& set, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub) {
    std::string path;
    if (!RankingFilePath(path, kind, stageBaseName, keyOn, keyNumber, keySub)) return false;
    return set.SaveFile(path) != 0;
}
