#include "stage/movement/target_search.h"

#include <cstdlib>
#include <limits>

#include "foundation/strings.h"

int AimCentreX(const cObject& o) { return o.m_rcScreen.left + o.m_rcGraphic.w / 2; }
int AimCentreY(const cObject& o) { return o.m_rcScreen.top + o.m_rcGraphic.h / 2; }

bool PassesFilter(cChara& c, const CharaFilter& filter) {
    if (c.m_bDead) return false;
    if (filter.useId && c.m_Def.m_cCharaId != filter.id) return false;
    if (filter.excludeSelf && c.m_nId == filter.selfId) return false;
    if (filter.excludeInvulnerable && DamageMode(c) == 1) return false;
    if (filter.excludeShotProof && DamageMode(c) == 2) return false;
    if (filter.excludeBlock && c.m_Def.m_bNoBox != 0) return false;
    if (filter.varTest) {
        if (filter.varIndex < 0 || filter.varIndex >= c.m_vecVar.Count()) return false;
        if (!CompareByOp(c.m_vecVar[filter.varIndex], filter.value, filter.op)) return false;
    }
    return true;
}

cChara* FindChara(const cList<cChara*>& list, const CharaFilter& filter) {
    for (cChara* c : list) {
        if (c && PassesFilter(*c, filter)) return c;
    }
    return nullptr;
}

cChara* FindLinkedChara(const cVector<CharaLink>& pairs, int kind, int group, bool anyGroup,
                        const CharaFilter& filter) {
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        cChara* c = it->lpChara;
        if (it->nKind != kind || !c) continue;
        if (!anyGroup && c->m_nBlockGroup != group) continue;
        if (PassesFilter(*c, filter)) return c;
    }
    return nullptr;
}

namespace {

// One pass over the candidates whose on-screen flag is `onScreen` (or all
// of them when `anyScreen`).
cChara* NearestPass(int x, int y, const cList<cChara*>& list, const CharaFilter& filter, bool anyScreen,
                    bool onScreen) {
    cChara* best = nullptr;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (cChara* c : list) {
        if (!c || !c->m_bExists || !PassesFilter(*c, filter)) continue;
        if (!anyScreen && (c->m_bOnScreen != 0) != onScreen) continue;
        const long long distance = std::llabs(static_cast<long long>(AimCentreY(*c)) - y) +
                                   std::llabs(static_cast<long long>(AimCentreX(*c)) - x);
        // A later candidate must be strictly nearer.
        if (distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

cChara* FindNearestCharaEx(int x, int y, const cList<cChara*>& list, int mode, const CharaFilter& filter) {
    switch (mode) {
        case NearestMode::Anywhere: return NearestPass(x, y, list, filter, true, false);
        case NearestMode::OnScreenOnly: return NearestPass(x, y, list, filter, false, true);
        case NearestMode::OnScreenFirst:
            if (cChara* c = NearestPass(x, y, list, filter, false, true)) return c;
            return NearestPass(x, y, list, filter, false, false);
        default: return nullptr;
    }
}

cChara* FindNearestChara(int x, int y, const cList<cChara*>& list, bool contactOnScreenOnly) {
    CharaFilter filter;
    filter.excludeShotProof = true;
    return FindNearestCharaEx(x, y, list, contactOnScreenOnly ? NearestMode::OnScreenOnly : NearestMode::OnScreenFirst,
                              filter);
}
