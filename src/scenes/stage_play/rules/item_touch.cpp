#include "scenes/stage_play/rules/item_touch.h"

#include "scenes/stage_play/rules/contact_geometry.h"
#include "shell/requests/sound_requests.h"
#include "stage/core/item_commands.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"

int TouchEvent(cItem* item, cPlayer& hero) {
    if (!item || item->m_nGraphic == 0 || item->m_Def.m_cPickRule == PickKind::Never || !item->m_bExists) return 0;
    const cItemDef& def = item->m_Def;
    if (def.m_bPickEffect) hero.ShowPickupIcon(def.m_cSheet, def.m_sCell, def.m_sSheetSub);
    PlayDatabaseSound(def.m_sPickSound);
    return ExecItemCmds(hero, def.m_vCmd);
}

namespace {

bool CanBeTaken(const cItem& item) {
    return item.m_bExists && !item.m_bHeld && item.m_Def.m_cPickRule != PickKind::Never;
}

}  // namespace

int TouchItems(cPlayer& hero) {
    for (auto it = ItemList.begin(); it != ItemList.end();) {
        cItem& item = *it;
        const int kind = item.m_Def.m_cPickRule;
        if (!CanBeTaken(item)) {
            ++it;
            continue;
        }
        if (!Overlaps(EdgesOf(hero.m_rcItemBox), EdgesOf(item))) {
            // Leaving the item lets it act again on the next touch.
            if (kind == PickKind::Always) hero.Unlink(item.m_nId);
            ++it;
            continue;
        }
        StartFlowsByTrigger(hero, ContactRuleTrigger::TouchedItem, nullptr, 0);
        if (kind == PickKind::Always) {
            if (!hero.IsNotLinked(item.m_nId)) {
                ++it;
                continue;
            }
            hero.m_listTouchedItems.push_back(item.m_nId);
        }
        const int result = TouchEvent(&item, hero);
        it = kind == PickKind::Once ? ItemList.erase(it) : std::next(it);
        if (result != 0) return result;
    }
    return 0;
}
