#include "scenes/stage_play/rules/block_chara_contacts.h"

#include "scenes/stage_play/rules/block_chara_push.h"

int ResolveBlockCharaContacts(cChara& c, cList<cStageChara>& charas) {
    if (FliesThroughBlocks(c)) return 0;
    return c.m_bFly ? ResolveFlierOnBlockCharas(c, charas) : ResolveWalkerOnBlockCharas(c, charas);
}

void TouchAlong(cChara& c, cStageChara& b, int axis, PushTarget& high, PushTarget& low) {
    const ContactBox n = EdgesOf(c);
    const ContactBox q = EdgesOf(b);
    if (axis == PushAxis::Vertical) {
        if (Overlaps(q, TopStrip(n))) {
            c.TouchTop(b);
            high.KeepLargest(q.bottom + 1, b, b.m_dSpeedY);
        }
        if (Overlaps(q, BottomStrip(n))) {
            c.TouchBottom(b);
            low.KeepSmallest(q.top - c.m_nHeight, b, b.m_dSpeedY);
        }
        return;
    }
    if (Overlaps(q, LeftStrip(n))) {
        c.TouchLeft(b);
        high.KeepLargest(q.right + 1, b, b.m_dSpeedX);
    }
    if (Overlaps(q, RightStrip(n))) {
        c.TouchRight(b);
        low.KeepSmallest(q.left - c.m_nWidth, b, b.m_dSpeedX);
    }
}

void PushOutOfBlockCharas(cChara& c, cList<cStageChara>& charas, int axis) {
    PushTarget high, low;  // toward larger and toward smaller coordinates
    for (cStageChara& b : charas) {
        if (IsBlockCharaCandidate(b, c) && Overlaps(EdgesOf(b), EdgesOf(c))) TouchAlong(c, b, axis, high, low);
    }
    for (const PushTarget* target : {&high, &low}) {
        if (!target->IsSet()) continue;
        if (axis == PushAxis::Vertical) {
            PlaceY(c, target->value);
            continue;
        }
        PlaceX(c, target->value);
        if (target->id != c.m_nRideId || !c.m_bRiding) c.m_bImpactEnded = 1;
    }
}
