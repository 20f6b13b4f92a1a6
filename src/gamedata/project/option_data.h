#pragma once
// The player's own choices that the option scene edits, kept in
// "user_data\Option.dat".
#include <string>

#include "foundation/data_record.h"

constexpr int kPaletteCount = 24;
constexpr int kVolumeLevels = 11;  // entries of the effect volume table
constexpr int kRankingModes = 4;

class cOptionData : public cDataRecord {
public:
    cOptionData();
    cOptionData(const cOptionData&) = default;
    cOptionData(cOptionData&&) noexcept = default;
    cOptionData& operator=(const cOptionData&) = default;

    void RegisterFields(int version) override;
    // The stored values are brought into the ranges the readers index with;
    // the file may come from another tool.
    bool Load(cDataFile& file) override;
    void OnLoadRefused() override;
    std::size_t MaxFileBytes() const override { return kMaxPlayerSettingsFileBytes; }

    void SetDefaults();
    void ClampToRanges();

    int m_nPalette = 0;      // palette of the 8-bit mode, 0-23
    int m_bMusic = 1;        // music on
    int m_nVolume = 7;       // effect volume level, 0-10
    int m_nRankingMode = 0;  // 0-3: manual / automatic, with name entry / fixed name
    std::string m_strRankingName = "aaa";
};
