#pragma once
// The routines of the flow engine, the command executors and the stage-play
// scene that the stage objects call. Each side installs its own when it
// starts; a routine that is not installed does nothing and gives 0 (or -1
// where that means "none"), so the objects run alone in tests.
#include "foundation/checked_containers.h"

class cChara;
class cFlow;
class cFlowCmd;
class cItem;
class cPlayer;

namespace FlowAddMode {
enum : int { Replace = 0, Add = 1 };
}

// Triggers that damage and death fire on a character's flows.
namespace HitTrigger {
enum : int {
    Damaged = 1,          // hit by a non-zero power
    DamageTaken = 2,      // lost at least 1 life
    Impacted = 3,         // hit by a non-zero impact
    ImpactTaken = 4,      // an impact that moved it
    Died = 5,             // its life ran out
    AttackDamaged = 20,   // its attack hit with a non-zero power
    AttackDamage = 21,    // its attack took at least 1 life
    AttackImpacted = 22,  // its attack hit with a non-zero impact
    AttackImpact = 23     // its attack's impact moved the victim
};
}

// A hit effect between two boxes: the effect, the victim's box edges, the
// attacker's (left, top, right, bottom) and the attacker's scale.
struct HitEffectRequest {
    int nEffect = 0;
    double victim[4] = {};
    double attacker[4] = {};
    int nScale = 1;
};

struct EngineHooks {
    // Builds flow instances for `flows` (replacing all, or added at
    // `position`, -1 the end) of the character's definition copy.
    void (*addFlows)(cChara& chara, const cVector<cFlow>& flows, int mode, int position) = nullptr;
    // Removes the flows of an ID; gives the position of the first removed,
    // or -1.
    int (*removeFlowsById)(cChara& chara, int id) = nullptr;
    // Starts the flows of a trigger kind, with the partner and the flow-ID
    // filter of an attack (0 none).
    void (*startFlowsByTrigger)(cChara& chara, int kind, cChara* partner, int filter) = nullptr;
    // The stage's pick-up of an item by the hero; 1 when it ended the life
    // of the stage run (the death must not happen).
    int (*touchEvent)(cItem& item, cPlayer& hero) = nullptr;
    // Adds an effect instance to the scene's effect list.
    void (*hitEffect)(const HitEffectRequest& request) = nullptr;
};

// The installed routines; the installer sets the members it provides.
EngineHooks& Hooks();

void AddCharaFlows(cChara& chara, const cVector<cFlow>& flows, int mode, int position);
int RemoveCharaFlowsById(cChara& chara, int id);
void StartFlowsByTrigger(cChara& chara, int kind, cChara* partner, int filter);
