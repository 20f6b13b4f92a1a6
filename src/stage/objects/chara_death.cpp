#include <algorithm>

#include "gamedata/global_data.h"
#include "stage/objects/chara.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr long long kMaxScore = 999999;

// The carried item goes to the hero as if picked up; 1 when that ended
// the stage run.
int HandOverItem(cItem* item) {
    // The empty carried item (graphic 0) gives nothing.
    if (!item || item->m_Def.m_sCell == 0 || PlayerList.empty() || !Hooks().touchEvent) return 0;
    return Hooks().touchEvent(*item, PlayerList[0]);
}

}  // namespace

int cChara::Die() {
    ::StartFlowsByTrigger(*this, HitTrigger::Died, nullptr, 0);
    StepCharaFlows(1);
    StoryData.m_nStageScore =
        static_cast<int>(std::clamp(static_cast<long long>(StoryData.m_nStageScore) + m_Def.m_nScore, 0LL, kMaxScore));
    const int handed = HandOverItem(GetHeldItem());
    // A stage already cleared (or ended by the item) is not lost to a death
    // in the same frame.
    if (StageState().m_nEndRequest == EndRequest::StageClear || handed == 1) return 1;
    ReleaseLinks();
    m_bDead = 1;
    m_EffectRun.Start(m_Def.m_sDeathEffect, m_Def.m_cDeathEffectMode, 0);
    return 0;
}
