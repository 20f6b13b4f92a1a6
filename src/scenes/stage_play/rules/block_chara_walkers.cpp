#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "scenes/stage_play/rules/block_chara_push.h"
#include "stage/movement/tile_contacts.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"

namespace {

constexpr int kBackoffSteps = 15;
constexpr double kBackoffStep = 0.1;

// The boxes of one walker's resolution: N now, U its upper half, P where
// it began the frame, S P's columns over N's rows.
struct WalkerBoxes {
    ContactBox n, u, p, s;
    double g2 = 0.0, g04 = 0.0;
    int h3 = 0;

    explicit WalkerBoxes(const cChara& c) {
        const int sub = LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1;
        g2 = 2.0 / sub;
        g04 = 0.4 / sub;
        h3 = c.m_nHeight / 3;
        n = EdgesOf(c);
        u = {n.left, n.top, n.right, n.top + c.m_nHeight / 2};
        p = SavedEdgesOf(c);
        s = {p.left, n.top, p.right, n.bottom};
    }
};

struct WalkerPushes {
    PushTarget left, right, top, bottom;
    bool touched = false;
};

void RecordLanding(cChara& c, cStageChara& b, WalkerPushes& w) {
    if (b.m_dSpeedY < 0) c.TouchBottom(b);
    const double y = b.m_dY - c.m_nHeight;
    if (w.bottom.IsSet() && y >= w.bottom.value) return;
    w.bottom.Take(y, b, b.m_dSpeedY);
    c.m_nRideId = b.m_nId;
    c.m_dRideX = b.m_dX;
    c.m_dRideY = b.m_dY;
    c.m_dRideRight = b.m_dRight;
    c.m_dRideBottom = b.m_dBottom;
}

void TouchOnLeft(cChara& c, cStageChara& b, WalkerPushes& w) {
    c.TouchLeft(b);
    w.left.KeepLargest(b.m_dRight + 1.5, b, b.m_dSpeedX);
}

void TouchOnRight(cChara& c, cStageChara& b, WalkerPushes& w) {
    c.TouchRight(b);
    w.right.KeepSmallest(b.m_dX - c.m_nWidth - 0.5, b, b.m_dSpeedX);
}

// One side only, the side the walker moves toward tested first.
void SideContact(cChara& c, cStageChara& b, const WalkerBoxes& k, WalkerPushes& w) {
    const ContactBox q = EdgesOf(b);
    const bool onLeft = Overlaps(q, {k.n.left, k.u.top, k.n.left, k.u.bottom});
    const bool onRight = Overlaps(q, {k.n.right, k.u.top, k.n.right, k.u.bottom});
    if (c.m_dSpeedX < 0) {
        if (onLeft) {
            TouchOnLeft(c, b, w);
        } else if (onRight) {
            TouchOnRight(c, b, w);
        }
    } else if (onRight) {
        TouchOnRight(c, b, w);
    } else if (onLeft) {
        TouchOnLeft(c, b, w);
    }
}

bool IsLanding(const cChara& c, const ContactBox& qs, const WalkerBoxes& k) {
    return c.m_dSpeedY > k.g2 && Overlaps(k.s, qs) && k.p.top < qs.top &&
           (SwitchOn(Switch::LandingTest) || k.p.bottom < qs.bottom);
}

bool IsHeadContact(const ContactBox& q, const ContactBox& qs, const WalkerBoxes& k) {
    const bool wider = ExtentX(k.u, q) - ExtentY(k.u, q) > k.g04 && k.n.bottom > q.bottom &&
                       (SwitchOn(Switch::LandingTest) || k.n.top > q.top);
    return wider || (Overlaps(k.s, qs) && k.p.top > qs.top && !Overlaps(k.p, q));
}

void UpperHalfContact(cChara& c, cStageChara& b, const WalkerBoxes& k, WalkerPushes& w) {
    const ContactBox q = EdgesOf(b);
    const ContactBox qs = SavedEdgesOf(b);
    if (IsLanding(c, qs, k)) {
        RecordLanding(c, b, w);
    } else if (IsHeadContact(q, qs, k)) {
        if (b.m_dSpeedY > 0) c.TouchTop(b);
        w.top.KeepLargest(q.bottom + 1, b, b.m_dSpeedY);
        if (c.m_bRiding && c.m_dSpeedY < 0) c.TouchBottom(b);
    } else {
        SideContact(c, b, k, w);
    }
}

// A block character at the lower half only: along the sides when it
// overlaps more in height, else stood on when it reaches the lower third.
void LowerHalfContact(cChara& c, cStageChara& b, const WalkerBoxes& k, WalkerPushes& w) {
    const ContactBox q = EdgesOf(b);
    if (ExtentY(k.n, q) > ExtentX(k.n, q)) {
        if (Overlaps(q, {k.n.right, k.n.top, k.n.right, k.n.bottom})) TouchOnRight(c, b, w);
        if (Overlaps(q, {k.n.left, k.n.top, k.n.left, k.n.bottom})) TouchOnLeft(c, b, w);
    } else if (Overlaps(q, {k.n.left + 1, k.n.bottom - k.h3, k.n.right - 1, k.n.bottom})) {
        RecordLanding(c, b, w);
    }
}

// A push down from above: as under a ceiling, moving with the pusher.
void PushDown(cChara& c, double speed, double y) {
    c.m_dAccelY = 0.0;
    c.m_bJumping = c.m_bJumpEnd = c.m_bCeiling = 1;
    if (!SwitchOn(Switch::HeadKeepsImpact)) c.ClearImpact();
    c.m_dSpeedY = speed;
    PlaceY(c, y);
}

cStageChara* FirstOverUpperHalf(const cChara& c, cList<cStageChara>& charas, const WalkerBoxes& k) {
    for (cStageChara& b : charas) {
        if (IsBlockCharaCandidate(b, c) && Overlaps(EdgesOf(b), k.u)) return &b;
    }
    return nullptr;
}

// A head hit by a rising block character holds only when the character
// fits where the push puts it.
bool HeadHitFits(const cChara& c, const cList<cStageChara>& charas, const PushTarget& top) {
    if (top.speed >= 0) return true;
    const ContactBox moved = {c.m_dX, top.value, c.m_dRight, c.m_dBottom};
    return !c.TouchesSolidTile() && !OverlapsBlockCharaExcept(moved, c, charas, top.id);
}

void ClearNoJumpGround(const cChara& c) {
    if (c.m_nCharaKind == 0 && !PlayerList.empty()) PlayerList[0].m_bNoJumpGround = 0;
}

// Stood on the landing block character: the walker lands on it and, when
// it was not riding yet, starts riding it.
void Land(cChara& c, const PushTarget& bottom) {
    c.m_dAccelY = 0.0;
    if (!c.m_bRiding) {
        c.m_bRiding = 1;
        cStageChara& b = *bottom.by;
        if (c.m_nCharaKind == 0) StartFlowsByTrigger(b, ContactRuleTrigger::RiddenByHero, &c, 0);
        StartFlowsByTrigger(b, ContactRuleTrigger::RiddenByChara, &c, 0);
    }
    PlaceY(c, bottom.value);
    c.m_dSpeedY = 0.0;
    c.m_nAirSteps = 0;
    c.m_bJumping = c.m_bJumpEnd = c.m_bAirLock = c.m_bImpact = 0;
    if (c.m_nCharaKind != 0) {
        c.m_bCeiling = 0;
    } else {
        ClearNoJumpGround(c);
    }
}

void PushSideways(cChara& c, const PushTarget& t) {
    if (!t.IsSet()) return;
    c.m_dAccelX = 0.0;
    if (t.id != c.m_nRideId || !c.m_bRiding) c.m_bImpactEnded = 1;
    PlaceX(c, t.value);
}

// Out of the blocks of the map the pushes left the walker in, a tenth of a
// pixel at a time.
void BackOff(cChara& c, const WalkerPushes& w) {
    const bool byFlags = SwitchOn(Switch::BackoffByFlags) != 0;
    const struct {
        bool on;
        double dx, dy;
    } steps[] = {
        {byFlags ? c.m_bTouchLeft != 0 : w.left.IsSet(), -kBackoffStep, 0.0},
        {byFlags ? c.m_bTouchRight != 0 : w.right.IsSet(), kBackoffStep, 0.0},
        {byFlags ? c.m_bTouchTop != 0 : w.top.IsSet(), 0.0, -kBackoffStep},
        {byFlags ? c.m_bTouchBottom != 0 : w.bottom.IsSet(), 0.0, kBackoffStep},
    };
    for (const auto& step : steps) {
        for (int k = 0; step.on && k < kBackoffSteps && c.TouchesSolidTile(); ++k) {
            if (step.dx != 0.0) PlaceX(c, c.m_dX + step.dx);
            if (step.dy != 0.0) PlaceY(c, c.m_dY + step.dy);
        }
    }
}

void RecordRide(cChara& c, const cStageChara& b) {
    c.m_nRideId = b.m_nId;
    c.m_dRideX = b.m_dX;
    c.m_dRideY = b.m_dY;
    c.m_dRideRight = b.m_dRight;
    c.m_dRideBottom = b.m_dBottom;
    c.m_nAirSteps = 0;
    c.m_bImpact = 0;
}

// A rider that did not land again keeps riding what is under its feet.
void KeepRiding(cChara& c, cList<cStageChara>& charas) {
    if (c.m_dImpactY < 0) {
        c.EndImpact(1);
        return;
    }
    const cStageChara* ridden = nullptr;
    if (IsOnRiddenBlockChara(c, charas)) {
        for (cStageChara& b : charas) {
            if (b.m_nId == c.m_nRideId) {
                ridden = &b;
                break;
            }
        }
        if (!ridden) return;
    } else {
        ridden = FindBlockCharaUnderFeet(c, charas);
    }
    if (!ridden) {
        c.EndImpact(1);
        return;
    }
    RecordRide(c, *ridden);
}

}  // namespace

