#include "scenes/stage_play/rules/block_chara_push.h"
#include "stage/objects/engine_hooks.h"

namespace {

struct FlierPushes {
    PushTarget left, right, top, bottom;
    bool touched = false;

    bool AnySet() const { return left.IsSet() || right.IsSet() || top.IsSet() || bottom.IsSet(); }
};

// The contact is along the axis on which the block character overlaps less.
void Collect(cChara& c, cStageChara& b, FlierPushes& p) {
    const ContactBox n = EdgesOf(c);
    const ContactBox q = EdgesOf(b);
    if (ExtentX(n, q) > ExtentY(n, q)) {
        TouchAlong(c, b, PushAxis::Vertical, p.top, p.bottom);
    } else {
        TouchAlong(c, b, PushAxis::Horizontal, p.left, p.right);
    }
}

// A block character moving away from a flier that does not follow it lets
// it go sideways to the push rather than along it.
void ApplyX(cChara& c, cList<cStageChara>& charas, const PushTarget& t, bool away, int& touchFlag) {
    if (!t.IsSet()) return;
    c.m_dAccelX = 0.0;
    if (away) {
        touchFlag = 0;
        PushOutOfBlockCharas(c, charas, PushAxis::Vertical);
        return;
    }
    c.m_bImpactEnded = 1;
    PlaceX(c, t.value);
}

void ApplyY(cChara& c, cList<cStageChara>& charas, const PushTarget& t, bool away, int& touchFlag) {
    if (!t.IsSet()) return;
    c.m_dAccelY = 0.0;
    if (away) {
        touchFlag = 0;
        PushOutOfBlockCharas(c, charas, PushAxis::Horizontal);
        return;
    }
    PlaceY(c, t.value);
}

}  // namespace

int ResolveFlierOnBlockCharas(cChara& c, cList<cStageChara>& charas) {
    FlierPushes p;
    for (cStageChara& b : charas) {
        if (!IsBlockCharaCandidate(b, c) || !Overlaps(EdgesOf(b), EdgesOf(c))) continue;
        p.touched = true;
        Collect(c, b, p);
    }
    if (p.touched) StartFlowsByTrigger(c, ContactRuleTrigger::TouchedBlockChara, nullptr, 0);
    // Fly kind 2 dies on a block character.
    if (c.m_cFlyKind == 2) return p.AnySet() ? 2 : 0;
    ApplyX(c, charas, p.left, p.left.speed < 0 && c.m_dSpeedX >= 0, c.m_bTouchLeft);
    ApplyX(c, charas, p.right, p.right.speed > 0 && c.m_dSpeedX <= 0, c.m_bTouchRight);
    ApplyY(c, charas, p.top, p.top.speed < 0 && c.m_dSpeedY >= 0, c.m_bTouchTop);
    ApplyY(c, charas, p.bottom, p.bottom.speed > 0 && c.m_dSpeedY <= 0, c.m_bTouchBottom);
    return 0;
}
