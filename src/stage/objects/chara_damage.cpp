#include <algorithm>

#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/chara.h"

namespace {

constexpr int kGaugeFrames = 120;
constexpr int kGaugePixels = 50;
constexpr int kGaugeTrailFrames = 60;

bool IsHero(const cChara& c) { return c.m_nCharaKind == 0; }

int SubSteps() { return LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1; }

void StartGauge(GaugeRecord& gauge, int value, int maximum, int delta) {
    if (delta == 0 || maximum <= 0) return;
    gauge.nRemain = kGaugeFrames;
    gauge.nFill = static_cast<int>(static_cast<long long>(value) * kGaugePixels / maximum);
    gauge.dTrail = static_cast<double>(static_cast<long long>(delta) * kGaugePixels) / maximum;
    gauge.dTrailStep = gauge.dTrail / kGaugeTrailFrames;
}

// A positive delta fills at most up to the maximum.
int LimitGain(int delta, int value, int maximum) {
    return delta > 0 ? std::min(delta, std::max(maximum - value, 0)) : delta;
}

}  // namespace

void cChara::StartInvincibility() {
    m_nInvincible = SubSteps() * (IsHero(*this) ? LoadedStage.m_nInvincibleHero : LoadedStage.m_nInvincibleOther);
}

void cChara::StartHitCooldown(int attacker) {
    StartInvincibility();
    const int frames = IsHero(*this) ? LoadedStage.m_nCooldownHero : LoadedStage.m_nCooldownOther;
    m_lstCooldown.push_back({attacker, SubSteps() * frames});
}

void cChara::CountDownInvincibility() {
    if (m_nInvincible > 0) --m_nInvincible;
    for (HitCooldown& cd : m_lstCooldown) --cd.nSteps;
    m_lstCooldown.remove_if([](const HitCooldown& cd) { return cd.nSteps <= 0; });
}

bool cChara::IsInvincibleTo(int attacker) const {
    if (IsInvincible()) return true;
    return std::any_of(m_lstCooldown.begin(), m_lstCooldown.end(),
                       [attacker](const HitCooldown& cd) { return cd.nAttacker == attacker; });
}

bool cChara::ChangeLife(int delta, int force, int gauge) {
    const int maximum = m_Def.m_nMaxHp;
    delta = LimitGain(delta, m_nLife, maximum);
    if (!force && delta <= 0 && m_Def.m_cInvincible != 0) return false;
    m_nLife = static_cast<int>(
        std::clamp(static_cast<long long>(m_nLife) + delta, 0LL, static_cast<long long>(std::max(maximum, 0))));
    if (m_nLife <= 0) {
        m_nLife = 0;
        return true;
    }
    if (gauge) StartLifeGauge(delta);
    return false;
}

void cChara::ChangeSP(int delta, int gauge) {
    const int maximum = m_Def.m_nMaxSp;
    delta = LimitGain(delta, m_nSP, maximum);
    m_nSP = static_cast<int>(
        std::clamp(static_cast<long long>(m_nSP) + delta, 0LL, static_cast<long long>(std::max(maximum, 0))));
    if (gauge) StartSPGauge(delta);
}

void cChara::StartLifeGauge(int delta) { StartGauge(m_LifeGauge, m_nLife, m_Def.m_nMaxHp, delta); }

void cChara::StartSPGauge(int delta) { StartGauge(m_SpGauge, m_nSP, m_Def.m_nMaxSp, delta); }
