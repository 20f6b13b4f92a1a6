#include <algorithm>

#include "stage/objects/chara.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/shot.h"

namespace {

constexpr int kMaxDamage = 999999;

// A power above 0 less the defence, within 0 .. the largest damage; one of
// 0 or less heals by as much (bounded the same way, so no power overflows
// a life).
int DamageOf(int power, int defence) {
    const long long p = std::max<long long>(power, -kMaxDamage);
    if (p <= 0) return static_cast<int>(p);
    return static_cast<int>(std::clamp(p - defence, 0LL, static_cast<long long>(kMaxDamage)));
}

void Edges(const CharaBox& box, double out[4]) {
    out[0] = box.dLeft;
    out[1] = box.dTop;
    out[2] = box.dRight;
    out[3] = box.dBottom;
}

void RequestHitEffect(int effect, const CharaBox& victim, const double attacker[4], int scale) {
    if (effect == 0 || !Hooks().hitEffect) return;
    HitEffectRequest request;
    request.nEffect = effect;
    Edges(victim, request.victim);
    std::copy(attacker, attacker + 4, request.attacker);
    request.nScale = scale;
    Hooks().hitEffect(request);
}

// The victim's triggers of one kind of hit (power or impact), and the
// attacker's when the hit counts as its attack.
struct HitTriggers {
    int hit, taken, attackHit, attackTaken;
};
constexpr HitTriggers kDamageTriggers = {HitTrigger::Damaged, HitTrigger::DamageTaken, HitTrigger::AttackDamaged,
                                         HitTrigger::AttackDamage};
constexpr HitTriggers kImpactTriggers = {HitTrigger::Impacted, HitTrigger::ImpactTaken, HitTrigger::AttackImpacted,
                                         HitTrigger::AttackImpact};

void FireHit(cChara& victim, const HitTriggers& kinds, bool taken, cChara* partner, cChara* attack, int filter) {
    StartFlowsByTrigger(victim, kinds.hit, partner, 0);
    if (taken) StartFlowsByTrigger(victim, kinds.taken, partner, 0);
    if (!attack) return;
    StartFlowsByTrigger(*attack, kinds.attackHit, &victim, filter);
    if (taken) StartFlowsByTrigger(*attack, kinds.attackTaken, &victim, filter);
}

}  // namespace

bool cChara::TakeCharaDamage(const cChara& attacker, int& damage, int& impact) {
    const int d = DamageOf(attacker.m_Def.m_nPower, m_Def.m_nDefence);
    damage = m_Def.m_cInvincible != 0 ? 0 : d;
    const bool dead = ChangeLife(-d, 0, 1);
    double edges[4];
    Edges(attacker.m_rcBodyBox, edges);
    RequestHitEffect(attacker.m_Def.m_sEffect, m_rcBodyBox, edges, attacker.Scale());
    ImpactFromChara(attacker, impact);
    return dead;
}

bool cChara::TakeShotDamage(const cShot& shot, int& damage, int& impact) {
    const int d = DamageOf(shot.m_Param.m_nPower, m_Def.m_nDefence);
    damage = m_Def.m_cInvincible != 0 ? 0 : d;
    const bool dead = ChangeLife(-d, 0, 1);
    const double edges[4] = {shot.m_rcHit.left, shot.m_rcHit.top, shot.m_rcHit.right, shot.m_rcHit.bottom};
    RequestHitEffect(shot.m_Param.m_sEffect, m_rcShotBox, edges, shot.m_Param.m_cScale);
    ImpactFromShot(shot, impact);
    return dead;
}

void cChara::OnCharaHit(cChara& attacker, int damage, int impact) {
    // An attack of its parent hits in the parent's name.
    cChara* parent = attacker.m_bParentAttack ? attacker.m_lpParent : nullptr;
    cChara* partner = parent ? parent : &attacker;
    const int filter = attacker.m_cAttackFilter;
    if (attacker.m_Def.m_nPower != 0) FireHit(*this, kDamageTriggers, damage >= 1, partner, parent, filter);
    if (attacker.m_Def.m_cImpact != 0) FireHit(*this, kImpactTriggers, impact != 0, partner, parent, filter);
}

void cChara::OnShotHit(cShot& shot, int damage, int impact) {
    cChara* shooter = shot.m_lpOwner;
    cChara* attack = shooter && shot.m_nOpt1 ? shooter : nullptr;
    const int filter = shot.m_cOpt2;
    if (shot.m_Param.m_nPower != 0) FireHit(*this, kDamageTriggers, damage >= 1, shooter, attack, filter);
    if (shot.m_Param.m_cImpact != 0) FireHit(*this, kImpactTriggers, impact != 0, shooter, attack, filter);
}