int ResolveWalkerOnBlockCharas(cChara& c, cList<cStageChara>& charas) {
    const WalkerBoxes k(c);
    WalkerPushes w;
    for (cStageChara& b : charas) {
        if (!IsBlockCharaCandidate(b, c) || !Overlaps(EdgesOf(b), k.n)) continue;
        w.touched = true;
        if (Overlaps(EdgesOf(b), k.u)) {
            UpperHalfContact(c, b, k, w);
        } else {
            LowerHalfContact(c, b, k, w);
        }
    }

    bool landed = false;
    bool headHit = false;
    bool pinched = false;
    if (w.top.IsSet() && !w.bottom.IsSet()) {
        if (HeadHitFits(c, charas, w.top)) {
            headHit = true;
            PushDown(c, w.top.speed, w.top.value);
            ResolveTilesYBoth(c);
        } else {
            w.top = PushTarget();
        }
    }
    if (!headHit && w.left.IsSet() && w.right.IsSet() && !w.bottom.IsSet()) {
        // Pinched from both sides without ground: pushed down by what is
        // over its head instead of crushed.
        pinched = true;
        if (cStageChara* b = FirstOverUpperHalf(c, charas, k)) PushDown(c, b->m_dSpeedY, b->m_dBottom + 1);
        c.m_bTouchLeft = c.m_bTouchRight = 0;
        w.left = w.right = PushTarget();
    } else if (!headHit && w.bottom.IsSet() && !(w.left.IsSet() && w.right.IsSet())) {
        if (w.bottom.speed > 0 && c.TouchesSolidTile()) {
            // A sinking block character does not take the walker into the map.
            c.m_bRiding = 0;
        } else {
            landed = true;
            Land(c, w.bottom);
        }
    }
    if (!pinched) {
        PushSideways(c, w.left);
        PushSideways(c, w.right);
    }
    if (headHit && w.left.IsSet() && w.right.IsSet()) {
        PlaceX(c, k.n.left);
        if (cStageChara* b = FirstOverUpperHalf(c, charas, k)) {
            if (b->m_dSpeedY > 0) c.TouchTop(*b);
            PushDown(c, b->m_dSpeedY, b->m_dBottom + 1);
            c.m_bTouchLeft = c.m_bTouchRight = 0;
        }
    }

    if (w.touched || c.m_bRiding) StartFlowsByTrigger(c, ContactRuleTrigger::TouchedBlockChara, nullptr, 0);
    if (c.m_bRiding) {
        ClearNoJumpGround(c);
        StartFlowsByTrigger(c, ContactRuleTrigger::OnBlockChara, nullptr, 0);
    }

    if ((c.m_bTouchLeft && c.m_bTouchRight) || (c.m_bTouchTop && c.m_bTouchBottom) ||
        IsEnclosedByBlockCharas(c, k.n, charas)) {
        return 2;
    }
    BackOff(c, w);
    if (c.m_bRiding && !landed) KeepRiding(c, charas);
    return 0;
}
