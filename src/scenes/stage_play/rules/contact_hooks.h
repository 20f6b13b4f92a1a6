#pragma once
// What the contact rules ask of the other stage rules, and the installation
// of the contact rules into the stage objects and the stage reset.
#include <functional>

class cChara;

struct ContactRuleHooks {
    // The stage outcome's kill (the stage scene installs it) of a character whose life a contact ended: 0 it died (or was
    // dead), 1 the stage ended, 2 the hero's kind lost its last life. The
    // character must stay in its lists: the rule that called still holds it.
    std::function<int(cChara&)> killChara;
};
// The installed routine; without one the kill gives 0.
ContactRuleHooks& ContactHooks();

int KillChara(cChara& chara);

// Hands the stage objects the item pick-up (for carried items and item
// blocks) and the placement test, and the stage reset the presence update.
void InstallContactRules();
