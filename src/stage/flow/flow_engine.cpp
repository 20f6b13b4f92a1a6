#include "stage/flow/flow_engine.h"

#include "gamedata/definitions/definition_base.h"
#include "stage/flow/conditions.h"
#include "stage/objects/block_map.h"
#include "stage/objects/chara.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"

namespace {

void AddFlowsOf(cChara& chara, const cVector<cFlow>& flows, int mode, int position) {
    if (mode == FlowAddMode::Replace && &flows == &chara.m_Def.m_vFlow) {
        chara.AddFlows(chara.m_Def.m_vFlow, mode, position);
        return;
    }
    // Loops are expanded in the engine's own copy: the flows handed over
    // (an item command's) stay as stored.
    cVector<cFlow> copy = flows;
    chara.AddFlows(copy, mode, position);
}

// Blocks exist for the hero: their conditions are measured against it.
bool BlockExists(cTileCell& cell) {
    static cChara nobody;
    cChara& subject = PlayerList.empty() ? nobody : PlayerList[0];
    return CheckExistenceConditions(cell.m_Def, cell.m_bLatch, subject);
}

}  // namespace

bool CheckExistenceConditions(const cDefinition& def, std::int8_t& latch, cChara& subject) {
    if (def.m_vCond.empty()) return true;
    if (def.m_bCondLatch && latch) return true;
    if (!CheckCondList(def.m_vCond, def.m_cCondMode, subject)) return false;
    latch = 1;
    return true;
}

void InstallFlowEngine() {
    EngineHooks& hooks = Hooks();
    hooks.addFlows = AddFlowsOf;
    hooks.removeFlowsById = [](cChara& chara, int id) { return chara.RemoveFlowsById(id); };
    // Block contacts without a sink of their own start flows through this.
    hooks.startFlowsByTrigger = [](cChara& chara, int kind, cChara* partner, int filter) {
        chara.StartFlowsByTrigger(kind, partner, filter);
    };
    SetBlockConditionTest(BlockExists);
}
