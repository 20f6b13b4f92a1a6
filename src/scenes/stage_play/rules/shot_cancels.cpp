#include "scenes/stage_play/rules/contact_geometry.h"
#include "scenes/stage_play/rules/object_contacts.h"
#include "stage/objects/stage_state.h"

namespace {

bool Cancels(const cShot& s) { return s.m_Param.m_bShotClash != 0; }

// Shot `a` against the shots of a later group: the weaker of two
// cancelling shots goes, both on a draw; one that cancels alone goes.
// True when `a` is to go.
bool CancelAgainst(cStageState& stage, cShot& a, cList<cShot*>& group) {
    bool doomed = false;
    for (auto it = group.begin(); it != group.end();) {
        cShot& b = **it;
        ++it;
        if (!(Cancels(a) || Cancels(b)) || !Overlaps(EdgesOf(a), EdgesOf(b))) continue;
        bool removeB = false;
        if (Cancels(a) && Cancels(b)) {
            const int pa = a.m_Param.m_cVanishValue, pb = b.m_Param.m_cVanishValue;
            removeB = pb <= pa;
            doomed = doomed || pb >= pa;
        } else {
            removeB = Cancels(b);
            doomed = doomed || Cancels(a);
        }
        if (removeB) stage.RemoveShot(b);
    }
    return doomed;
}

}  // namespace

void ResolveShotCancels(cStageState& stage) {
    // A crowd of shots of one side meets no other side: the walk of its
    // list against an empty group would cancel nothing.
    for (auto gi = stage.m_vecForceShot.begin(); gi != stage.m_vecForceShot.end(); ++gi) {
        for (auto gj = std::next(gi); gj != stage.m_vecForceShot.end() && !gi->empty(); ++gj) {
            if (gj->empty()) continue;
            for (auto it = gi->begin(); it != gi->end();) {
                cShot& a = **it;
                ++it;
                if (CancelAgainst(stage, a, *gj)) stage.RemoveShot(a);
            }
        }
    }
}
