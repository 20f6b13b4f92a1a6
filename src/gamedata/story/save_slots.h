#pragma once
// The 99 story save slots: their file names, their summaries for the slot
// menus, and the scan that fills the summaries from the slot files.
#include <string>

#include "foundation/data_record.h"
#include "platform/win_types.h"

constexpr int kSaveSlotCount = 99;

class cSaveSlot : public cDataRecord {
public:
    cSaveSlot();
    cSaveSlot(const cSaveSlot&) = default;
    cSaveSlot(cSaveSlot&&) noexcept = default;
    cSaveSlot& operator=(const cSaveSlot&) = default;

    void RegisterFields(int version) override;

    int m_bUsed = 0;
    SYSTEMTIME m_SaveTime{};  // not stored with the slot
};

// "user_data\story\StoryNN.dat" of slot s (0-based): slot 0 is Story01.dat.
std::string SaveSlotFileName(int slot);
// Reads every slot file's summary; a missing or refused file shows as empty.
void ScanSaveSlots(cVector<cSaveSlot>& slots);
