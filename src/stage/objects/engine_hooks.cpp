#include "stage/objects/engine_hooks.h"

EngineHooks& Hooks() {
    static EngineHooks hooks;
    return hooks;
}

void AddCharaFlows(cChara& chara, const cVector<cFlow>& flows, int mode, int position) {
    if (Hooks().addFlows) Hooks().addFlows(chara, flows, mode, position);
}

int RemoveCharaFlowsById(cChara& chara, int id) {
    return Hooks().removeFlowsById ? Hooks().removeFlowsById(chara, id) : -1;
}

void StartFlowsByTrigger(cChara& chara, int kind, cChara* partner, int filter) {
    if (Hooks().startFlowsByTrigger) Hooks().startFlowsByTrigger(chara, kind, partner, filter);
}
