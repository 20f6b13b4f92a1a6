#pragma once
// The pieces the flier and walker rules of block characters share: push
// targets, edge strips and overlap extents.
#include "scenes/stage_play/rules/block_chara_contacts.h"

// Where a push puts the character on one axis, with the speed and id of
// the block character that pushes. -1.0 is no push.
struct PushTarget {
    static constexpr double kNone = -1.0;
    double value = kNone;
    double speed = 0.0;
    int id = 0;
    cStageChara* by = nullptr;

    bool IsSet() const { return value != kNone; }
    // Takes `v` when there is no push yet or `v` goes further than it.
    void KeepLargest(double v, cStageChara& b, double bSpeed) {
        if (!IsSet() || value < v) Take(v, b, bSpeed);
    }
    void KeepSmallest(double v, cStageChara& b, double bSpeed) {
        if (!IsSet() || value > v) Take(v, b, bSpeed);
    }
    void Take(double v, cStageChara& b, double bSpeed) {
        value = v;
        speed = bSpeed;
        id = b.m_nId;
        by = &b;
    }
};

// One-pixel edges of a box, a pixel short of each corner.
inline ContactBox TopStrip(const ContactBox& a) { return {a.left + 1, a.top, a.right - 1, a.top}; }
inline ContactBox BottomStrip(const ContactBox& a) { return {a.left + 1, a.bottom, a.right - 1, a.bottom}; }
inline ContactBox LeftStrip(const ContactBox& a) { return {a.left, a.top + 1, a.left, a.bottom - 1}; }
inline ContactBox RightStrip(const ContactBox& a) { return {a.right, a.top + 1, a.right, a.bottom - 1}; }

// How far two boxes overlap along one axis, given as (start, end) of each;
// 0 when the boxes do not overlap at all.
inline double ExtentOf(double aStart, double aEnd, double bStart, double bEnd) {
    return aStart < bStart && bStart <= aEnd ? aEnd - bStart + 1 : bEnd - aStart + 1;
}
inline double ExtentX(const ContactBox& a, const ContactBox& b) {
    return Overlaps(a, b) ? ExtentOf(a.left, a.right, b.left, b.right) : 0.0;
}
inline double ExtentY(const ContactBox& a, const ContactBox& b) {
    return Overlaps(a, b) ? ExtentOf(a.top, a.bottom, b.top, b.bottom) : 0.0;
}

// Moves the character and lets it settle on that axis (its bounds, its box
// edges and its block cells).
inline void PlaceX(cChara& c, double x) {
    c.m_dX = x;
    c.AfterMoveX();
}
inline void PlaceY(cChara& c, double y) {
    c.m_dY = y;
    c.AfterMoveY();
}

// The touch of block character b on the character's two edges along
// `axis` (top and bottom, or left and right) and where it pushes: `high`
// toward larger coordinates (down or right), `low` toward smaller ones.
void TouchAlong(cChara& c, cStageChara& b, int axis, PushTarget& high, PushTarget& low);

// The character and block characters of one resolution.
int ResolveFlierOnBlockCharas(cChara& c, cList<cStageChara>& charas);
int ResolveWalkerOnBlockCharas(cChara& c, cList<cStageChara>& charas);
