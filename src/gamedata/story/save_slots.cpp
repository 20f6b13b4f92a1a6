#include "gamedata/story/save_slots.h"

#include "foundation/player_file.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/story_save.h"
#include "platform/clock.h"

cSaveSlot::cSaveSlot() { UseFields(DataVersion); }

void cSaveSlot::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bUsed);
}

std::string SaveSlotFileName(int slot) { return StrPrintf("%s%02d.dat", PathTable[kPathStorySlots], slot + 1); }

void ScanSaveSlots(cVector<cSaveSlot>& slots) {
    cStorySave progress;
    for (int i = 0; i < slots.Count(); ++i) {
        cSaveSlot& slot = slots[i];
        slot.m_bUsed = 0;
        // A slot that cannot be loaded is offered as empty rather than with
        // the summary of another slot.
        if (LoadPlayerFile(progress, SaveSlotFileName(i))) progress.FillSummary(slot);
    }
}

void cStorySave::FillSummary(cSaveSlot& slot) const {
    slot.m_bUsed = 1;
    slot.m_SaveTime = m_SaveTime;
}

int cStorySave::SaveSlot(int slot) {
    RecalcTotal();
    GetLocalTime(&m_SaveTime);
    if (!SaveFile(SaveSlotFileName(slot))) return 0;
    FillSummary(SaveSlots[slot]);
    return 1;
}

int cStorySave::LoadSlot(int slot) {
    const int loaded = LoadPlayerFile(*this, SaveSlotFileName(slot));
    FixLives(0);
    return loaded;
}

int cStorySave::LoadChallenge() {
    if (!LoadPlayerFile(*this, PathTable[kPathChallengeSave])) return 0;
    FixLives(1);
    return 1;
}
