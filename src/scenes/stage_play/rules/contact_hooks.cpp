#include "scenes/stage_play/rules/contact_hooks.h"

#include "scenes/stage_play/rules/block_chara_contacts.h"
#include "scenes/stage_play/rules/item_touch.h"
#include "scenes/stage_play/rules/presence.h"
#include "scenes/stage_play/stage_reset.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/stage_spawning.h"
#include "stage/objects/stage_state.h"

ContactRuleHooks& ContactHooks() {
    static ContactRuleHooks hooks;
    return hooks;
}

int KillChara(cChara& chara) { return ContactHooks().killChara ? ContactHooks().killChara(chara) : 0; }

void InstallContactRules() {
    Hooks().touchEvent = [](cItem& item, cPlayer& hero) { return TouchEvent(&item, hero); };
    SetPlaceBlockedTest([](cChara& chara) { return IsPlaceBlocked(CharaList, chara); });
    ResetHooks().updatePresence = [] { UpdatePresence(StageState()); };
}
