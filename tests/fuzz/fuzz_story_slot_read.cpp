// Feeds arbitrary bytes to the reader of story slot files (also the
// challenge progress). A refused file leaves the progress as it was; a
// loaded one has every list as long as the game indexes it.
#include "fuzz/record_file_checks.h"
#include "gamedata/story/save_slots.h"
#include "gamedata/story/story_save.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cStorySave progress;
    progress.m_nLives = 77;
    progress.m_strStage = "before";
    if (LoadFuzzedFile(progress, data, size)) {
        if (progress.m_vCarry.Count() < kCarryItemCount || progress.m_vMapPoint.Count() < kMapPointFlagCount ||
            progress.m_vVar.Count() < kCommonVariableCount || progress.m_vKept.empty()) {
            __builtin_trap();
        }
        cSaveSlot slot;
        progress.FillSummary(slot);
        if (slot.m_bUsed != 1) __builtin_trap();
        RequireReloads(progress);
    } else if (progress.m_nLives != 77 || progress.m_strStage != "before") {
        __builtin_trap();
    }
    RequireNoFatalClose();
    return 0;
}
