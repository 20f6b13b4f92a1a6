#include <algorithm>

#include "gamedata/definitions/item_def.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "scenes/stage_play/rules/contact_geometry.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "scenes/stage_play/rules/item_touch.h"
#include "scenes/stage_play/rules/object_contacts.h"
#include "shell/sound_requests.h"
#include "stage/movement/target_search.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

// Damage mode 2: shots do not hit the character at all.
constexpr int kShotProof = 2;

bool WasHit(const cShot& s, int id) {
    return std::find(s.m_lstHitChara.begin(), s.m_lstHitChara.end(), id) != s.m_lstHitChara.end();
}

bool CanBeShot(const cChara& x, const cShot& s) {
    if (ContactOnScreenOnly() && !x.m_bOnScreen) return false;
    return x.m_bExists && !x.m_bDead && DamageMode(x) != kShotProof &&
           Overlaps(EdgesOf(x.m_rcShotBox), EdgesOf(s.m_rcHit)) && !WasHit(s, x.m_nId);
}

// A shot that carries an item hands it to the hero, whoever it hit.
int GiveCarriedItem(const cShot& s) {
    if (s.m_Param.m_cItemPalette == 0 || PlayerList.empty()) return 0;
    const cItemDef* def = GetItemDef(s.m_Param.m_cItemPalette, s.m_Param.m_sItem);
    if (!def) return 0;
    cItem item;
    item.CopyFromEntry(0, *def, 1);
    return TouchEvent(&item, PlayerList[0]);
}

// One hit of shot `s` on character `x`; `vanish` is set when the shot is
// used up by it. Non-zero ends the whole rule.
int HitByShot(cShot& s, cChara& x, bool& vanish) {
    const cEdShot& p = s.m_Param;
    const bool harmful = p.m_nPower != 0 || p.m_cImpact != 0 || p.m_cItemPalette != 0;
    if (harmful && x.IsInvincible()) return 0;
    StartFlowsByTrigger(x, ContactRuleTrigger::HitByShot, s.m_lpOwner, 0);
    if (s.m_lpOwner && s.m_nOpt1) StartFlowsByTrigger(*s.m_lpOwner, ContactRuleTrigger::AttackHit, &x, s.m_cOpt2);
    // Older projects let a shot without power, impact or item pass by.
    if (!harmful && SwitchOn(Switch::HarmlessShot)) return 0;

    // What the bookkeeping needs, kept before the kill may end the character.
    const int id = x.m_nId;
    const bool pierces = x.IsBlockChara() ? p.m_cPierceBlockChara == 1 : p.m_cPierceChara == 1;
    int damage = 0, impact = 0;
    const bool dead = x.TakeShotDamage(s, damage, impact);
    x.OnShotHit(s, damage, impact);
    if (dead) {
        if (x.m_nCharaKind != 0) PlaySystemSound(ContactSound::Defeated);
        const int result = KillChara(x);
        if (result == ContactResult::StageEnded || result == ContactResult::HeroDown) return result;
    } else {
        PlaySystemSound(ContactSound::Hit);
        if (harmful) x.StartInvincibility();
    }
    // A slash hits each character once in its life; a shot proper either
    // passes through or is used up.
    if (!s.m_bShot || pierces) {
        s.m_lstHitChara.push_back(id);
    } else {
        vanish = true;
    }
    return GiveCarriedItem(s);
}

// Shot `s` against every character of one group; non-zero ends the rule.
int HitGroup(cShot& s, cList<cChara*>& group, bool& vanish) {
    for (auto it = group.begin(); it != group.end() && !s.m_bHit;) {
        cChara& x = **it;
        // The kill may take the character out of its group.
        ++it;
        if (!CanBeShot(x, s)) continue;
        if (const int result = HitByShot(s, x, vanish)) return result;
    }
    return 0;
}

}  // namespace

int ResolveShotHits(cStageState& stage) {
    for (cList<cShot*>& shots : stage.m_vecForceShot) {
        for (cList<cChara*>& charas : stage.m_vecForce) {
            // The lists stand at the same place for the same group.
            if (&shots - stage.m_vecForceShot.data() == &charas - stage.m_vecForce.data()) continue;
            if (shots.empty() || charas.empty()) continue;
            for (auto it = shots.begin(); it != shots.end();) {
                cShot& s = **it;
                ++it;
                if (s.m_bHit || (ContactOnScreenOnly() && !s.m_bOnScreen)) continue;
                bool vanish = false;
                if (const int result = HitGroup(s, charas, vanish)) return result;
                if (vanish && !s.m_bHit) stage.RemoveShot(s);
            }
        }
    }
    return 0;
}
