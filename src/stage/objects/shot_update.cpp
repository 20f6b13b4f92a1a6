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

// The range edges of both rules; the view does not scroll while shots move.
struct ShotRanges {
    RangeEdges group0, others;
};

bool Ends(cShot& shot, const ShotRanges* ranges) {
    if (shot.Step()) return true;
    shot.ApplyGravity();
    shot.MoveY();
    shot.MoveX();
    if (ranges && shot.m_bShot && shot.IsOutOfRange(shot.m_nBlockGroup == 0 ? ranges->group0 : ranges->others)) {
        return true;
    }
    return shot.HitTiles() != 0;
}

}  // namespace

void StepShots(cStageState& stage, bool firstSubStep) {
    // Left the allowed range: tested on the first sub-step of a frame only.
    ShotRanges ranges;
    if (firstSubStep) {
        ranges.group0 = RangeEdgesOf(LoadedStage.m_Remove[static_cast<std::size_t>(kRangeGroup0Shots)]);
        ranges.others = RangeEdgesOf(LoadedStage.m_Remove[static_cast<std::size_t>(kRangeOtherShots)]);
    }
    for (auto it = stage.m_lstShot.begin(); it != stage.m_lstShot.end();) {
        // The shots lie apart in memory: the next one is fetched while this
        // one runs.
        if (auto next = std::next(it); next != stage.m_lstShot.end()) PrefetchShot(*next);
        it = Ends(*it, firstSubStep ? &ranges : nullptr) ? stage.RemoveShotAt(it) : std::next(it);
    }
}
