#include "stage/objects/shot_update.h"

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/stage_state.h"

namespace {

// Shots of group 0 and of every other group leave by their own range rules.
constexpr int kRangeGroup0Shots = 3;
constexpr int kRangeOtherShots = 4;

void PrefetchShot(const cShot& shot) {
    const char* bytes = reinterpret_cast<const char*>(&shot);
    for (std::size_t offset = 0; offset < sizeof(cShot); offset += 64) __builtin_prefetch(bytes + offset);
}

bool Ends(cShot& shot, bool firstSubStep) {
    if (shot.Step()) return true;
    shot.ApplyGravity();
    shot.MoveY();
    shot.MoveX();
    if (firstSubStep && shot.m_bShot) {
        const int rule = shot.m_nBlockGroup == 0 ? kRangeGroup0Shots : kRangeOtherShots;
        if (shot.IsOutOfRange(LoadedStage.m_Remove[static_cast<std::size_t>(rule)])) return true;
    }
    return shot.HitTiles() != 0;
}

}  // namespace

void StepShots(cStageState& stage, bool firstSubStep) {
    for (auto it = stage.m_lstShot.begin(); it != stage.m_lstShot.end();) {
        // The shots lie apart in memory: the next one is fetched while this
        // one runs.
        if (auto next = std::next(it); next != stage.m_lstShot.end()) PrefetchShot(*next);
        it = Ends(*it, firstSubStep) ? stage.RemoveShotAt(it) : std::next(it);
    }
}
