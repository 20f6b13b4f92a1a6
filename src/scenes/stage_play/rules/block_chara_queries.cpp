#include <array>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/global_data.h"
#include "scenes/stage_play/rules/block_chara_contacts.h"

namespace {

bool IsLiveBlockChara(const cStageChara& b) { return b.IsBlockChara() && !b.m_bDead && b.m_bExists; }

bool AnyBlockCharaOver(const ContactBox& box, const cList<cStageChara>& charas, int self, int except) {
    for (const cStageChara& b : charas) {
        if (IsLiveBlockChara(b) && b.m_nId != self && b.m_nId != except && Overlaps(EdgesOf(b), box)) return true;
    }
    return false;
}

// The strip under the feet where a ridden block character is looked for.
ContactBox FeetStrip(const cChara& c) { return {c.m_dX, c.m_dBottom, c.m_dRight, c.m_dBottom + 5}; }

struct Point {
    double x = 0.0, y = 0.0;
};

std::array<Point, 4> CornersOf(const ContactBox& box) {
    // Older projects put the right corners on the right edge itself.
    const double right = SwitchOn(Switch::TouchPush) ? box.right : box.right - 1;
    return {{{box.left, box.top}, {right, box.top}, {box.left, box.bottom - 1}, {right, box.bottom - 1}}};
}

bool Contains(const ContactBox& box, const Point& p) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

}  // namespace

bool IsBlockCharaCandidate(const cStageChara& b, const cChara& c) { return IsLiveBlockChara(b) && b.m_nId != c.m_nId; }

bool OverlapsBlockChara(const cObject& object, const cList<cStageChara>& charas) {
    return OverlapsBlockCharaExcept(object, charas, object.m_nId);
}

bool OverlapsBlockCharaExcept(const cObject& object, const cList<cStageChara>& charas, int except) {
    if (FliesThroughBlocks(object)) return false;
    return AnyBlockCharaOver(EdgesOf(object), charas, object.m_nId, except);
}

bool OverlapsBlockCharaExcept(const ContactBox& box, const cChara& c, const cList<cStageChara>& charas, int except) {
    return AnyBlockCharaOver(box, charas, c.m_nId, except);
}

bool IsPlaceBlocked(const cList<cStageChara>& charas, cChara& chara) {
    if (FliesThroughBlocks(chara)) return false;
    return chara.TouchesSolidTile() || OverlapsBlockChara(chara, charas);
}

bool IsEnclosedByBlockCharas(const cChara& c, const ContactBox& before, const cList<cStageChara>& charas) {
    if (FliesThroughBlocks(c)) return false;
    const std::array<Point, 4> now = CornersOf(EdgesOf(c));
    const std::array<Point, 4> then = CornersOf(before);
    for (std::size_t k = 0; k < now.size(); ++k) {
        bool inside = false;
        for (const cStageChara& b : charas) {
            if (!IsBlockCharaCandidate(b, c)) continue;
            const ContactBox q = EdgesOf(b);
            if (Contains(q, now[k]) || Contains(q, then[k])) {
                inside = true;
                break;
            }
        }
        if (!inside) return false;
    }
    return true;
}

bool IsOnRiddenBlockChara(const cChara& c, const cList<cStageChara>& charas) {
    for (const cStageChara& b : charas) {
        if (b.m_nId == c.m_nRideId && IsBlockCharaCandidate(b, c)) return Overlaps(EdgesOf(b), FeetStrip(c));
    }
    return false;
}

cStageChara* FindBlockCharaUnderFeet(const cChara& c, cList<cStageChara>& charas) {
    for (cStageChara& b : charas) {
        if (IsBlockCharaCandidate(b, c) && Overlaps(EdgesOf(b), FeetStrip(c))) return &b;
    }
    return nullptr;
}
