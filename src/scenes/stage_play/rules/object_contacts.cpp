#include "scenes/stage_play/rules/object_contacts.h"

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/stage_state.h"

// The stage's target-filter setting is this switch: it limits both the
// nearest-character search and contacts to what is on screen.
bool ContactOnScreenOnly() { return LoadedStage.m_bTargetFilter != 0; }

namespace {

bool ShotPassRuns(const cStageState& stage) { return stage.m_vecShotPass[stage.m_nSubStepNo - 1] != 0; }

}  // namespace

int ResolveObjectContacts(cStageState& stage) {
    // While set, the vanish command only marks shots: the passes below are
    // walking the shot lists.
    stage.m_bInShotPass = 1;
    if (ShotPassRuns(stage)) {
        if (const int result = ResolveShotHits(stage)) return result;
    }
    RemoveHitShots(stage);
    if (const int result = ResolveBodyContacts(stage)) return result;
    ResolveShotCancels(stage);
    stage.m_bInShotPass = 0;
    return ContactResult::None;
}

void RemoveHitShots(cStageState& stage) {
    // Every marked shot goes below, so without a mark since the last walk
    // there is nothing to find.
    if (!stage.m_bShotMarked) return;
    stage.m_bShotMarked = 0;
    for (auto it = stage.m_lstShot.begin(); it != stage.m_lstShot.end();) {
        it = it->m_bHit ? stage.RemoveShotAt(it) : std::next(it);
    }
}
