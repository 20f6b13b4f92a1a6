#pragma once
// The rankings of one stage: five tables (score, remaining time, clear time,
// remaining HP, remaining SP) of 20 entries each, in one file per stage and
// game kind ("user_data\story\", "challenge\" or "free\", the stage key, then
// "rkg"). The set holds the file of one stage at a time.
#include <string>

#include "foundation/data_record.h"

constexpr int kRankTables = 5;
constexpr int kRankEntries = 20;
// The table that holds times in hundredths of a second.
constexpr int kClearTimeTable = 2;

class cRankEntry : public cDataRecord {
public:
    cRankEntry();
    cRankEntry(const std::string& name, int score);
    cRankEntry(const cRankEntry&) = default;
    cRankEntry(cRankEntry&&) noexcept = default;
    cRankEntry& operator=(const cRankEntry&) = default;
    void RegisterFields(int version) override;

    int m_bShown = 0;
    int m_nScore = 0;
    std::string m_strName;
};

class cRanking : public cDataRecord {
public:
    cRanking();
    cRanking(const cRanking&) = default;
    cRanking(cRanking&&) noexcept = default;
    cRanking& operator=(const cRanking&) = default;
    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    // A new table holds its 20 entries.
    std::size_t ConstructedListBytes() const {
        return RegisteredListBytes() + m_vEntries.capacity() * ElementMemoryCost<cRankEntry>();
    }

    // Order 0 and 20 empty entries; a shorter table is filled up, a longer
    // one cut.
    void Clear();
    // Where an entry with this score would stand: the first empty entry or
    // the first that it beats strictly (equal scores keep the older entry
    // first); -1 when it ranks nowhere.
    int FindSlot(int score) const;
    // Inserts a used entry there and drops the last one, so the table keeps
    // its length (a score that ranks nowhere goes in and out again).
    void Insert(const std::string& name, int score);

    int m_nOrder = 0;  // not 0: a higher score ranks higher
    cVector<cRankEntry> m_vEntries;
};

class cRankingSet : public cDataRecord {
public:
    cRankingSet();
    // A damaged file (counts beyond the bytes left, a set of fewer than five
    // tables) is refused as a whole; the file's version decides the upgrade.
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;
    std::size_t MaxFileBytes() const override { return kMaxPlayerSettingsFileBytes; }

    // Five blank tables with the orders 1, 1, 0, 1, 1.
    void ResetTables();

    cVector<cRanking> m_vTables;
};

extern cRankingSet RankingSet;
void ResetRankingSet();

// The file of a stage's rankings: the kind's folder, the file part of the
// stage key and "rkg". The story's key carries the three ranking key numbers
// of the map link. false for the replay kind and any kind outside 0 to 2.
bool RankingFilePath(std::string& out, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub);
// On any failure the set is left blank and the result is false; a missing,
// refused or newer file is no fault, a damaged one is reported.
bool LoadRankingFile(cRankingSet& set, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub);
// false when there is no path or the file could not be written.
bool SaveRankingFile(cRankingSet& set, int kind, const std::string& stageBaseName, int keyOn, int keyNumber,
                     int keySub);
