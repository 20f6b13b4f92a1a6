#pragma once
// The boxes the contact rules compare: stage pixels, right and bottom on the
// last pixel, and every overlap inclusive of its edges.
#include "stage/objects/chara.h"
#include "stage/objects/shot.h"

struct ContactBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

inline bool Overlaps(const ContactBox& a, const ContactBox& b) {
    return a.left <= b.right && a.right >= b.left && a.top <= b.bottom && a.bottom >= b.top;
}

inline ContactBox EdgesOf(const cObject& o) { return {o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom}; }
inline ContactBox EdgesOf(const CharaBox& b) { return {b.dLeft, b.dTop, b.dRight, b.dBottom}; }
inline ContactBox EdgesOf(const HitRect& r) { return {r.left, r.top, r.right, r.bottom}; }
// The box a character had when the frame began.
inline ContactBox SavedEdgesOf(const cChara& c) {
    return {c.m_dSavedX, c.m_dSavedY, c.m_dSavedRight, c.m_dSavedBottom};
}

// A flier of fly kind 0 goes through blocks and block characters alike.
inline bool FliesThroughBlocks(const cObject& o) { return o.m_bFly && o.m_cFlyKind == 0; }

// Triggers the contact rules start on characters' flows.
namespace ContactRuleTrigger {
enum : int {
    TouchedChara = 6,
    TouchedBlockChara = 7,
    OnBlockChara = 8,
    HitByShot = 9,
    TouchedItem = 10,
    RiddenByHero = 18,
    RiddenByChara = 19,
    AttackHit = 24
};
}

// System sounds of contacts.
namespace ContactSound {
enum : int { Hit = 7, Defeated = 9 };
}
