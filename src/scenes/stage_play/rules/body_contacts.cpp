#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "scenes/stage_play/rules/contact_geometry.h"
#include "scenes/stage_play/rules/contact_hooks.h"
#include "scenes/stage_play/rules/object_contacts.h"
#include "shell/sound_requests.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/stage_state.h"

namespace {

bool TakesPart(const cChara& c) {
    if (ContactOnScreenOnly() && !c.m_bOnScreen) return false;
    return !c.IsBlockChara() && c.m_bExists && !c.m_bDead;
}

// `victim` touched `toucher`; an attack of its parent touches in the
// parent's name, and the parent learns that its attack hit.
void FireTouch(cChara& victim, cChara& toucher) {
    cChara* parent = toucher.m_lpParent;
    if (parent && toucher.m_bParentAttack) {
        StartFlowsByTrigger(victim, ContactRuleTrigger::TouchedChara, parent, 0);
        StartFlowsByTrigger(*parent, ContactRuleTrigger::AttackHit, &victim, toucher.m_cAttackFilter);
        return;
    }
    StartFlowsByTrigger(victim, ContactRuleTrigger::TouchedChara, &toucher, 0);
}

// One side of a body contact: whether it can be hit, and what the damage
// step gave it.
struct BodyHit {
    cChara& chara;
    cChara& other;
    bool canBeHit = false;
    bool damaged = false;
    bool dead = false;
    int damage = 0, impact = 0;

    BodyHit(cChara& c, cChara& o) : chara(c), other(o), canBeHit(!c.IsInvincibleTo(o.m_nId)) {}
    void TakeDamage() {
        damaged = canBeHit && (other.m_Def.m_nPower != 0 || other.m_Def.m_cImpact != 0);
        if (!damaged) return;
        dead = chara.TakeCharaDamage(other, damage, impact);
        if (SwitchOn(Switch::BodyHitAtOnce)) chara.OnCharaHit(other, damage, impact);
    }
    void FireHitEvents() {
        if (damaged && !SwitchOn(Switch::BodyHitAtOnce)) chara.OnCharaHit(other, damage, impact);
    }
    // Non-zero (stage ended, hero down) ends the rule.
    int Settle(int otherId) {
        if (!damaged) return 0;
        if (!dead) {
            chara.StartHitCooldown(otherId);
            return 0;
        }
        if (chara.m_nCharaKind != 0) PlaySystemSound(ContactSound::Defeated);
        const int result = KillChara(chara);
        return result == ContactResult::StageEnded || result == ContactResult::HeroDown ? result : 0;
    }
};

int Touch(cChara& e, cChara& f) {
    BodyHit he(e, f), hf(f, e);
    if (he.canBeHit) FireTouch(e, f);
    if (hf.canBeHit) FireTouch(f, e);
    he.TakeDamage();
    hf.TakeDamage();
    he.FireHitEvents();
    hf.FireHitEvents();
    if (he.damaged || hf.damaged) PlaySystemSound(ContactSound::Hit);
    const int eId = e.m_nId, fId = f.m_nId;
    if (const int result = he.Settle(fId)) return result;
    return hf.Settle(eId);
}

int TouchGroups(cList<cChara*>& first, cList<cChara*>& second) {
    for (auto ie = first.begin(); ie != first.end();) {
        cChara& e = **ie;
        ++ie;
        for (auto jf = second.begin(); jf != second.end();) {
            cChara& f = **jf;
            ++jf;
            // Checked again for every pair: a kill makes the character dead.
            if (!TakesPart(e) || !TakesPart(f) || !Overlaps(EdgesOf(e.m_rcBodyBox), EdgesOf(f.m_rcBodyBox))) continue;
            if (const int result = Touch(e, f)) return result;
        }
    }
    return 0;
}

}  // namespace

int ResolveBodyContacts(cStageState& stage) {
    for (auto gi = stage.m_vecForce.begin(); gi != stage.m_vecForce.end(); ++gi) {
        for (auto gj = std::next(gi); gj != stage.m_vecForce.end(); ++gj) {
            if (const int result = TouchGroups(*gi, *gj)) return result;
        }
    }
    return 0;
}
