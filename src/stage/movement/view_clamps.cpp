#include "stage/movement/view_clamps.h"

#include "stage/movement/tile_contacts.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

namespace ViewEdge {
enum : int { None = 0, Low = 1, High = 2 };
}

// The edge of the view that the hero's box crosses on one axis, when the
// view holds the hero on that axis. `offset` is the box's offset in its
// graphic cell, the screen rectangle being the cell's.
int CrossedEdge(cPlayer& hero, const cScrollAxis& axis, int ScreenRect::*low, int ScreenRect::*high, int offset,
                int view) {
    if (!axis.m_bAutoScroll && !hero.m_bFly) return ViewEdge::None;
    hero.UpdateScreenRect();
    if (hero.m_rcScreen.*low + offset < 0) return ViewEdge::Low;
    if (hero.m_rcScreen.*high - offset + 1 >= view) return ViewEdge::High;
    return ViewEdge::None;
}

// One side of the view as the hero meets it: its contact flag and push.
struct EdgeSide {
    int& touch;
    double& push;
};

// Holds the hero at the view edge it crossed: the contact on that side, no
// push, and its position at that edge. False when it crossed none.
bool HoldAtEdge(int edge, EdgeSide low, EdgeSide high, double& position, double lowAt, double highAt) {
    if (edge == ViewEdge::None) return false;
    EdgeSide side = edge == ViewEdge::Low ? low : high;
    side.push = 0.0;
    side.touch = 1;
    position = edge == ViewEdge::Low ? lowAt : highAt;
    return true;
}

}  // namespace

void ClampHeroToViewX(cPlayer& hero) {
    const cScrollAxis& axis = StageState().m_ScrollX;
    const int edge = CrossedEdge(hero, axis, &ScreenRect::left, &ScreenRect::right, hero.m_rcGraphic.x, kViewWidth);
    if (HoldAtEdge(edge, {hero.m_bTouchLeft, hero.m_dPushLeft}, {hero.m_bTouchRight, hero.m_dPushRight}, hero.m_dX,
                   axis.m_dPos, axis.m_dPos + kViewWidth - hero.m_nWidth - 1)) {
        hero.AfterMoveX();
    }
}

int ClampHeroToViewY(cPlayer& hero) {
    const cScrollAxis& axis = StageState().m_ScrollY;
    const int edge = CrossedEdge(hero, axis, &ScreenRect::top, &ScreenRect::bottom, hero.m_rcGraphic.y, kViewHeight);
    if (!HoldAtEdge(edge, {hero.m_bTouchTop, hero.m_dPushTop}, {hero.m_bTouchBottom, hero.m_dPushBottom}, hero.m_dY,
                    axis.m_dPos, axis.m_dPos + kViewHeight - hero.m_nHeight - 1)) {
        return TileResult::Go;
    }
    hero.AfterMoveY();
    // Left below the view, a walking hero has fallen out of it.
    return edge == ViewEdge::High && !hero.m_bFly ? TileResult::Killed : TileResult::Go;
}
