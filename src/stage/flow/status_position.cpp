#include "stage/flow/status_position.h"

#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

int CentreX(const cChara& c) { return c.m_rcScreen.left + c.m_rcGraphic.w / 2; }
int CentreY(const cChara& c) { return c.m_rcScreen.top + c.m_rcGraphic.h / 2; }
// The bottom sits 15 pixels above the box's lower edge, where the feet are drawn.
int BottomY(const cChara& c) { return c.m_rcScreen.bottom - 15; }

bool UsesBottom(int refPoint, int flying) {
    return refPoint == YRefPoint::Bottom || (refPoint == YRefPoint::BottomWhenWalking && !flying);
}

int StageOffset(const cScrollAxis& axis) { return static_cast<int>(axis.m_dPos) - axis.m_nBlockOffset * 32; }

}  // namespace

bool GetStatusX(const cChara* chara, int kind, const cChara* runner, int& value) {
    if (!chara) return false;
    switch (kind) {
        case CoordKind::Relative:
            if (!runner) return false;
            value = CentreX(*chara) - CentreX(*runner);
            return true;
        case CoordKind::Absolute: value = StageOffset(StageState().m_ScrollX) + CentreX(*chara); return true;
        case CoordKind::Screen: value = CentreX(*chara); return true;
        default: return true;
    }
}

bool GetStatusY(const cChara* chara, int kind, int refPoint, const cChara* runner, int& value) {
    if (!chara) return false;
    const int y = UsesBottom(refPoint, chara->m_bFly) ? BottomY(*chara) : CentreY(*chara);
    switch (kind) {
        case CoordKind::Relative:
            if (!runner) return false;
            value = CentreY(*chara) - CentreY(*runner);
            return true;
        case CoordKind::Absolute: value = StageOffset(StageState().m_ScrollY) + y; return true;
        case CoordKind::Screen: value = y; return true;
        default: return true;
    }
}
