#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "scenes/stage_play/rules/block_chara_contacts.h"
#include "stage/objects/engine_hooks.h"

int CarryRider(cChara& c, cList<cStageChara>& charas) {
    if (c.m_bFly) return 0;
    for (cStageChara& b : charas) {
        if (b.m_nId != c.m_nRideId) continue;
        c.m_dSpeedX += b.m_dX - c.m_dRideX;
        // Older projects let a grounded block character rise and sink under
        // its rider without taking it along.
        if (b.m_bFly || !SwitchOn(Switch::RideFollowY) || b.m_bAirLock) c.m_dSpeedY = b.m_dY - c.m_dRideY;
        if (c.m_nCharaKind == 0) StartFlowsByTrigger(b, ContactRuleTrigger::RiddenByHero, &c, 0);
        StartFlowsByTrigger(b, ContactRuleTrigger::RiddenByChara, &c, 0);
        return 0;
    }
    return 0;
}
